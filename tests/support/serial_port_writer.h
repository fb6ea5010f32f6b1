// Lets the core's SendCommand write to a POSIX SerialPort, for the tests that
// drive the simulator over a pseudo-terminal as the program would. Write
// errors are not reported to the core (a lost frame shows as the reply
// time-out); the last one is kept here for whoever wants to show it.
#pragma once

#include <optional>
#include <string_view>

#include "core/link/port.h"
#include "platform/posix/serial_port.h"

namespace korvex7::posix {

class SerialPortWriter : public PortWriter {
 public:
  explicit SerialPortWriter(SerialPort& port) : port_(port) {}

  void Write(std::string_view frame) override {
    try {
      port_.WriteAll(frame);
    } catch (const SerialError& e) {
      lastError_ = e;
    }
  }

  const std::optional<SerialError>& lastError() const { return lastError_; }
  void ClearError() { lastError_.reset(); }

 private:
  SerialPort& port_;
  std::optional<SerialError> lastError_;
};

}  // namespace korvex7::posix
