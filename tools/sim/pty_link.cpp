#include "tools/sim/pty_link.h"

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace korvex7::sim {

namespace {

std::string ReadLink(const std::string& path) {
  std::string target(4096, '\0');
  const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
  if (n < 0) return {};
  target.resize(static_cast<std::size_t>(n));
  return target;
}

}  // namespace

PtyLink::PtyLink(std::string linkPath, std::string target)
    : path_(std::move(linkPath)), target_(std::move(target)) {
  struct stat st {};
  if (::lstat(path_.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
    throw std::runtime_error(path_ + ": exists and is not a symbolic link; not replacing it");
  }
  // Made under a temporary name and renamed over the old link, so the name
  // never points nowhere while an old link is being replaced.
  const std::string temp = path_ + ".new" + std::to_string(::getpid());
  ::unlink(temp.c_str());
  if (::symlink(target_.c_str(), temp.c_str()) != 0) {
    throw std::runtime_error(path_ + ": cannot create the link: " + std::strerror(errno));
  }
  if (::rename(temp.c_str(), path_.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    ::unlink(temp.c_str());
    throw std::runtime_error(path_ + ": cannot create the link: " + reason);
  }
}

PtyLink::~PtyLink() { Remove(); }

void PtyLink::Remove() {
  if (removed_) return;
  removed_ = true;
  if (ReadLink(path_) == target_) ::unlink(path_.c_str());
}

}  // namespace korvex7::sim
