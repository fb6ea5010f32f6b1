#include "core/link/status_timer.h"

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

std::optional<StatusMessage> StatusTimerTick(ReplyWait& w) {
  if (w.unitStatus == kStatusNone || w.unitStatus == kStatusShownDuringRun) {
    if (w.outcome == kOutcomeSingleAcknowledged) {
      w.outcome = kOutcomeNone;
      w.waitTicks = 0;
      return StatusMessage{"Success", "接続成功", MessageIcon::kNone, MessageBeep::kNone};
    }
    if (w.waitTicks == 0) return std::nullopt;
    ++w.waitTicks;
    if (w.waitTicks <= kReplyTimeoutTicks) return std::nullopt;
    w.ackPending = 0;
    if (w.transferMode != kTransferSingle) w.unitStatus = kStatusShownDuringRun;
    w.waitTicks = 0;
    return StatusMessage{"No Connect", "接続失敗", MessageIcon::kError, MessageBeep::kNone};
  }
  if (w.unitStatus >= kStatusMenu && w.unitStatus <= kStatusE3) {
    const std::string_view text = UnitStatusText(w.unitStatus);
    w.waitTicks = 0;
    w.unitStatus = w.transferMode != kTransferSingle ? kStatusShownDuringRun : kStatusNone;
    return StatusMessage{text, "Error", MessageIcon::kError, MessageBeep::kQuestion};
  }
  if (w.unitStatus == kStatusDuplicateChannel) {
    w.unitStatus = kStatusShownDuringRun;
    return StatusMessage{"チャンネルが重複しています。", "Error", MessageIcon::kWarning,
                         MessageBeep::kNone};
  }
  return std::nullopt;
}

StatusMessage InvalidTitleCharactersMessage() {
  return StatusMessage{"ＪＩＳ第１水準,第２水準以外の字が選択されてます", "Error",
                       MessageIcon::kWarning, MessageBeep::kQuestion};
}

}  // namespace korvex7
