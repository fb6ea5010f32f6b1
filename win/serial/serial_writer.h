// The core's way to the wire (PortWriter) over the program's serial port:
// each frame is started as one overlapped write and not waited for; a frame
// that does not arrive shows as the reply time-out.
#pragma once

#include <string_view>

#include "core/link/port.h"
#include "platform/win32/serial_port.h"

namespace korvex7::win {

class SerialPortWriter final : public PortWriter {
 public:
  explicit SerialPortWriter(win32::SerialPort& port) : port_(port) {}
  void Write(std::string_view frame) override { port_.Write(frame); }

 private:
  win32::SerialPort& port_;
};

}  // namespace korvex7::win
