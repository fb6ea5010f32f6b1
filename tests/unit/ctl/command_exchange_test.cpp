#include "tools/ctl/command_exchange.h"

#include <gtest/gtest.h>

#include "core/commands/alarm_commands.h"
#include "ctl_test_support.h"

namespace korvex7::ctl {
namespace {

using std::chrono::milliseconds;
using testing::FakeClock;
using testing::ScriptedPort;

struct AnswerRow {
  const char* name;
  std::vector<std::string> pieces;  // the answer as the reads deliver it
  ExchangeStatus status;
  std::int32_t unitStatus;
  const char* outcome;  // what the program would show
};

const AnswerRow kAnswers[] = {
    {"GO", {"GO\r\n"}, ExchangeStatus::kAcknowledged, 0, "Success"},
    {"GO in pieces", {"G", "O\r", "\n"}, ExchangeStatus::kAcknowledged, 0, "Success"},
    {"MENU", {"MENU\r\n"}, ExchangeStatus::kUnitError, 1, "Menu Display"},
    {"ALARM", {"ALARM\r\n"}, ExchangeStatus::kUnitError, 2, "Alarm Display"},
    {"LOCK", {"LOCK\r\n"}, ExchangeStatus::kUnitError, 3, "Lock Display"},
    {"GN", {"GN\r\n"}, ExchangeStatus::kUnitError, 4, "Mode Error"},
    {"E0", {"E0\r\n"}, ExchangeStatus::kUnitError, 5, "Framing Error"},
    {"E2", {"E2\r\n"}, ExchangeStatus::kUnitError, 7, "Over Run Error"},
    {"E3", {"E3\r\n"}, ExchangeStatus::kUnitError, 8, "Command Error"},
    {"a line nobody knows", {"XYZ\r\n"}, ExchangeStatus::kUnitError, 8, "Command Error"},
    {"a malformed data reply", {"AMX\r\n"}, ExchangeStatus::kUnitError, 8, "Command Error"},
    {"GO without CR", {"GO\n"}, ExchangeStatus::kUnitError, 8, "Command Error"},
    {"no answer", {}, ExchangeStatus::kNoAnswer, 0, "No Connect"},
    {"half a line, then silence", {"G"}, ExchangeStatus::kNoAnswer, 0, "No Connect"},
};

TEST(CommandExchange, AnswersAreJudgedAsTheProgramJudgesThem) {
  for (const AnswerRow& row : kAnswers) {
    SCOPED_TRACE(row.name);
    FakeClock clock;
    ScriptedPort port(clock);
    Session session;
    port.Answer(row.pieces);
    CommandExchange exchange(session, port, ExchangeTiming{}, clock);
    const ExchangeResult r = exchange.Send(EncodeAlarmMode(session.model));
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.unitStatus, row.unitStatus);
    EXPECT_EQ(OutcomeText(r), row.outcome);
    EXPECT_EQ(r.command, "AMI");
    ASSERT_EQ(port.frames, std::vector<std::string>{"AMI\r\n"});
    // The exchange leaves the reply-wait state idle for the next command.
    EXPECT_EQ(session.replyWait, ReplyWait{});
  }
}

TEST(CommandExchange, NoAnswerTakesTheWholeTimeOut) {
  FakeClock clock;
  ScriptedPort port(clock);
  Session session;
  port.NoAnswer();
  CommandExchange exchange(session, port, ExchangeTiming{}, clock);
  const auto start = clock.Now();
  const ExchangeResult r = exchange.Query("RAM\r\n");
  EXPECT_EQ(r.status, ExchangeStatus::kNoAnswer);
  EXPECT_EQ(clock.Now() - start, kReplyTimeout);
  EXPECT_EQ(kReplyTimeout, milliseconds(1900));
}

TEST(CommandExchange, DataReplyIsDecodedIntoTheModel) {
  FakeClock clock;
  ScriptedPort port(clock);
  Session session;
  port.Answer({"AME\r\n"});
  port.Answer({"ADT045\r\n"});
  CommandExchange exchange(session, port, ExchangeTiming{}, clock);
  EXPECT_EQ(exchange.Query("RAM\r\n").status, ExchangeStatus::kAcknowledged);
  EXPECT_EQ(exchange.Query("RADT\r\n").status, ExchangeStatus::kAcknowledged);
  EXPECT_EQ(session.model.alarm.mode, 1);
  EXPECT_EQ(TextView(session.model.alarm.holdTimeText), "45");
  EXPECT_EQ(exchange.counters().commands, 2u);
  EXPECT_EQ(exchange.counters().bytesSent, 5u + 6u);
  EXPECT_EQ(exchange.counters().bytesReceived, 5u + 8u);
}

TEST(CommandExchange, Rs485AddressIsSentAndStripped) {
  struct Row {
    const char* answer;
    ExchangeStatus status;
  };
  const Row rows[] = {
      {"05GO\r\n", ExchangeStatus::kAcknowledged},
      {"GO\r\n", ExchangeStatus::kAcknowledged},
      {"05AME\r\n", ExchangeStatus::kAcknowledged},
      {"04GO\r\n", ExchangeStatus::kUnitError},  // another unit's address: taken whole
      {"05LOCK\r\n", ExchangeStatus::kUnitError},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.answer);
    FakeClock clock;
    ScriptedPort port(clock);
    Session session;
    session.model.link.mode = kLinkRs485;
    session.model.link.slaveAddress = 5;
    port.Answer({row.answer});
    CommandExchange exchange(session, port, ExchangeTiming{}, clock);
    const ExchangeResult r = exchange.Query("RAM\r\n");
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.command, "RAM");  // reported without the address
    EXPECT_EQ(port.frames, std::vector<std::string>{"05RAM\r\n"});
  }
}

TEST(CommandExchange, BroadcastIsSentWithoutWaiting) {
  FakeClock clock;
  ScriptedPort port(clock);
  Session session;
  session.model.link.mode = kLinkRs485;
  session.model.link.slaveAddress = kBroadcastAddress;
  CommandExchange exchange(session, port, ExchangeTiming{}, clock);
  const ExchangeResult r = exchange.Send(EncodeAlarmMode(session.model));
  EXPECT_EQ(r.status, ExchangeStatus::kBroadcast);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(port.frames, std::vector<std::string>{"FFAMI\r\n"});
  EXPECT_EQ(port.reads, 0);
  EXPECT_EQ(clock.Now(), std::chrono::steady_clock::time_point{});
}

TEST(CommandExchange, RefusedCommandSendsNothing) {
  FakeClock clock;
  ScriptedPort port(clock);
  Session session;
  CommandExchange exchange(session, port, ExchangeTiming{}, clock);
  ExchangeResult r = exchange.Send(Encoded::Refused(kStatusDuplicateChannel));
  EXPECT_EQ(r.status, ExchangeStatus::kRefused);
  EXPECT_EQ(r.unitStatus, kStatusDuplicateChannel);
  session.model.alarm.mode = 2;
  r = exchange.Run([](Session& s) { SendAlarmMode(s); });
  EXPECT_EQ(r.status, ExchangeStatus::kRefused);
  EXPECT_EQ(r.unitStatus, kStatusCommandError);
  EXPECT_TRUE(port.frames.empty());
  EXPECT_EQ(session.replyWait, ReplyWait{});
}

TEST(CommandExchange, LateAnswerOfAnEarlierCommandIsDropped) {
  FakeClock clock;
  ScriptedPort port(clock);
  Session session;
  // An answer that arrived after its command had timed out.
  port.Leftover("GO\r\n");
  port.NoAnswer();
  CommandExchange exchange(session, port, ExchangeTiming{}, clock);
  const ExchangeResult r = exchange.Query("RAM\r\n");
  EXPECT_EQ(r.status, ExchangeStatus::kNoAnswer);
  EXPECT_EQ(port.discards, 1);
}

TEST(CommandExchange, PartialLineIsNotCarriedIntoTheNextCommand) {
  FakeClock clock;
  ScriptedPort port(clock);
  Session session;
  port.Answer({"AM"});  // cut off
  port.Answer({"GO\r\n"});
  CommandExchange exchange(session, port, ExchangeTiming{}, clock);
  EXPECT_EQ(exchange.Query("RAM\r\n").status, ExchangeStatus::kNoAnswer);
  // Without the fresh start the second answer would read "AMGO".
  EXPECT_EQ(exchange.Send(EncodeAlarmMode(session.model)).status, ExchangeStatus::kAcknowledged);
}

TEST(CommandExchange, ExtraLinesAfterTheAnswerBelongToNothing) {
  FakeClock clock;
  ScriptedPort port(clock);
  Session session;
  port.Answer({"GO\r\nLOCK\r\n"});
  port.Answer({"GO\r\n"});
  CommandExchange exchange(session, port, ExchangeTiming{}, clock);
  EXPECT_EQ(exchange.Send(EncodeAlarmMode(session.model)).status, ExchangeStatus::kAcknowledged);
  EXPECT_EQ(exchange.Send(EncodeAlarmMode(session.model)).status, ExchangeStatus::kAcknowledged);
}

TEST(CommandExchange, NextCommandGoesOutAsSoonAsTheAnswerArrived) {
  FakeClock clock;
  ScriptedPort port(clock);
  Session session;
  for (int i = 0; i < 3; ++i) port.Answer({"GO\r\n"});
  CommandExchange exchange(session, port, ExchangeTiming{}, clock);
  for (int i = 0; i < 3; ++i) exchange.Send(EncodeAlarmMode(session.model));
  EXPECT_EQ(clock.slept(), milliseconds(0));
  EXPECT_EQ(port.writeTimes.back(), port.writeTimes.front());
}

TEST(CommandExchange, PaceKeepsAGapAfterEachAnswer) {
  FakeClock clock;
  ScriptedPort port(clock);
  Session session;
  for (int i = 0; i < 3; ++i) port.Answer({"GO\r\n"});
  ExchangeTiming timing;
  timing.pace = milliseconds(50);
  CommandExchange exchange(session, port, timing, clock);
  exchange.Send(EncodeAlarmMode(session.model));
  clock.Advance(milliseconds(20));  // time spent elsewhere counts towards the gap
  exchange.Send(EncodeAlarmMode(session.model));
  exchange.Send(EncodeAlarmMode(session.model));
  ASSERT_EQ(port.writeTimes.size(), 3u);
  EXPECT_EQ(port.writeTimes[1] - port.writeTimes[0], milliseconds(50));
  EXPECT_EQ(port.writeTimes[2] - port.writeTimes[1], milliseconds(50));
  EXPECT_EQ(clock.slept(), milliseconds(30 + 50));
}

TEST(CommandExchange, PortFailuresAreReportedAsSuch) {
  FakeClock clock;
  ScriptedPort port(clock);
  Session session;
  port.FailNextWrite("/dev/ttyUSB0: write failed: Input/output error");
  CommandExchange exchange(session, port, ExchangeTiming{}, clock);
  const ExchangeResult r = exchange.Send(EncodeAlarmMode(session.model));
  EXPECT_EQ(r.status, ExchangeStatus::kPortError);
  EXPECT_EQ(OutcomeText(r), "/dev/ttyUSB0: write failed: Input/output error");
  EXPECT_EQ(session.replyWait, ReplyWait{});
}

TEST(CommandExchange, PutsTheSessionsWriterBack) {
  FakeClock clock;
  ScriptedPort port(clock);
  ScriptedPort other(clock);
  Session session;
  session.port = &other;
  {
    port.Answer({"GO\r\n"});
    CommandExchange exchange(session, port, ExchangeTiming{}, clock);
    exchange.Send(EncodeAlarmMode(session.model));
    EXPECT_EQ(session.port, &other);
  }
  EXPECT_EQ(session.port, &other);
  EXPECT_TRUE(other.frames.empty());
}

}  // namespace
}  // namespace korvex7::ctl
