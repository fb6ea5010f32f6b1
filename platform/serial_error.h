// The failure of a serial port, the same on every platform: what kind of
// failure it was, the port's name, and the operating system's error code
// with its words, both in the message and on their own (for a caller that
// words its own message).
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace korvex7::platform {

enum class SerialErrorKind {
  kNotFound,    // no such port or device
  kBusy,        // another program holds the port
  kPermission,  // not allowed to open it
  kNotATty,     // exists but is not a serial device or terminal
  kConfigure,   // the line settings were refused
  kIo,          // a read or write failed, or the line hung up
  kTimeout,     // a write could not finish in time (e.g. held by XOFF)
  kOther,
};

class SerialError : public std::runtime_error {
 public:
  SerialError(SerialErrorKind kind, std::string device, std::string what, int osError,
              std::string osText = {})
      : std::runtime_error(std::move(what)),
        kind_(kind),
        device_(std::move(device)),
        osError_(osError),
        osText_(std::move(osText)) {}

  SerialErrorKind kind() const { return kind_; }
  const std::string& device() const { return device_; }
  // errno on POSIX, GetLastError() on Windows; 0 when no OS call failed.
  int osError() const { return osError_; }
  // The system's words for osError(); empty when there are none.
  const std::string& osText() const { return osText_; }

 private:
  SerialErrorKind kind_;
  std::string device_;
  int osError_;
  std::string osText_;
};

}  // namespace korvex7::platform
