// The simulator's log: one line per frame, its bytes escaped (EscapeWire).
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "core/text/escaped_bytes.h"

namespace korvex7::sim {

// "2025-03-05 09:07:00.123": local time with milliseconds.
std::string LogTimestamp(std::chrono::system_clock::time_point when);

// One log line (without line end): time stamp, direction ("RX" for a frame
// received, "TX" for an answer sent), the escaped bytes and, when given, a
// note in parentheses.
std::string LogLine(std::chrono::system_clock::time_point when, std::string_view direction,
                    std::string_view bytes, std::string_view note = {});

}  // namespace korvex7::sim
