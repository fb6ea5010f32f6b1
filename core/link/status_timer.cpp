#include "core/link/status_timer.h"

namespace korvex7 {

std::optional<StatusMessage> StatusTimerTick(ReplyWait& w) {
  if (w.unitStatus == kStatusNone || w.unitStatus == kStatusShownDuringRun) {
    if (w.outcome == kOutcomeSingleAcknowledged) {
      w.outcome = kOutcomeNone;
      w.waitTicks = 0;
      return SuccessMessage();
    }
    if (w.waitTicks == 0) return std::nullopt;
    ++w.waitTicks;
    if (w.waitTicks <= kReplyTimeoutTicks) return std::nullopt;
    w.ackPending = 0;
    if (w.transferMode != kTransferSingle) w.unitStatus = kStatusShownDuringRun;
    w.waitTicks = 0;
    return NoConnectMessage();
  }
  if (w.unitStatus >= kStatusMenu && w.unitStatus <= kStatusE3) {
    const StatusMessage message = UnitStatusMessage(w.unitStatus);
    w.waitTicks = 0;
    w.unitStatus = w.transferMode != kTransferSingle ? kStatusShownDuringRun : kStatusNone;
    return message;
  }
  if (w.unitStatus == kStatusDuplicateChannel) {
    w.unitStatus = kStatusShownDuringRun;
    return DuplicateChannelMessage();
  }
  return std::nullopt;
}

}  // namespace korvex7
