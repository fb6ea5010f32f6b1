#include "core/transfer/bulk_run.h"

namespace korvex7 {

void ClearRunState(ReplyWait& w) { ResetReplyWait(w); }

bool BulkRun::Running(const Session& s) const {
  return seq_.timerId != 0 && s.replyWait.bulkState == seq_.timerId;
}

bool BulkRun::Start(Session& s) {
  ReplyWait& w = s.replyWait;
  if (w.ackPending != 0 || w.bulkState != 0 || seq_.stepCount <= 0) return false;
  w.bulkStep = 0;
  w.transferMode = kTransferRunStep;
  w.bulkState = seq_.timerId;
  return true;
}

BulkTick BulkRun::Finish(Session& s) {
  ReplyWait& w = s.replyWait;
  ClearRunState(w);
  if (w.outcome == kOutcomeRunComplete) {
    w.outcome = kOutcomeNone;
    if (seq_.setsModifiedOnSuccess) s.model.document.modified = 1;
    return BulkTick{BulkTick::kSucceeded};
  }
  return BulkTick{BulkTick::kFailed};
}

BulkTick BulkRun::Tick(Session& s) {
  if (!Running(s)) return BulkTick{BulkTick::kNotRunning};
  ReplyWait& w = s.replyWait;
  if (w.outcome == kOutcomeRunComplete || w.unitStatus == kStatusShownDuringRun) return Finish(s);
  if (w.waitTicks != 0 || w.unitStatus != 0) return BulkTick{BulkTick::kWaiting};

  const int n = w.bulkStep;
  if (n >= seq_.stepCount) {
    // Every step has gone out and the last one settled without completing the
    // run (nothing can acknowledge it any more): end the run rather than let
    // it wait for ever with Cancel ignored.
    return Finish(s);
  }
  ++w.bulkStep;
  if (n == seq_.stepCount - 1) w.transferMode = kTransferRunLastStep;
  BulkTick tick{BulkTick::kStepSent};
  tick.step = n;
  tick.percent = PercentAfter(w.bulkStep);
  const BulkStepResult r = seq_.runStep(s, n);
  if (r == BulkStepResult::kTitleRefused) {
    w.unitStatus = kStatusCommandError;
    tick.showTitleCharacterMessage = true;
  }
  return tick;
}

BulkCancel BulkRun::Cancel(Session& s) {
  if (!Running(s)) return BulkCancel::kNotRunning;
  if (s.replyWait.transferMode == kTransferRunLastStep) return BulkCancel::kIgnored;
  ClearRunState(s.replyWait);
  return BulkCancel::kCancelled;
}

int BulkRun::PercentAfter(int stepsStarted) const {
  return seq_.stepCount > 0 ? stepsStarted * 100 / seq_.stepCount : 0;
}

}  // namespace korvex7
