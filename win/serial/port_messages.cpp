#include "win/serial/port_messages.h"

namespace korvex7::win {

std::wstring_view OpenStepMessage(win32::OpenStep step) {
  switch (step) {
    case win32::OpenStep::kOpen:
      return L"Miss! File Open";
    case win32::OpenStep::kEventMask:
      return L"Miss! Mask Set";
    case win32::OpenStep::kQueues:
      return L"Miss! Buffer Set";
    case win32::OpenStep::kTimeouts:
      return L"Miss! Time Out Set";
    case win32::OpenStep::kLineSettings:
      break;
  }
  return L"Miss! Set Comm State";
}

}  // namespace korvex7::win
