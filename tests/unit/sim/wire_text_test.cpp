#include "tools/sim/wire_text.h"

#include <gtest/gtest.h>

namespace korvex7::sim {
namespace {

TEST(WireText, EscapesControlBytesSoAFrameStaysOnOneLine) {
  struct Row {
    std::string bytes;
    const char* shown;
  };
  const Row rows[] = {
      {"AMI\r\n", "AMI\\r\\n"},
      {"05GO\r\n", "05GO\\r\\n"},
      {std::string("\0\x01\x1F\x7F", 4), "\\x00\\x01\\x1F\\x7F"},
      {"\x81\x40", "\\x81@"},
      {"a\\b", "a\\\\b"},
      {"\t", "\\x09"},
      {"", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.shown);
    EXPECT_EQ(EscapeWire(row.bytes), row.shown);
  }
}

TEST(WireText, LogLineHasTimeDirectionBytesAndNote) {
  const auto when = std::chrono::system_clock::now();
  const std::string stamp = LogTimestamp(when);
  ASSERT_EQ(stamp.size(), 23u);  // "2025-03-05 09:07:00.123"
  EXPECT_EQ(stamp[4], '-');
  EXPECT_EQ(stamp[10], ' ');
  EXPECT_EQ(stamp[19], '.');
  EXPECT_EQ(LogLine(when, "RX", "AMI\r\n"), stamp + " RX AMI\\r\\n");
  EXPECT_EQ(LogLine(when, "RX", "04AMI\r\n", "not for this unit"),
            stamp + " RX 04AMI\\r\\n (not for this unit)");
}

}  // namespace
}  // namespace korvex7::sim
