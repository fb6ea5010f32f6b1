#include "win/shell/document_file.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <sstream>

#include "core/model/settings_file.h"
#include "win/support/unique_handle.h"

namespace korvex7::win {

namespace {

bool WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t left = bytes.size() - done;
    const DWORD chunk = static_cast<DWORD>(
        left > std::numeric_limits<DWORD>::max() / 2 ? std::numeric_limits<DWORD>::max() / 2 : left);
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return L".";
  if (slash == 0) return path.substr(0, 1);
  // "C:\x.dat": keep the root's backslash.
  if (slash == 2 && path[1] == L':') return path.substr(0, 3);
  return path.substr(0, slash);
}

SaveResult SaveSettingsFile(const std::wstring& path, const SettingsModel& model) {
  std::ostringstream content(std::ios::binary);
  WriteSettingsFile(content, model);
  if (!content) return SaveResult::kCannotWrite;
  const std::string bytes = content.str();

  wchar_t temporary[MAX_PATH + 1] = {};
  const std::wstring folder = FolderOf(path);
  if (GetTempFileNameW(folder.c_str(), L"K7", 0, temporary) == 0) return SaveResult::kCannotCreate;

  UniqueHandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    DeleteFileW(temporary);
    return SaveResult::kCannotCreate;
  }
  const bool written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  const bool closed = CloseHandle(file.release()) != FALSE;
  if (!written || !closed) {
    DeleteFileW(temporary);
    return SaveResult::kCannotWrite;
  }
  if (!MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary);
    return SaveResult::kCannotReplace;
  }
  return SaveResult::kSaved;
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      size.QuadPart > std::numeric_limits<DWORD>::max() / 2) {
    return false;
  }
  std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < content.size()) {
    DWORD got = 0;
    if (!ReadFile(file.get(), content.data() + done, static_cast<DWORD>(content.size() - done), &got,
                  nullptr)) {
      return false;
    }
    if (got == 0) break;  // the file shrank while being read
    done += got;
  }
  content.resize(done);
  bytes = std::move(content);
  return true;
}

bool ReadFileStart(const std::wstring& path, std::size_t limit, std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  std::string content(std::min<std::size_t>(limit, std::numeric_limits<DWORD>::max() / 2), '\0');
  std::size_t done = 0;
  while (done < content.size()) {
    DWORD got = 0;
    if (!ReadFile(file.get(), content.data() + done, static_cast<DWORD>(content.size() - done),
                  &got, nullptr)) {
      return false;
    }
    if (got == 0) break;  // the end of the file
    done += got;
  }
  content.resize(done);
  bytes = std::move(content);
  return true;
}

bool LoadSettingsFile(const std::wstring& path, SettingsModel& model) {
  std::string bytes;
  if (!ReadFileStart(path, kSettingsFileReadLimit, bytes)) return false;
  std::istringstream in(bytes, std::ios::binary);
  ReadSettingsFile(in, model);
  return true;
}

}  // namespace korvex7::win
