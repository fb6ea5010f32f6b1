#include "core/transfer/read_all.h"

#include <iterator>

#include "core/link/send_command.h"
#include "core/transfer/send_all_steps.h"

namespace korvex7 {

namespace {

// What the answer to each query begins with, in step order: the keyword of
// its data line (the query is a short form of it: "RAD" is answered by
// "ADO..."), and for a title the title's number as well.
constexpr std::string_view kReplyLeads[] = {
    "AM",    "ADT",   "AP",    "ADO",   "ARO",   "VL",    "VLDO",  "VLSOO", "VLBC",   "TSDR",
    "TSDO",  "CJ01",  "CJ02",  "CJ03",  "CJ04",  "CJ05",  "CJ06",  "CJ07",  "CJ08",   "CJ09",
    "CJ10",  "CJ11",  "CJ12",  "CJ13",  "CJ14",  "CJ15",  "CJ16",  "CTDSO", "CTDDO",  "CTFSS",
    "CTFSD", "CASTM", "CASM",  "VAB",   "VAC",   "VASH",  "VASA",  "VAH",   "AGC",    "VF",
    "OOV",   "OOH",   "SPD4A", "SPD4B", "SPD4C", "SPD4D", "SPD9A", "SPD9B", "SPD13A", "SPD13B",
    "SPD16", "CI",    "BL",    "POS",   "NAR",
};

}  // namespace

std::string_view ReadAllQuery(int index) { return StepQuery(index); }

std::string_view ReadAllReplyLead(int index) {
  if (index < 0 || index >= kReadAllStepCount ||
      index >= static_cast<int>(std::size(kReplyLeads))) {
    return {};
  }
  return kReplyLeads[static_cast<std::size_t>(index)];
}

std::string_view ReplyLeadOfQuery(std::string_view command) {
  for (int i = 0; i < kReadAllStepCount; ++i) {
    if (StepQuery(i) == command) return ReadAllReplyLead(i);
  }
  return {};
}

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
