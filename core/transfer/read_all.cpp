#include "core/transfer/read_all.h"

#include "core/link/send_command.h"
#include "core/transfer/send_all_steps.h"

namespace korvex7 {

std::string_view ReadAllQuery(int index) { return StepQuery(index); }

BulkSequence ReadAllSequence() {
  BulkSequence seq;
  seq.timerId = kReadAllTimerId;
  seq.stepCount = kReadAllStepCount;
  seq.runStep = [](Session& s, int index) {
    SendCommandCopy(s, ReadAllQuery(index));
    return BulkStepResult::kSent;
  };
  seq.setsModifiedOnSuccess = true;
  seq.successText = "読み込みが完了しました";
  seq.successCaption = "接続成功";
  return seq;
}

void PrepareReadAllAddress(SettingsModel& model) {
  if (model.link.slaveAddress == kBroadcastAddress) model.link.slaveAddress = kMaxUnitAddress;
}

}  // namespace korvex7
