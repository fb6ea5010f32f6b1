#include "core/link/reply_assembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/link/reply_dispatcher.h"
#include "core/link/send_command.h"
#include "model_diff.h"

namespace korvex7 {
namespace {

using testing_support::ChangedFields;

// A session with a single dialog command out, just sent.
Session AwaitingSession(int mode = kLinkRs232c, int address = 0) {
  Session s;
  s.model.link.mode = mode;
  s.model.link.slaveAddress = address;
  s.replyWait.waitTicks = 4;
  s.replyWait.ackPending = 1;
  s.replyWait.transferMode = kTransferSingle;
  return s;
}

// The line was taken: the wait is over with this status and outcome, and
// the alarm mode as the line left it.
void ExpectLineTaken(const Session& s, int unitStatus, int outcome, int alarmMode) {
  EXPECT_EQ(s.replyWait.unitStatus, unitStatus);
  EXPECT_EQ(s.replyWait.outcome, outcome);
  EXPECT_EQ(s.model.alarm.mode, alarmMode);
  EXPECT_EQ(s.replyWait.waitTicks, 0);
  EXPECT_EQ(s.replyWait.ackPending, 0);
}

struct AddressCase {
  int mode;
  int address;
  const char* line;
  int unitStatus;
  int outcome;
  int alarmMode;  // alarm.mode after the line (0 before)
};

TEST(ReplyAssembler, StripsOnlyTheSelectedUnitsAddressInRs485) {
  const AddressCase cases[] = {
      // RS-485, unit 3 selected.
      {kLinkRs485, 3, "03GO\r\n", 0, 1, 0},
      {kLinkRs485, 3, "GO\r\n", 0, 1, 0},
      {kLinkRs485, 3, "04GO\r\n", 8, 0, 0},    // another unit's digits stay in the line
      {kLinkRs485, 3, "0303GO\r\n", 8, 0, 0},  // stripped once only
      {kLinkRs485, 3, "03AME\r\n", 0, 1, 1},
      {kLinkRs485, 3, "AME\r\n", 0, 1, 1},
      {kLinkRs485, 3, "04AME\r\n", 8, 0, 0},
      {kLinkRs485, 3, "03E3\r\n", 8, 0, 0},
      {kLinkRs485, 3, "03MENU\r\n", 1, 0, 0},
      {kLinkRs485, 3, "3GO\r\n", 8, 0, 0},
      // Other addresses: tens digit first, zero-padded.
      {kLinkRs485, 0, "00GO\r\n", 0, 1, 0},
      {kLinkRs485, 10, "10GO\r\n", 0, 1, 0},
      {kLinkRs485, 10, "01GO\r\n", 8, 0, 0},
      {kLinkRs485, 31, "31LOCK\r\n", 3, 0, 0},
      // Broadcast selected: replies are looked for with the digits 32.
      {kLinkRs485, kBroadcastAddress, "32GO\r\n", 0, 1, 0},
      {kLinkRs485, kBroadcastAddress, "FFGO\r\n", 8, 0, 0},
      {kLinkRs485, kBroadcastAddress, "GO\r\n", 0, 1, 0},
      // RS-232C: nothing is stripped, whatever the address.
      {kLinkRs232c, 3, "GO\r\n", 0, 1, 0},
      {kLinkRs232c, 3, "03GO\r\n", 8, 0, 0},
      {kLinkRs232c, 3, "03AME\r\n", 8, 0, 0},
      {kLinkRs232c, 0, "00GO\r\n", 8, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " address " << c.address << " line "
                                    << testing::PrintToString(std::string(c.line)));
    Session s = AwaitingSession(c.mode, c.address);
    ReplyAssembler(s, c.line);
    ExpectLineTaken(s, c.unitStatus, c.outcome, c.alarmMode);
  }
}

struct StatusCase {
  const char* line;
  int unitStatus;
};

TEST(ReplyAssembler, StatusWordsSetTheirCodeAndEndTheWait) {
  const StatusCase cases[] = {
      {"MENU\r\n", 1},
      {"ALARM\r\n", 2},
      {"LOCK\r\n", 3},
      {"GN\r\n", 4},
      {"E0\r\n", 5},
      {"E1\r\n", 6},
      {"E2\r\n", 7},
      {"E3\r\n", 8},
      // Only the exact line is a status word; anything else is a data line
      // that matches no keyword.
      {"E4\r\n", 8},
      {"E3\n", 8},
      {"E3 \r\n", 8},
      {"e3\r\n", 8},
      {"MENU\r", 8},
      {"MEN\r\n", 8},
      {"\r\n", 8},
      {"", 8},
  };
  for (int transferMode : {kTransferSingle, kTransferRunStep, kTransferRunLastStep}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << testing::PrintToString(std::string(c.line))
                                      << " transferMode " << transferMode);
      Session s = AwaitingSession();
      s.replyWait.transferMode = transferMode;
      s.replyWait.outcome = 0;
      const SettingsModel before = s.model;
      ReplyAssembler(s, c.line);
      EXPECT_EQ(s.replyWait.unitStatus, c.unitStatus);
      EXPECT_EQ(s.replyWait.outcome, 0);
      EXPECT_EQ(s.replyWait.waitTicks, 0);
      EXPECT_EQ(s.replyWait.ackPending, 0);
      EXPECT_EQ(s.replyWait.transferMode, transferMode);
      EXPECT_TRUE(ChangedFields(before, s.model).empty());
    }
  }
}

TEST(ReplyAssembler, StatusWordCodes) {
  EXPECT_EQ(StatusWordCode("MENU\r\n"), kStatusMenu);
  EXPECT_EQ(StatusWordCode("E3\r\n"), kStatusE3);
  EXPECT_EQ(StatusWordCode("GO\r\n"), kStatusNone);
  EXPECT_EQ(StatusWordCode("ALARM"), kStatusNone);
}

struct WaitCase {
  const char* name;
  const char* line;
  int ackPending;
  int transferMode;
  int unitStatusBefore;
  int outcomeBefore;
  int unitStatus;
  int outcome;
  int alarmMode;  // alarm.mode after the line (0 before)
};

TEST(ReplyAssembler, AcknowledgementsInSingleAndRunModes) {
  const WaitCase cases[] = {
      // "GO" while a command awaits it.
      {"GO, single command", "GO\r\n", 1, kTransferSingle, 0, 0, 0, 1, 0},
      {"GO, earlier step of a run", "GO\r\n", 1, kTransferRunStep, 0, 0, 0, 0, 0},
      {"GO, earlier step keeps an outcome", "GO\r\n", 1, kTransferRunStep, 0, 1, 0, 1, 0},
      {"GO, last step of a run", "GO\r\n", 1, kTransferRunLastStep, 0, 0, 0, 2, 0},
      {"GO clears a reported status", "GO\r\n", 1, kTransferSingle, 10, 0, 0, 1, 0},
      {"GO clears a pending status", "GO\r\n", 1, kTransferRunLastStep, 12, 0, 0, 2, 0},
      // "GO" with nothing awaited is not a reply to anything.
      {"unsolicited GO", "GO\r\n", 0, kTransferSingle, 0, 0, 8, 0, 0},
      {"unsolicited GO in a run", "GO\r\n", 0, kTransferRunLastStep, 0, 0, 8, 0, 0},
      // A data reply is the acknowledgement of a read request.
      {"data, single command", "AME\r\n", 1, kTransferSingle, 0, 0, 0, 1, 1},
      {"data, earlier step", "AME\r\n", 1, kTransferRunStep, 0, 0, 0, 0, 1},
      {"data, last step", "AME\r\n", 1, kTransferRunLastStep, 0, 0, 0, 2, 1},
      {"data, nothing awaited: stored only", "AME\r\n", 0, kTransferSingle, 0, 0, 0, 0, 1},
      {"data while a status is pending", "AME\r\n", 1, kTransferSingle, 10, 0, 10, 0, 1},
      {"malformed data, single command", "AMX\r\n", 1, kTransferSingle, 0, 0, 8, 0, 0},
      {"malformed data, last step", "AMX\r\n", 1, kTransferRunLastStep, 0, 0, 8, 0, 0},
      {"unknown line, earlier step", "XYZ\r\n", 1, kTransferRunStep, 0, 1, 8, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Session s = AwaitingSession();
    s.replyWait.ackPending = c.ackPending;
    s.replyWait.transferMode = c.transferMode;
    s.replyWait.unitStatus = c.unitStatusBefore;
    s.replyWait.outcome = c.outcomeBefore;
    s.replyWait.bulkStep = 17;
    s.replyWait.bulkState = kBulkReadAll;
    ReplyAssembler(s, c.line);
    ExpectLineTaken(s, c.unitStatus, c.outcome, c.alarmMode);
    EXPECT_EQ(s.replyWait.transferMode, c.transferMode);
    EXPECT_EQ(s.replyWait.bulkStep, 17);
    EXPECT_EQ(s.replyWait.bulkState, kBulkReadAll);
  }
}

TEST(ReplyAssembler, OverlongLineIsAMalformedReply) {
  Session s = AwaitingSession();
  s.replyWait.transferMode = kTransferRunLastStep;
  const SettingsModel before = s.model;
  HandleReceivedLine(s, ReceivedLine{{}, true});
  EXPECT_EQ(s.replyWait.unitStatus, kStatusCommandError);
  EXPECT_EQ(s.replyWait.outcome, 0);
  EXPECT_EQ(s.replyWait.waitTicks, 0);
  EXPECT_EQ(s.replyWait.ackPending, 0);
  EXPECT_TRUE(ChangedFields(before, s.model).empty());
}

// A line that returns what is sent (2-wire RS-485): the frame SendCommand
// wrote comes back before the unit's answer and must not pass for it.
TEST(ReplyEcho, TheFramesEchoIsSkippedOnceAndTheWaitGoesOn) {
  struct Row {
    const char* name;
    int mode;
    int address;
    const char* command;
    std::vector<std::string> lines;  // as they arrive after the frame
    int unitStatus;                  // after the last line
    int outcome;
    int ackPending;
    std::uint32_t echoes;
  };
  const Row rows[] = {
      {"the echo, then E3", kLinkRs232c, 0, "AME\r\n", {"AME\r\n", "E3\r\n"}, 8, 0, 0, 1},
      {"the echo, then GO", kLinkRs232c, 0, "AME\r\n", {"AME\r\n", "GO\r\n"}, 0, 1, 0, 1},
      {"the echo alone: still waiting", kLinkRs232c, 0, "AME\r\n", {"AME\r\n"}, 0, 0, 1, 1},
      {"RS-485: the address belongs to the frame",
       kLinkRs485,
       5,
       "AME\r\n",
       {"05AME\r\n", "05LOCK\r\n"},
       3,
       0,
       0,
       1},
      {"not the first line: decoded as before",
       kLinkRs232c,
       0,
       "AME\r\n",
       {"GO\r\n", "AME\r\n"},
       0,
       1,
       0,
       0},
      {"only once", kLinkRs232c, 0, "AME\r\n", {"AME\r\n", "AME\r\n"}, 0, 1, 0, 1},
      {"not byte for byte", kLinkRs232c, 0, "AME\r\n", {"AME\n"}, 8, 0, 0, 0},
      {"a query's echo", kLinkRs232c, 0, "RAM\r\n", {"RAM\r\n", "AME\r\n"}, 0, 1, 0, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Session s;
    s.model.link.mode = row.mode;
    s.model.link.slaveAddress = row.address;
    SendCommand(s, row.command);
    for (const std::string& line : row.lines) HandleReceivedLine(s, ReceivedLine{line, false});
    EXPECT_EQ(s.replyWait.unitStatus, row.unitStatus);
    EXPECT_EQ(s.replyWait.outcome, row.outcome);
    EXPECT_EQ(s.replyWait.ackPending, row.ackPending);
    EXPECT_EQ(s.sent.echoes, row.echoes);
  }
}

TEST(ReplyEcho, TheEchoLeavesTheWaitAsItWas) {
  Session s;
  SendCommand(s, "AME\r\n");
  s.replyWait.waitTicks = 4;
  const ReplyWait before = s.replyWait;
  EXPECT_FALSE(HandleReceivedLine(s, ReceivedLine{"AME\r\n", false}));
  EXPECT_EQ(s.replyWait, before);  // the time-out goes on counting
  EXPECT_EQ(s.model.alarm.mode, 0);
  EXPECT_TRUE(HandleReceivedLine(s, ReceivedLine{"GO\r\n", false}));
}

TEST(ReplyEcho, AnEarlierFramesLateEchoIsSkippedOnceBeforeTheFramesOwn) {
  Session s;
  s.model.link.mode = kLinkRs485;
  s.model.link.slaveAddress = 10;
  s.sent.earlier = "09RAM\r\n";
  SendCommand(s, "RAM\r\n");
  EXPECT_FALSE(HandleReceivedLine(s, ReceivedLine{"09RAM\r\n", false}));
  EXPECT_FALSE(HandleReceivedLine(s, ReceivedLine{"10RAM\r\n", false}));
  EXPECT_FALSE(TakeEcho(s, ReceivedLine{"09RAM\r\n", false}));
  EXPECT_EQ(s.sent.echoes, 2u);
}

TEST(ReplyEcho, ABroadcastsEchoIsNoError) {
  // No unit answers a broadcast; its echo is the only line that comes.
  Session s;
  s.model.link.mode = kLinkRs485;
  s.model.link.slaveAddress = kBroadcastAddress;
  SendCommand(s, "BLW\r\n");
  EXPECT_FALSE(HandleReceivedLine(s, ReceivedLine{"FFBLW\r\n", false}));
  EXPECT_EQ(s.replyWait, ReplyWait{});
}

TEST(ReplyEcho, AnOverlongLineIsNeverAnEcho) {
  Session s;
  SendCommand(s, "AME\r\n");
  EXPECT_FALSE(TakeEcho(s, ReceivedLine{{}, true}));
  EXPECT_FALSE(TakeEcho(s, ReceivedLine{"AME\r\n", false}));  // no longer the first line
  EXPECT_EQ(s.sent.echoes, 0u);
}

// From the bytes on the wire to ReplyWait: the assembler and the reply side
// together.
void FeedWire(Session& s, LineAssembler& a, std::string_view chunk) {
  for (const ReceivedLine& line : a.Feed(chunk)) HandleReceivedLine(s, line);
}

TEST(ReplyWire, SplitReplyIsOneAcknowledgement) {
  Session s = AwaitingSession();
  LineAssembler a;
  FeedWire(s, a, "G");
  EXPECT_EQ(s.replyWait.ackPending, 1);  // nothing complete yet
  EXPECT_EQ(s.replyWait.waitTicks, 4);
  FeedWire(s, a, "O\r\n");
  EXPECT_EQ(s.replyWait.outcome, kOutcomeSingleAcknowledged);
  EXPECT_EQ(s.replyWait.unitStatus, kStatusNone);
  EXPECT_EQ(s.replyWait.ackPending, 0);
}

TEST(ReplyWire, TwoRepliesInOneReadAreTwoLines) {
  // The first "GO" acknowledges the command; the second answers nothing that
  // was sent and is reported.
  Session s = AwaitingSession();
  LineAssembler a;
  FeedWire(s, a, "GO\r\nGO\r\n");
  EXPECT_EQ(s.replyWait.outcome, kOutcomeSingleAcknowledged);
  EXPECT_EQ(s.replyWait.unitStatus, kStatusCommandError);

  // A data reply and a status word in one read: both take effect.
  Session t = AwaitingSession();
  FeedWire(t, a, "AME\r\nLOCK\r\n");
  EXPECT_EQ(t.model.alarm.mode, 1);
  EXPECT_EQ(t.replyWait.outcome, kOutcomeSingleAcknowledged);
  EXPECT_EQ(t.replyWait.unitStatus, kStatusLock);
}

TEST(ReplyWire, OverlongReplyIsReportedAndTheNextReplyDecodes) {
  Session s = AwaitingSession();
  LineAssembler a;
  FeedWire(s, a, std::string(400, 'A'));
  EXPECT_EQ(s.replyWait.ackPending, 1);
  FeedWire(s, a, std::string(400, 'A') + "\r\n");
  EXPECT_EQ(s.replyWait.unitStatus, kStatusCommandError);
  EXPECT_EQ(s.replyWait.ackPending, 0);
  EXPECT_EQ(s.replyWait.waitTicks, 0);

  // The status timer reports it; the next command is answered normally.
  s.replyWait.unitStatus = kStatusNone;
  s.replyWait.ackPending = 1;
  s.replyWait.waitTicks = 1;
  FeedWire(s, a, "AM");
  FeedWire(s, a, "E\r\n");
  EXPECT_EQ(s.model.alarm.mode, 1);
  EXPECT_EQ(s.replyWait.outcome, kOutcomeSingleAcknowledged);
  EXPECT_EQ(s.replyWait.unitStatus, kStatusNone);
}

// A title reply: the given JIS codes in hexadecimal, padded with full-width
// blanks (2121) to ten codes.
std::string TitleReply(const char* channel, std::string hex) {
  while (hex.size() < 40) hex += "2121";
  return std::string("CJ") + channel + hex + "\r\n";
}

// The answers of a unit to the 55 queries of a read-all run, in query order.
std::vector<std::string> ReadAllAnswers() {
  std::vector<std::string> answers = {
      "AME\r\n",   "ADT045\r\n", "APB\r\n",   "ADOF\r\n",  "AROF\r\n", "VLFNFNFNFNFNFNFNFN\r\n",
      "VLDOF\r\n", "VLSOON\r\n", "VLBCB\r\n", "TSDR5\r\n", "TSDOF\r\n"};
  answers.push_back(TitleReply("01", "23412342"));  // "ＡＢ"
  const char* const middle[] = {"02", "03", "04", "05", "06", "07", "08",
                                "09", "10", "11", "12", "13", "14", "15"};
  for (const char* ch : middle) answers.push_back(TitleReply(ch, ""));
  answers.push_back(TitleReply("16", "2343234823312336"));  // "ＣＨ１６"
  const char* const rest[] = {"CTDSOF\r\n",
                              "CTDDOF\r\n",
                              "CTFSSS\r\n",
                              "CTFSDS\r\n",
                              "CASTM01020304050607080910111213141516171819202122232425\r\n",
                              "CASMD\r\n",
                              "VAB127000064001063065100110120126002003004005006007\r\n",
                              "VAC000001002003004005006007008009010011012013014015\r\n",
                              "VASH31302928272625242322212019181716\r\n",
                              "VASA127126125124123122121120119118117116115114113112\r\n",
                              "VAH132255000127133200001002003004005006007008009010\r\n",
                              "AGCFFFFFFFFFFFFFFFF\r\n",
                              "VF1234567123456712\r\n",
                              "OOV00\r\n",
                              "OOH15\r\n",
                              "SPD4A16151413\r\n",
                              "SPD4B12111009\r\n",
                              "SPD4C08070605\r\n",
                              "SPD4D04030201\r\n",
                              "SPD9A020304050607080910\r\n",
                              "SPD9B161514131211100908\r\n",
                              "SPD13A02030405060708091011121314\r\n",
                              "SPD13B16151413121110090807060504\r\n",
                              "SPD1616151413121110090807060504030201\r\n",
                              "CIR\r\n",
                              "BLW\r\n",
                              "POSD13B\r\n",
                              "NARF\r\n"};
  for (const char* line : rest) answers.emplace_back(line);
  return answers;
}

TEST(ReplyWire, ReadAllAnswersFillTheModelAndCompleteTheRun) {
  const std::vector<std::string> answers = ReadAllAnswers();
  ASSERT_EQ(answers.size(), 55u);

  Session s;
  s.model.link.mode = kLinkRs485;
  s.model.link.slaveAddress = 7;
  LineAssembler a;
  for (std::size_t step = 0; step < answers.size(); ++step) {
    SCOPED_TRACE(testing::Message() << "step " << step + 1 << " " << answers[step]);
    // What SendCommand and the run's timer leave behind for each query.
    s.replyWait.transferMode = step + 1 == answers.size() ? kTransferRunLastStep : kTransferRunStep;
    s.replyWait.ackPending = 1;
    s.replyWait.waitTicks = 1;
    // The unit's answer carries its address and arrives in two pieces.
    const std::string wire = "07" + answers[step];
    FeedWire(s, a, wire.substr(0, step % wire.size()));
    FeedWire(s, a, wire.substr(step % wire.size()));
    ASSERT_EQ(s.replyWait.unitStatus, kStatusNone);
    ASSERT_EQ(s.replyWait.waitTicks, 0);
    ASSERT_EQ(s.replyWait.ackPending, 0);
    ASSERT_EQ(s.replyWait.outcome, step + 1 == answers.size() ? kOutcomeRunComplete : 0);
  }

  // Through address stripping and split reads the model ends as the answers
  // decoded one by one leave it, and every answer changed something.
  SettingsModel direct;
  direct.link = s.model.link;
  for (const std::string& answer : answers) {
    const SettingsModel before = direct;
    ASSERT_TRUE(DecodeReply(direct, answer)) << answer;
    EXPECT_FALSE(ChangedFields(before, direct).empty()) << answer;
  }
  EXPECT_EQ(ChangedFields(direct, s.model), std::vector<std::string>{});
  EXPECT_EQ(s.model.alarm.holdTime, 45);
  EXPECT_EQ(TextView(s.model.title.text[15]), "\x82\x62\x82\x67\x82\x50\x82\x55");
  EXPECT_EQ(s.model.videoAdjust.hue[1], 123);
  EXPECT_EQ(s.model.splitLayout.thirteenB[12], 3);
  EXPECT_EQ(s.model.other.powerOnScreen, kPictureFirstSplit + kLayoutThirteenB);
}

}  // namespace
}  // namespace korvex7
