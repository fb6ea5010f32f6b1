// The reply-status decision of the main window's 190 ms timer. The timer
// handler calls StatusTimerTick once per tick; it settles ReplyWait exactly as
// the program must and says which message box, if any, to show: "Success"
// for an acknowledged single command, "No Connect" once an awaited answer is
// kReplyTimeoutTicks ticks late, the unit's status word, or the
// duplicate-channel warning. The status is changed before the box is shown,
// so ticks that arrive while a box is open do not show it again.
#pragma once

#include <optional>

#include "core/link/reply_wait.h"
#include "core/link/status_messages.h"

namespace korvex7 {

inline constexpr int kReplyTimeoutTicks = 10;

std::optional<StatusMessage> StatusTimerTick(ReplyWait& w);

}  // namespace korvex7
