// Replacing a file on Win32: a new file of our own name in the target's
// folder (platform/win32/atomic_file.h), written, flushed with
// FlushFileBuffers and closed; then ReplaceFileW puts it in the place of a
// target that exists, which keeps the target's attributes, permissions
// (ACL) and creation time, or MoveFileExW (MOVEFILE_WRITE_THROUGH) names it
// as a new target. The new file is also given the target's attributes
// before it is written, so that they are kept where ReplaceFileW does not
// merge them.
#include "platform/win32/atomic_file.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <limits>
#include <string>

#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace korvex7::win32 {

namespace {

using platform::FileReplaceFailure;
using platform::FileReplaceResult;
using platform::FileReplaceStep;

constexpr std::wstring_view kSavePrefix = L"KORVEX7-save-";
constexpr std::wstring_view kSaveExtension = L".tmp";
constexpr std::array<DWORD, 5> kRetryPausesMs = {50, 100, 200, 400, 800};
// The attributes a replaced file passes to its successor. Read-only is not
// among them: a read-only file is not replaced.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

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

std::wstring InFolder(const std::wstring& folder, std::wstring_view name) {
  std::wstring path = folder;
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  path += name;
  return path;
}

// False only when the process is known to have ended: one that cannot be
// looked at (another user's) counts as running.
bool ProcessRunning(DWORD pid) {
  UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
  if (!process.valid()) return GetLastError() != ERROR_INVALID_PARAMETER;
  return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

// Removes the new files of earlier saves in `folder` whose process has
// ended (a save killed halfway), and this process's own (a failed save
// whose new file could not be removed then). A file still open somewhere
// cannot be deleted and stays.
void RemoveLeftovers(const std::wstring& folder) {
  const std::wstring pattern =
      InFolder(folder, std::wstring(kSavePrefix) + L"*" + std::wstring(kSaveExtension));
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const DWORD owner = SaveFileOwner(found.cFileName);
    if (owner == 0) continue;
    if (owner != GetCurrentProcessId() && ProcessRunning(owner)) continue;
    (void)DeleteFileW(InFolder(folder, found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// A name of this process's in `folder` that no file has yet.
std::wstring NextSaveName(const std::wstring& folder) {
  static std::atomic<unsigned> counter{0};
  const std::wstring stem =
      std::wstring(kSavePrefix) + std::to_wstring(GetCurrentProcessId()) + L"-";
  std::wstring name;
  // A name that is taken (a file of a save that this process's id had
  // before) is passed over; creating the file tells for certain.
  for (int attempt = 0; attempt < 1000; ++attempt) {
    name = InFolder(folder, stem + std::to_wstring(counter++) + std::wstring(kSaveExtension));
    if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES) break;
  }
  return name;
}

// Creates the new file under a name no other file has; `attributes` are the
// target's that it keeps.
UniqueHandle CreateNewFile(const std::wstring& folder, DWORD attributes, std::wstring& name) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    name = NextSaveName(folder);
    UniqueHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.valid() || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return {};
}

// The attributes of the target when it is a file; INVALID_FILE_ATTRIBUTES
// when there is none (or a folder has its name).
DWORD TargetFileAttributes(const std::wstring& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return INVALID_FILE_ATTRIBUTES;
  }
  return attributes;
}

// One attempt at putting the new file in the target's place; the error
// code when it failed. The replaced file is moved to `backup` (a name of
// ours) and removed from there: ReplaceFileW without a backup may remove
// the target before it has failed to move the new file in, and Wine's
// moves it aside under a name of its own that it leaves behind.
DWORD PutInPlace(const std::wstring& temporary, const std::wstring& target,
                 const std::wstring& backup) {
  if (TargetFileAttributes(target) == INVALID_FILE_ATTRIBUTES) {
    return MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? ERROR_SUCCESS
               : GetLastError();
  }
  // A file that cannot pass on its permissions (no right to change them,
  // a volume without them) is replaced all the same.
  if (!ReplaceFileW(target.c_str(), temporary.c_str(), backup.c_str(),
                    REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                    nullptr)) {
    return GetLastError();
  }
  // One that cannot be removed now goes with the next save in the folder.
  (void)DeleteFileW(backup.c_str());
  return ERROR_SUCCESS;
}

}  // namespace

DWORD HeldFileRetryPauseMs(int failures) {
  if (failures < 1 || failures > static_cast<int>(kRetryPausesMs.size())) return 0;
  return kRetryPausesMs[static_cast<std::size_t>(failures - 1)];
}

bool IsBriefHoldError(DWORD error) {
  // ReplaceFileW says 1175 when it could not remove the file it replaces,
  // which another program holds open.
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

DWORD SaveFileOwner(std::wstring_view name) {
  if (name.size() <= kSavePrefix.size() + kSaveExtension.size()) return 0;
  if (name.substr(0, kSavePrefix.size()) != kSavePrefix ||
      name.substr(name.size() - kSaveExtension.size()) != kSaveExtension) {
    return 0;
  }
  const std::wstring_view middle =
      name.substr(kSavePrefix.size(), name.size() - kSavePrefix.size() - kSaveExtension.size());
  const std::size_t dash = middle.find(L'-');
  if (dash == 0 || dash == std::wstring_view::npos || dash + 1 == middle.size()) return 0;
  unsigned long long pid = 0;
  for (std::size_t i = 0; i < middle.size(); ++i) {
    if (i == dash) continue;
    if (middle[i] < L'0' || middle[i] > L'9') return 0;
    if (i < dash) {
      pid = pid * 10 + static_cast<unsigned>(middle[i] - L'0');
      if (pid > std::numeric_limits<DWORD>::max()) return 0;
    }
  }
  return static_cast<DWORD>(pid);
}

FileReplaceResult ReplaceFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                        const RetryPause& pause) {
  const std::wstring& targetName = target.native();
  const std::wstring folder = FolderOf(target);
  RemoveLeftovers(folder);

  const DWORD targetAttributes = TargetFileAttributes(targetName);
  const DWORD kept =
      targetAttributes == INVALID_FILE_ATTRIBUTES ? 0 : targetAttributes & kKeptAttributes;
  std::wstring temporary;
  UniqueHandle file = CreateNewFile(folder, kept, temporary);
  if (!file.valid()) {
    return FileReplaceFailure(target, FileReplaceStep::kCreate, OsErrorText(GetLastError()));
  }
  bool written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  DWORD error = written ? ERROR_SUCCESS : GetLastError();
  if (!CloseHandle(file.release()) && written) {
    written = false;
    error = GetLastError();
  }
  if (!written) {
    (void)DeleteFileW(temporary.c_str());
    return FileReplaceFailure(target, FileReplaceStep::kWrite, OsErrorText(error));
  }

  const std::wstring backup = NextSaveName(folder);
  for (int failures = 1;; ++failures) {
    error = PutInPlace(temporary, targetName, backup);
    if (error == ERROR_SUCCESS) return {};
    const DWORD wait = IsBriefHoldError(error) ? HeldFileRetryPauseMs(failures) : 0;
    if (wait == 0) break;
    pause(wait);
  }
  // ReplaceFileW moved the target to the backup and then could not move the
  // new file in: the target goes back to its name.
  if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
      TargetFileAttributes(targetName) == INVALID_FILE_ATTRIBUTES) {
    (void)MoveFileExW(backup.c_str(), targetName.c_str(), MOVEFILE_WRITE_THROUGH);
  }
  (void)DeleteFileW(temporary.c_str());
  return FileReplaceFailure(target, FileReplaceStep::kReplace, OsErrorText(error));
}

}  // namespace korvex7::win32

namespace korvex7::platform {

FileReplaceResult ReplaceFileAtomically(const std::filesystem::path& target,
                                        std::string_view bytes) {
  return win32::ReplaceFileAtomically(target, bytes, [](DWORD ms) { Sleep(ms); });
}

}  // namespace korvex7::platform
