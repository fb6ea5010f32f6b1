// The reply-status decision of the main window's 190 ms timer. The timer
// handler calls StatusTimerTick once per tick; it settles ReplyWait exactly as
// the program must and says which message box, if any, to show. The status is
// changed before the box is shown, so ticks that arrive while a box is open do
// not show it again.
#pragma once

#include <optional>
#include <string_view>

#include "core/link/reply_wait.h"

namespace korvex7 {

enum class MessageIcon { kNone, kError, kWarning };
enum class MessageBeep { kNone, kQuestion };

struct StatusMessage {
  std::string_view text;     // UTF-8
  std::string_view caption;  // UTF-8
  MessageIcon icon = MessageIcon::kNone;
  MessageBeep beep = MessageBeep::kNone;

  friend bool operator==(const StatusMessage&, const StatusMessage&) = default;
};

inline constexpr int kReplyTimeoutTicks = 10;

// The text shown for unit status 1..8 ("Menu Display" ... "Command Error"),
// empty for any other code. The command-line tool reports the same words.
std::string_view UnitStatusText(int unitStatus);

// Steps 2 to 5 of the status timer: success, time-out, unit errors and the
// duplicate-channel warning.
std::optional<StatusMessage> StatusTimerTick(ReplyWait& w);

// The title-character warning, shown by its caller after it set the status.
StatusMessage InvalidTitleCharactersMessage();

}  // namespace korvex7
