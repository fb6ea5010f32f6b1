#include "core/transfer/dialog_sequences.h"

#include "core/commands/title_commands.h"
#include "core/commands/video_adjust_commands.h"

namespace korvex7 {

BulkSequence TitleSequence() {
  BulkSequence seq;
  seq.timerId = kTitleTimerId;
  seq.stepCount = kTitleSequenceSteps;
  seq.runStep = [](Session& s, int index) {
    TitleWorkBuffer buffer{};
    if (PrepareTitle(s.model, index, buffer) == 1 && SendTitle(s, index, buffer) == 0) {
      return BulkStepResult::kSent;
    }
    return BulkStepResult::kTitleRefused;
  };
  seq.successText = "Success";
  seq.successCaption = "接続成功";
  return seq;
}

BulkSequence VideoAdjustSequence() {
  BulkSequence seq;
  seq.timerId = kVideoAdjustTimerId;
  seq.stepCount = kVideoAdjustSequenceSteps;
  seq.runStep = [](Session& s, int index) {
    using Sender = bool (*)(Session&);
    static constexpr Sender kSteps[kVideoAdjustSequenceSteps] = {
        SendBrightnessAll, SendContrastAll, SendHueAll, SendSharpnessAll, SendSaturationAll};
    return kSteps[index](s) ? BulkStepResult::kSent : BulkStepResult::kRefused;
  };
  seq.successText = "設定しました";
  seq.successCaption = "接続成功";
  return seq;
}

}  // namespace korvex7
