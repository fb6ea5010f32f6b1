// The ports the communication settings offer: COM1 to COM6 always, at the
// head of the list as ever; then every other port of the computer in the
// order of their numbers; and the port chosen last when it is not among
// them (its USB adapter is unplugged), so that the choice in use is always
// there to keep. Each shows the device's own name where Windows gives one:
// "COM7 (USB Serial Port)".
//
// A choice is a name the profile keeps ("port") and a label; a serial
// device server's address would be one more choice of the same kind.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/port_list.h"

namespace korvex7::win {

struct PortChoice {
  std::wstring name;   // "COM7": what is opened and stored
  std::wstring label;  // "COM7 (USB Serial Port)": what the list shows

  friend bool operator==(const PortChoice&, const PortChoice&) = default;
};

std::vector<PortChoice> BuildPortChoices(const std::vector<platform::SerialPortInfo>& present,
                                         std::wstring_view current);

// The index of the choice named `name` (any case), -1 when none is.
int FindPortChoice(const std::vector<PortChoice>& choices, std::wstring_view name);

}  // namespace korvex7::win
