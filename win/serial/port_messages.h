// The program's words for the port: the message of each step of opening it
// that failed, shown in its own box, in the order the steps run.
#pragma once

#include <string_view>

#include "platform/win32/serial_line.h"

namespace korvex7::win {

// "Miss! File Open", "Miss! Mask Set", "Miss! Buffer Set", "Miss! Time Out
// Set", "Miss! Set Comm State".
std::wstring_view OpenStepMessage(win32::OpenStep step);

}  // namespace korvex7::win
