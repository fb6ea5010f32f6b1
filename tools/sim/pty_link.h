// PtyLink: the symbolic link that gives a pseudo-terminal's slave end a
// stable name (for example the path Wine maps to COM1). A link left behind by
// an earlier run is replaced; anything else at the path is left alone. The
// link is removed when the PtyLink goes, unless it no longer points to our
// pseudo-terminal (another run took the name over).
#pragma once

#include <string>

namespace korvex7::sim {

class PtyLink {
 public:
  // Makes `linkPath` a symbolic link to `target`. Throws std::runtime_error
  // with the path and the reason when it cannot.
  PtyLink(std::string linkPath, std::string target);
  PtyLink(const PtyLink&) = delete;
  PtyLink& operator=(const PtyLink&) = delete;
  ~PtyLink();

  const std::string& path() const { return path_; }
  const std::string& target() const { return target_; }

  // Removes the link now if it still points to our target.
  void Remove();

 private:
  std::string path_;
  std::string target_;
  bool removed_ = false;
};

}  // namespace korvex7::sim
