// Replacing a file on POSIX: a new file beside the target, given the
// target's permissions, written, flushed with fsync, closed and renamed over
// the target. A new file that a killed save left ("<target>.partial-<pid>-
// <n>" of a process that is gone) is removed by the next save of the target.
#include "platform/atomic_file.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/posix/unique_fd.h"

namespace korvex7::platform {

namespace {

constexpr std::string_view kPartial = ".partial-";

std::string ErrnoWords(int error) { return std::strerror(error); }

// Creates "<target>.partial-<pid>-<n>" with O_EXCL, so that two writers of
// one target never share a new file; it gets the permissions of any new
// file (0666 less the umask) until it is given the target's.
posix::UniqueFd CreateBeside(const std::string& target, std::string& name, int& error) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + std::string(kPartial) + std::to_string(::getpid()) + "-" +
           std::to_string(counter++);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return posix::UniqueFd(fd);
    error = errno;
    if (error != EEXIST) break;
  }
  name.clear();
  return {};
}

// The new file takes the mode, owner and group of the file it replaces, so
// that a file kept private stays private. An owner the process may not give
// is left as it is (the group is tried alone); the mode is given anyway.
void TakeOwnershipAndMode(int fd, const std::string& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  if (::fchown(fd, st.st_uid, st.st_gid) != 0)
    (void)::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
  (void)::fchmod(fd, st.st_mode & 07777);
}

// The process id in "<pid>-<n>", or 0 when the text is not of that form.
pid_t PartialOwner(std::string_view rest) {
  const std::size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == rest.size()) return 0;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (i != dash && (rest[i] < '0' || rest[i] > '9')) return 0;
  }
  const long pid = std::strtol(std::string(rest.substr(0, dash)).c_str(), nullptr, 10);
  return pid > 0 && pid < (1L << 30) ? static_cast<pid_t>(pid) : 0;
}

// Removes the new files of earlier saves of `target` whose process has
// ended (killed in the middle of a save). Those of a running process, this
// one included, may still be in use and stay.
void RemoveLeftovers(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.parent_path();
  const std::string folderName = folder.empty() ? std::string(".") : folder.native();
  const std::string prefix = target.filename().native() + std::string(kPartial);
  DIR* dir = ::opendir(folderName.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) continue;
    const pid_t owner = PartialOwner(name.substr(prefix.size()));
    if (owner == 0 || owner == ::getpid()) continue;
    if (::kill(owner, 0) == 0 || errno != ESRCH) continue;
    (void)::unlink(
        (folder.empty() ? std::string(name) : folderName + "/" + std::string(name)).c_str());
  }
  ::closedir(dir);
}

// 0 when every byte was written, otherwise the errno that stopped it.
int WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

// The rename reaches the disk with the folder's next flush; flushing the
// folder now makes the new name as durable as the content. A folder that
// cannot be opened or flushed leaves the file replaced all the same.
void FlushFolderOf(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.parent_path();
  const std::string name = folder.empty() ? std::string(".") : folder.native();
  const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  (void)::close(fd);
}

}  // namespace

FileReplaceResult ReplaceFileAtomically(const std::filesystem::path& target,
                                        std::string_view bytes) {
  RemoveLeftovers(target);
  std::string temporary;
  int error = 0;
  posix::UniqueFd fd = CreateBeside(target.native(), temporary, error);
  if (!fd.valid()) {
    return FileReplaceFailure(target, FileReplaceStep::kCreate, ErrnoWords(error));
  }
  TakeOwnershipAndMode(fd.get(), target.native());
  error = WriteAll(fd.get(), bytes);
  if (error == 0 && ::fsync(fd.get()) != 0) error = errno;
  if (::close(fd.release()) != 0 && error == 0) error = errno;
  if (error != 0) {
    (void)::unlink(temporary.c_str());
    return FileReplaceFailure(target, FileReplaceStep::kWrite, ErrnoWords(error));
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    error = errno;
    (void)::unlink(temporary.c_str());
    return FileReplaceFailure(target, FileReplaceStep::kReplace, ErrnoWords(error));
  }
  FlushFolderOf(target);
  return {};
}

}  // namespace korvex7::platform
