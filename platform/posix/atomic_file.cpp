// Replacing a file on POSIX: a new file beside the target, written, flushed
// with fsync, closed and renamed over the target.
#include "platform/atomic_file.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <string>

#include "platform/posix/unique_fd.h"

namespace korvex7::platform {

namespace {

std::string ErrnoWords(int error) { return std::strerror(error); }

// Creates "<target>.partial-<pid>-<n>" with O_EXCL, so that two writers of
// one target never share a new file; it gets the permissions of any new
// file (0666 less the umask).
posix::UniqueFd CreateBeside(const std::string& target, std::string& name, int& error) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + ".partial-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return posix::UniqueFd(fd);
    error = errno;
    if (error != EEXIST) break;
  }
  name.clear();
  return {};
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
  std::string temporary;
  int error = 0;
  posix::UniqueFd fd = CreateBeside(target.native(), temporary, error);
  if (!fd.valid()) {
    return FileReplaceFailure(target, FileReplaceStep::kCreate, ErrnoWords(error));
  }
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
