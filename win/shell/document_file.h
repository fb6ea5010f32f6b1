// The program's settings file on disk: Save through the platform's atomic
// replacement (platform/atomic_file.h: a new file in the same folder,
// flushed, then moved over the target; on any failure the target is left as
// it was), and the lenient Open, which loads what it can from a damaged file.
#pragma once

#include <cstddef>
#include <string>

#include "core/model/settings_file.h"
#include "core/model/settings_model.h"

namespace korvex7::win {

// The step of a save that failed; each has its own message.
enum class SaveResult { kSaved, kCannotCreate, kCannotWrite, kCannotReplace };

// Writes the settings file for model to path (a full path).
SaveResult SaveSettingsFile(const std::wstring& path, const SettingsModel& model);

// Reads the settings file at path into model, from at most its first
// kSettingsFileReadLimit bytes (only they are read from the disk, so a file
// of gigabytes picked by mistake neither holds the window nor fills the
// memory). Values that do not fit keep the model's, and a file that ends
// early leaves the rest as it was. False when it cannot be opened or read
// (the model is then untouched).
bool LoadSettingsFile(const std::wstring& path, SettingsModel& model);

// The whole content of a file; false when it cannot be opened or read.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

// At most the first limit bytes of a file, whatever its size; false when it
// cannot be opened or read.
bool ReadFileStart(const std::wstring& path, std::size_t limit, std::string& bytes);

}  // namespace korvex7::win
