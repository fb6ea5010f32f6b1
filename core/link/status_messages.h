// The messages the program shows about the unit's answers, written once: the
// main window's status timer shows them (status_timer.h), the dialogs show
// the title-character warning, and the command-line tool reports the same
// words.
#pragma once

#include <string_view>

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

// The text shown for unit status 1..8 ("Menu Display" ... "Command Error"),
// empty for any other code.
std::string_view UnitStatusText(int unitStatus);

// "Success": a single command was acknowledged.
StatusMessage SuccessMessage();

// "No Connect": no answer came in time.
StatusMessage NoConnectMessage();

// The unit answered with status 1..8: its text (UnitStatusText).
StatusMessage UnitStatusMessage(int unitStatus);

// A split layout shows a channel twice.
StatusMessage DuplicateChannelMessage();

// A title holds characters the unit cannot show.
StatusMessage InvalidTitleCharactersMessage();

}  // namespace korvex7
