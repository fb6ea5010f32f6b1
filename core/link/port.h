// The core's only way to the wire: something that takes the bytes of one
// frame. The program writes them to its serial port (an overlapped
// WriteFile), korvex7ctl to its link (a serial port, or a TCP connection to a
// serial device server), tests record them.
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
