// Wire text as people read it: printable ASCII as is, CR and LF as \r and
// \n, every other byte as \xNN, a backslash as \\. Used by the simulator's
// log, where one frame must stay on one line.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace korvex7::sim {

std::string EscapeWire(std::string_view bytes);

// "2025-03-05 09:07:00.123": local time with milliseconds.
std::string LogTimestamp(std::chrono::system_clock::time_point when);

// One log line (without line end): time stamp, direction ("RX" for a frame
// received, "TX" for an answer sent), the escaped bytes and, when given, a
// note in parentheses.
std::string LogLine(std::chrono::system_clock::time_point when, std::string_view direction,
                    std::string_view bytes, std::string_view note = {});

}  // namespace korvex7::sim
