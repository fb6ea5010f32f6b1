// The core's only way to the wire: something that takes the bytes of one
// frame. The Win32 program writes them with an overlapped WriteFile, the
// POSIX tools with write(2), tests record them.
#pragma once

#include <string_view>

namespace korvex7 {

class PortWriter {
 public:
  virtual ~PortWriter() = default;
  // Takes one complete frame. Write errors are not reported here: a unit that
  // does not receive the frame shows up as the reply time-out.
  virtual void Write(std::string_view frame) = 0;
};

}  // namespace korvex7
