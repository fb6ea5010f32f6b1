// Wire bytes as people read them: printable ASCII as is, CR and LF as \r and
// \n, a backslash as \\ and every other byte as \xNN, so that one frame stays
// on one line of a log or a report.
#pragma once

#include <string>
#include <string_view>

namespace korvex7 {

std::string EscapeWire(std::string_view bytes);

}  // namespace korvex7
