// Reading and writing the settings file on disk.
//
// Saving never puts the previous file at risk: the content is written to a
// new file in the same folder, flushed, and only then moved over the target.
// If any step fails the temporary file is removed and the target is left as
// it was.
#pragma once

#include <cstddef>
#include <string>

#include "core/model/settings_file.h"
#include "core/model/settings_model.h"

namespace korvex7::win {

enum class SaveResult { kSaved, kCannotCreate, kCannotWrite, kCannotReplace };

// Writes the settings file for model to path (a full path).
SaveResult SaveSettingsFile(const std::wstring& path, const SettingsModel& model);

// Reads the settings file at path into model, from at most its first
// kSettingsFileReadLimit bytes (only they are read from the disk, so a file
// of gigabytes picked by mistake neither holds the window nor fills the
// memory); false when it cannot be opened or read (the model is then
// untouched).
bool LoadSettingsFile(const std::wstring& path, SettingsModel& model);

// The whole content of a file; false when it cannot be opened or read.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

// At most the first limit bytes of a file, whatever its size; false when it
// cannot be opened or read.
bool ReadFileStart(const std::wstring& path, std::size_t limit, std::string& bytes);

// The folder part of a path ("C:\\a\\b.dat" -> "C:\\a"); "." when there is none.
std::wstring FolderOf(const std::wstring& path);

}  // namespace korvex7::win
