// The program's settings file on disk: Save through the platform's atomic
// replacement (platform/atomic_file.h: a new file in the same folder,
// flushed, then moved over the target, again for a moment when another
// program holds it; on any failure the target is left as it was), and the
// lenient Open, which loads what it can from a damaged file. Open shares the
// file with every other program (an editor that has it open for writing,
// a sync client that may rename it), and tells a missing file from one that
// cannot be opened. Neither takes a name that Windows gives a device
// (core/model/device_names.h).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "core/model/settings_file.h"
#include "core/model/settings_model.h"
#include "platform/atomic_file.h"

namespace korvex7::win {

// What Save did. A device's name is refused before anything is made;
// otherwise `replace` is the platform's outcome: the step that failed (each
// has its own message) and the system's words.
struct SaveOutcome {
  bool deviceName = false;
  platform::FileReplaceResult replace{};

  bool saved() const { return !deviceName && replace.ok(); }
};

// What Open found.
enum class OpenResult {
  kLoaded,
  kNotFound,    // no such file or folder
  kDeviceName,  // the name is a device's (COM1.dat ...), not opened
  kCannotOpen,  // the file is there but could not be opened or read
};

struct OpenOutcome {
  OpenResult result = OpenResult::kLoaded;
  DWORD error = ERROR_SUCCESS;  // the system's error code of kCannotOpen

  bool loaded() const { return result == OpenResult::kLoaded; }
};

// Writes the settings file for model to path (a full path).
SaveOutcome SaveSettingsFile(const std::wstring& path, const SettingsModel& model);

// Reads the settings file at path into model, from at most its first
// kSettingsFileReadLimit bytes (only they are read from the disk, so a file
// of gigabytes picked by mistake neither holds the window nor fills the
// memory). Values that do not fit keep the model's, and a file that ends
// early leaves the rest as it was. When it cannot be opened or read the
// model is untouched and the outcome says why.
OpenOutcome LoadSettingsFile(const std::wstring& path, SettingsModel& model);

// The whole content of a file; false when it cannot be opened or read.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

// At most the first limit bytes of a file, whatever its size; false when it
// cannot be opened or read, with the system's error code for GetLastError.
bool ReadFileStart(const std::wstring& path, std::size_t limit, std::string& bytes);

}  // namespace korvex7::win
