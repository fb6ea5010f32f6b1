// How a port of the computer's list is shown, and the port a label names:
// a port may be given as the list shows it.
#include "platform/port_list.h"

#include <gtest/gtest.h>

namespace korvex7::platform {
namespace {

TEST(PortListTest, LabelsAndTheirPorts) {
  struct Row {
    SerialPortInfo port;
    const char* label;
  };
  const Row rows[] = {
      {{"COM7", "USB Serial Port"}, "COM7 (USB Serial Port)"},
      {{"COM1", "通信ポート"}, "COM1 (通信ポート)"},
      {{"COM12", ""}, "COM12"},
      {{"/dev/ttyUSB0", ""}, "/dev/ttyUSB0"},
      {{"COM3", "Prolific USB-to-Serial Comm Port (v2)"},
       "COM3 (Prolific USB-to-Serial Comm Port (v2))"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(PortLabel(row.port), row.label);
    EXPECT_EQ(PortNameOfLabel(row.label), row.port.name);
  }
}

TEST(PortListTest, OnlyACOMNameIsTakenOutOfItsLabel) {
  const std::pair<const char*, const char*> rows[] = {
      {"com7 (USB)", "com7"},
      {"COM7", "COM7"},
      {"COM7 (USB", "COM7 (USB"},
      {"COM (USB)", "COM (USB)"},
      {"COMX (USB)", "COMX (USB)"},
      {"/dev/serial/by-id/usb (1)", "/dev/serial/by-id/usb (1)"},
      {"tcp://host:4001", "tcp://host:4001"},
      {"", ""},
      {")", ")"},
  };
  for (const auto& [text, name] : rows) {
    SCOPED_TRACE(text);
    EXPECT_EQ(PortNameOfLabel(text), name);
  }
}

}  // namespace
}  // namespace korvex7::platform
