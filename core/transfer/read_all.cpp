#include "core/transfer/read_all.h"

#include "core/link/send_command.h"

namespace korvex7 {

namespace {
constexpr std::array<std::string_view, kReadAllStepCount> kQueries = {
    "RAM\r\n",     "RADT\r\n",    "RAP\r\n",    "RAD\r\n",    "RAR\r\n",    "RVL\r\n",
    "RVLD\r\n",    "RVLSO\r\n",   "RVLBC\r\n",  "RTSDR\r\n",  "RTSD\r\n",   "RCJ01\r\n",
    "RCJ02\r\n",   "RCJ03\r\n",   "RCJ04\r\n",  "RCJ05\r\n",  "RCJ06\r\n",  "RCJ07\r\n",
    "RCJ08\r\n",   "RCJ09\r\n",   "RCJ10\r\n",  "RCJ11\r\n",  "RCJ12\r\n",  "RCJ13\r\n",
    "RCJ14\r\n",   "RCJ15\r\n",   "RCJ16\r\n",  "RCTDS\r\n",  "RCTDD\r\n",  "RCTFSS\r\n",
    "RCTFSD\r\n",  "RCASTM\r\n",  "RCASM\r\n",  "RVAB\r\n",   "RVAC\r\n",   "RVASH\r\n",
    "RVASA\r\n",   "RVAH\r\n",    "RAGC\r\n",   "RVF\r\n",    "ROOV\r\n",   "ROOH\r\n",
    "RSPD4A\r\n",  "RSPD4B\r\n",  "RSPD4C\r\n", "RSPD4D\r\n", "RSPD9A\r\n", "RSPD9B\r\n",
    "RSPD13A\r\n", "RSPD13B\r\n", "RSPD16\r\n", "RCI\r\n",    "RBL\r\n",    "RPOS\r\n",
    "RNAR\r\n",
};

// What the answer to each query begins with: the keyword of its data line
// (the query is a short form of it: "RAD" is answered by "ADO..."), and for a
// title the title's number as well.
constexpr std::array<std::string_view, kReadAllStepCount> kReplyLeads = {
    "AM",    "ADT",   "AP",    "ADO",   "ARO",   "VL",    "VLDO",  "VLSOO", "VLBC",   "TSDR",
    "TSDO",  "CJ01",  "CJ02",  "CJ03",  "CJ04",  "CJ05",  "CJ06",  "CJ07",  "CJ08",   "CJ09",
    "CJ10",  "CJ11",  "CJ12",  "CJ13",  "CJ14",  "CJ15",  "CJ16",  "CTDSO", "CTDDO",  "CTFSS",
    "CTFSD", "CASTM", "CASM",  "VAB",   "VAC",   "VASH",  "VASA",  "VAH",   "AGC",    "VF",
    "OOV",   "OOH",   "SPD4A", "SPD4B", "SPD4C", "SPD4D", "SPD9A", "SPD9B", "SPD13A", "SPD13B",
    "SPD16", "CI",    "BL",    "POS",   "NAR",
};
}  // namespace

std::string_view ReadAllQuery(int index) {
  if (index < 0 || index >= kReadAllStepCount) return {};
  return kQueries[static_cast<std::size_t>(index)];
}

std::string_view ReadAllReplyLead(int index) {
  if (index < 0 || index >= kReadAllStepCount) return {};
  return kReplyLeads[static_cast<std::size_t>(index)];
}

std::string_view ReplyLeadOfQuery(std::string_view command) {
  for (std::size_t i = 0; i < kQueries.size(); ++i) {
    if (kQueries[i] == command) return kReplyLeads[i];
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
