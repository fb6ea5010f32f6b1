#include "core/link/answer_check.h"

#include <gtest/gtest.h>

#include <string>

#include "core/transfer/read_all.h"
#include "core/transfer/send_all_steps.h"

namespace korvex7 {
namespace {

SettingsModel::Link Link(int mode, int address = 0) {
  SettingsModel::Link link;
  link.mode = mode;
  link.slaveAddress = address;
  return link;
}

ReceivedLine Line(std::string text) { return ReceivedLine{std::move(text), false}; }

struct CheckRow {
  int mode;
  const char* lead;  // "" for a Set
  const char* line;
  AnswerKind kind;
  int unitStatus;
};

const CheckRow kRows[] = {
    // A Set: GO or a status word.
    {kLinkRs232c, "", "GO\r\n", AnswerKind::kAccepted, 0},
    {kLinkRs232c, "", "E3\r\n", AnswerKind::kStatusWord, 8},
    {kLinkRs232c, "", "MENU\r\n", AnswerKind::kStatusWord, 1},
    {kLinkRs232c, "", "AMI\r\n", AnswerKind::kUnexpected, 0},
    {kLinkRs232c, "", "GO\n", AnswerKind::kUnexpected, 0},
    {kLinkRs232c, "", "GO\r\nGO\r\n", AnswerKind::kUnexpected, 0},
    {kLinkRs232c, "", "05GO\r\n", AnswerKind::kUnexpected, 0},
    // RS-485, unit 05: its address removed, another unit's kept.
    {kLinkRs485, "", "05GO\r\n", AnswerKind::kAccepted, 0},
    {kLinkRs485, "", "GO\r\n", AnswerKind::kAccepted, 0},
    {kLinkRs485, "", "04GO\r\n", AnswerKind::kUnexpected, 0},
    {kLinkRs485, "", "05LOCK\r\n", AnswerKind::kStatusWord, 3},
    {kLinkRs485, "", "04LOCK\r\n", AnswerKind::kUnexpected, 0},
    // A query: its own well-formed line, or a status word.
    {kLinkRs232c, "AM", "AME\r\n", AnswerKind::kAccepted, 0},
    {kLinkRs232c, "AM", "AMX\r\n", AnswerKind::kUnexpected, 0},
    {kLinkRs232c, "AM", "AME", AnswerKind::kUnexpected, 0},
    {kLinkRs232c, "AM", "GO\r\n", AnswerKind::kUnexpected, 0},
    {kLinkRs232c, "AM", "E1\r\n", AnswerKind::kStatusWord, 6},
    {kLinkRs232c, "AM", "APB\r\n", AnswerKind::kUnexpected, 0},
    {kLinkRs485, "AM", "05AME\r\n", AnswerKind::kAccepted, 0},
    {kLinkRs485, "AM", "04AME\r\n", AnswerKind::kUnexpected, 0},
    // The dispatcher's order decides which keyword takes a line.
    {kLinkRs232c, "ADO", "ADON\r\n", AnswerKind::kAccepted, 0},
    {kLinkRs232c, "ADT", "ADON\r\n", AnswerKind::kUnexpected, 0},
    {kLinkRs232c, "VL", "VLDON\r\n", AnswerKind::kUnexpected, 0},
    {kLinkRs232c, "VLDO", "VLDON\r\n", AnswerKind::kAccepted, 0},
    {kLinkRs232c, "CASM", "CASMS\r\n", AnswerKind::kAccepted, 0},
    {kLinkRs232c, "CASTM", "CASMS\r\n", AnswerKind::kUnexpected, 0},
};

TEST(AnswerCheck, EachLineAgainstTheCommandItFollows) {
  for (const CheckRow& row : kRows) {
    SCOPED_TRACE(std::string(row.lead) + " <- " + row.line);
    const AnswerCheck check = CheckAnswer(Link(row.mode, 5), row.lead, Line(row.line));
    EXPECT_EQ(check.kind, row.kind);
    EXPECT_EQ(check.unitStatus, row.unitStatus);
  }
}

TEST(AnswerCheck, AnOverlongLineAnswersNothing) {
  EXPECT_EQ(CheckAnswer(Link(kLinkRs232c), "", ReceivedLine{{}, true}).kind,
            AnswerKind::kUnexpected);
  EXPECT_EQ(CheckAnswer(Link(kLinkRs232c), "AM", ReceivedLine{{}, true}).kind,
            AnswerKind::kUnexpected);
}

// The unit reports each setting in the layout of the command that sets it,
// and the send-all run sets them in the read-all order: the Set of step i
// is, as a line, the answer to query i and to no other query.
TEST(AnswerCheck, EachQuerysAnswerHasTheLayoutOfItsSendAllStep) {
  const SettingsModel defaults;
  for (int i = 0; i < kReadAllStepCount; ++i) {
    const Encoded set = EncodeSendAllStep(defaults, i);
    ASSERT_TRUE(set.ok()) << i;
    SCOPED_TRACE(set.text);
    EXPECT_EQ(ReplyLeadOfQuery(ReadAllQuery(i)), ReadAllReplyLead(i));
    for (int j = 0; j < kReadAllStepCount; ++j) {
      const AnswerKind kind =
          CheckAnswer(Link(kLinkRs232c), ReadAllReplyLead(j), Line(set.text)).kind;
      EXPECT_EQ(kind == AnswerKind::kAccepted, i == j) << "as the answer to " << ReadAllQuery(j);
    }
  }
}

TEST(AnswerCheck, OnlyTheQueriesHaveADataLine) {
  EXPECT_EQ(ReplyLeadOfQuery("RAM\r\n"), "AM");
  EXPECT_EQ(ReplyLeadOfQuery("RCJ16\r\n"), "CJ16");
  for (const char* command : {"AMI\r\n", "RAM", "RCJ17\r\n", "ZZZ\r\n", ""}) {
    EXPECT_EQ(ReplyLeadOfQuery(command), "") << command;
  }
  EXPECT_EQ(ReadAllReplyLead(-1), "");
  EXPECT_EQ(ReadAllReplyLead(kReadAllStepCount), "");
}

}  // namespace
}  // namespace korvex7
