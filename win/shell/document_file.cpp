#include "win/shell/document_file.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "core/model/settings_store.h"
#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace korvex7::win {

SaveOutcome SaveSettingsFile(const std::wstring& path, const SettingsModel& model) {
  if (!MayBeSettingsFile(win32::WideToUtf8(path))) return {.deviceName = true};
  return {.replace = platform::ReplaceFileAtomically(path, SettingsFileBytes(model))};
}

namespace {

// Shared with every other program: one that has the file open for writing
// (an editor), or that may rename or delete it (a sync client), does not
// keep it from being read.
win32::UniqueHandle OpenForReading(const std::wstring& path) {
  return win32::UniqueHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Reads up to `size` bytes from the start of `file`: fewer when the file
// ends (or shrank) first.
bool ReadUpTo(HANDLE file, std::size_t size, std::string& bytes) {
  std::string content(std::min<std::size_t>(size, std::numeric_limits<DWORD>::max() / 2), '\0');
  std::size_t done = 0;
  while (done < content.size()) {
    DWORD got = 0;
    if (!ReadFile(file, content.data() + done, static_cast<DWORD>(content.size() - done), &got,
                  nullptr)) {
      return false;
    }
    if (got == 0) break;
    done += got;
  }
  content.resize(done);
  bytes = std::move(content);
  return true;
}

}  // namespace

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  win32::UniqueHandle file = OpenForReading(path);
  if (!file.valid()) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      size.QuadPart > std::numeric_limits<DWORD>::max() / 2) {
    return false;
  }
  return ReadUpTo(file.get(), static_cast<std::size_t>(size.QuadPart), bytes);
}

bool ReadFileStart(const std::wstring& path, std::size_t limit, std::string& bytes) {
  win32::UniqueHandle file = OpenForReading(path);
  if (!file.valid()) return false;
  if (ReadUpTo(file.get(), limit, bytes)) return true;
  // The read's error, not the close's.
  const DWORD error = GetLastError();
  file.reset();
  SetLastError(error);
  return false;
}

OpenOutcome LoadSettingsFile(const std::wstring& path, SettingsModel& model) {
  const std::string name = win32::WideToUtf8(path);
  if (!MayBeSettingsFile(name)) return {OpenResult::kDeviceName};
  std::string bytes;
  if (!ReadFileStart(path, kSettingsFileReadLimit, bytes)) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? OpenResult::kNotFound : OpenResult::kCannotOpen, error};
  }
  // Open is lenient: whatever the file lacks keeps the model's value.
  (void)LoadSettingsFromBytes(bytes, name, model);
  return {};
}

}  // namespace korvex7::win
