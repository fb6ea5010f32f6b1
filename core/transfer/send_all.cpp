#include "core/transfer/send_all.h"

#include "core/transfer/send_all_steps.h"

namespace korvex7 {

namespace {
BulkStepResult ToBulkStepResult(StepResult r) {
  switch (r) {
    case StepResult::kSent:
      return BulkStepResult::kSent;
    case StepResult::kTitleRefused:
      return BulkStepResult::kTitleRefused;
    case StepResult::kRefused:
      break;
  }
  return BulkStepResult::kRefused;
}

}  // namespace

BulkSequence SendAllSequence() {
  BulkSequence seq;
  seq.timerId = kSendAllTimerId;
  seq.stepCount = kSendAllStepCount;
  seq.runStep = [](Session& s, int index) { return ToBulkStepResult(RunSendAllStep(s, index)); };
  seq.setsModifiedOnSuccess = true;
  seq.successText = "設定が完了しました";
  seq.successCaption = "接続成功";
  return seq;
}

}  // namespace korvex7
