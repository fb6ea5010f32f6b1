// A serial port of the computer as the platforms list it (ListSerialPorts in
// platform/posix and platform/win32): the name it is opened by and, where
// the system gives one, the device's own name, so that an operator can tell
// the USB adapter from the built-in port.
#pragma once

#include <string>
#include <string_view>

namespace korvex7::platform {

struct SerialPortInfo {
  std::string name;         // as the port opens: "COM7", "/dev/ttyUSB0"
  std::string description;  // "USB Serial Port"; empty when the system has none

  friend bool operator==(const SerialPortInfo&, const SerialPortInfo&) = default;
};

// How a port is shown: "COM7 (USB Serial Port)", or the name alone.
inline std::string PortLabel(const SerialPortInfo& port) {
  if (port.description.empty()) return port.name;
  return port.name + " (" + port.description + ")";
}

// The port a label shows: "COM7 (USB Serial Port)" is COM7, so that a port
// may be named as the list shows it. Only a COM name is taken out of its
// label; any other text is a name as it is.
inline std::string PortNameOfLabel(std::string_view label) {
  const std::size_t open = label.find(" (");
  if (open == std::string_view::npos || label.back() != ')') return std::string(label);
  const std::string_view name = label.substr(0, open);
  const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  bool com =
      name.size() > 3 && upper(name[0]) == 'C' && upper(name[1]) == 'O' && upper(name[2]) == 'M';
  for (std::size_t i = 3; com && i < name.size(); ++i) com = name[i] >= '0' && name[i] <= '9';
  return com ? std::string(name) : std::string(label);
}

}  // namespace korvex7::platform
