#include "tools/sim/wire_text.h"

#include <time.h>

#include <cstdio>

namespace korvex7::sim {

std::string LogTimestamp(std::chrono::system_clock::time_point when) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch());
  const time_t seconds = static_cast<time_t>(ms.count() / 1000);
  const int millis = static_cast<int>(ms.count() % 1000);
  tm local{};
  localtime_r(&seconds, &local);
  char buffer[80];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, millis);
  return buffer;
}

std::string LogLine(std::chrono::system_clock::time_point when, std::string_view direction,
                    std::string_view bytes, std::string_view note) {
  std::string line = LogTimestamp(when);
  line += ' ';
  line += direction;
  line += ' ';
  line += EscapeWire(bytes);
  if (!note.empty()) {
    line += " (";
    line += note;
    line += ')';
  }
  return line;
}

}  // namespace korvex7::sim
