#include "core/link/status_messages.h"

#include "core/link/reply_wait.h"

namespace korvex7 {

namespace {
constexpr std::string_view kUnitStatusTexts[] = {
    "Menu Display",  "Alarm Display", "Lock Display",   "Mode Error",
    "Framing Error", "Parity Error",  "Over Run Error", "Command Error",
};
}  // namespace

std::string_view UnitStatusText(int unitStatus) {
  if (unitStatus < kStatusMenu || unitStatus > kStatusE3) return {};
  return kUnitStatusTexts[unitStatus - kStatusMenu];
}

StatusMessage SuccessMessage() {
  return StatusMessage{"Success", "接続成功", MessageIcon::kNone, MessageBeep::kNone};
}

StatusMessage NoConnectMessage() {
  return StatusMessage{"No Connect", "接続失敗", MessageIcon::kError, MessageBeep::kNone};
}

StatusMessage UnitStatusMessage(int unitStatus) {
  return StatusMessage{UnitStatusText(unitStatus), "Error", MessageIcon::kError,
                       MessageBeep::kQuestion};
}

StatusMessage DuplicateChannelMessage() {
  return StatusMessage{"チャンネルが重複しています。", "Error", MessageIcon::kWarning,
                       MessageBeep::kNone};
}

StatusMessage InvalidTitleCharactersMessage() {
  return StatusMessage{"ＪＩＳ第１水準,第２水準以外の字が選択されてます", "Error",
                       MessageIcon::kWarning, MessageBeep::kQuestion};
}

}  // namespace korvex7
