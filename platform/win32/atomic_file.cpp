// Replacing a file on Win32: a new file from GetTempFileNameW in the
// target's folder, written, flushed with FlushFileBuffers, closed and moved
// over the target with MoveFileExW (MOVEFILE_REPLACE_EXISTING |
// MOVEFILE_WRITE_THROUGH, so the move itself is on the disk when it returns).
#include "platform/atomic_file.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace korvex7::platform {

namespace {

bool WriteAll(HANDLE file, std::string_view bytes) {
  constexpr std::size_t kChunk = std::numeric_limits<DWORD>::max() / 2;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min(bytes.size() - done, kChunk));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    done += written;
  }
  return true;
}

// The folder part of the target ("." for a bare file name), where the new
// file is made so that the move stays on one volume.
std::wstring FolderOf(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.parent_path();
  return folder.empty() ? std::wstring(L".") : folder.native();
}

}  // namespace

FileReplaceResult ReplaceFileAtomically(const std::filesystem::path& target,
                                        std::string_view bytes) {
  wchar_t temporary[MAX_PATH + 1] = {};
  // Creates the new, empty file under a name of its own.
  if (GetTempFileNameW(FolderOf(target).c_str(), L"K7", 0, temporary) == 0) {
    return FileReplaceFailure(target, FileReplaceStep::kCreate, win32::OsErrorText(GetLastError()));
  }
  win32::UniqueHandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    (void)DeleteFileW(temporary);
    return FileReplaceFailure(target, FileReplaceStep::kCreate, win32::OsErrorText(error));
  }
  bool written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  DWORD error = written ? ERROR_SUCCESS : GetLastError();
  if (!CloseHandle(file.release()) && written) {
    written = false;
    error = GetLastError();
  }
  if (!written) {
    (void)DeleteFileW(temporary);
    return FileReplaceFailure(target, FileReplaceStep::kWrite, win32::OsErrorText(error));
  }
  if (!MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
    (void)DeleteFileW(temporary);
    return FileReplaceFailure(target, FileReplaceStep::kReplace, win32::OsErrorText(error));
  }
  return {};
}

}  // namespace korvex7::platform
