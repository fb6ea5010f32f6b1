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
  const char* outcome;
};

// What answers a Set (the alarm mode, "AMI"): "GO" or a status word, nothing
// else, not even a line that would decode as a setting.
const AnswerRow kSetAnswers[] = {
    {"GO", {"GO\r\n"}, ExchangeStatus::kAcknowledged, 0, "Success"},
    {"GO in pieces", {"G", "O\r", "\n"}, ExchangeStatus::kAcknowledged, 0, "Success"},
    {"MENU", {"MENU\r\n"}, ExchangeStatus::kUnitError, 1, "Menu Display"},
    {"ALARM", {"ALARM\r\n"}, ExchangeStatus::kUnitError, 2, "Alarm Display"},
    {"LOCK", {"LOCK\r\n"}, ExchangeStatus::kUnitError, 3, "Lock Display"},
    {"GN", {"GN\r\n"}, ExchangeStatus::kUnitError, 4, "Mode Error"},
    {"E0", {"E0\r\n"}, ExchangeStatus::kUnitError, 5, "Framing Error"},
    {"E2", {"E2\r\n"}, ExchangeStatus::kUnitError, 7, "Over Run Error"},
    {"E3", {"E3\r\n"}, ExchangeStatus::kUnitError, 8, "Command Error"},
    {"a line nobody knows", {"XYZ\r\n"}, ExchangeStatus::kUnexpectedAnswer, 0, "unexpected answer"},
    {"a data line", {"AME\r\n"}, ExchangeStatus::kUnexpectedAnswer, 0, "unexpected answer"},
    {"GO without CR", {"GO\n"}, ExchangeStatus::kUnexpectedAnswer, 0, "unexpected answer"},
    {"a garbled GO", {"G#\r\n"}, ExchangeStatus::kUnexpectedAnswer, 0, "unexpected answer"},
    {"bytes that are no text",
     {"\xFF\xFE\r\n"},
     ExchangeStatus::kUnexpectedAnswer,
     0,
     "unexpected answer"},
    {"an overlong line",
     {std::string(700, 'G') + "\r\n"},
     ExchangeStatus::kUnexpectedAnswer,
     0,
     "unexpected answer"},
    {"no answer", {}, ExchangeStatus::kNoAnswer, 0, "No Connect"},
    {"half a line, then silence", {"G"}, ExchangeStatus::kNoAnswer, 0, "No Connect"},
};

TEST(CommandExchange, ASetIsAnsweredOnlyByGoOrAStatusWord) {
  for (const AnswerRow& row : kSetAnswers) {
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
    EXPECT_TRUE(r.sent);
    ASSERT_EQ(port.frames, std::vector<std::string>{"AMI\r\n"});
    // The exchange leaves the reply-wait state idle for the next command.
    EXPECT_EQ(session.replyWait, ReplyWait{});
  }
}

// What answers the alarm-mode query "RAM": its own well-formed data line, or
// a status word.
const AnswerRow kQueryAnswers[] = {
    {"its own line", {"AME\r\n"}, ExchangeStatus::kAcknowledged, 0, "Success"},
    {"LOCK", {"LOCK\r\n"}, ExchangeStatus::kUnitError, 3, "Lock Display"},
    {"GO", {"GO\r\n"}, ExchangeStatus::kUnexpectedAnswer, 0, "unexpected answer"},
    {"another setting's line",
     {"APB\r\n"},
     ExchangeStatus::kUnexpectedAnswer,
     0,
     "unexpected answer"},
    {"its keyword, malformed",
     {"AMX\r\n"},
     ExchangeStatus::kUnexpectedAnswer,
     0,
     "unexpected answer"},
    {"its keyword, no value",
     {"AM\r\n"},
     ExchangeStatus::kUnexpectedAnswer,
     0,
     "unexpected answer"},
};

TEST(CommandExchange, AQueryIsAnsweredOnlyByItsOwnDataLine) {
  for (const AnswerRow& row : kQueryAnswers) {
    SCOPED_TRACE(row.name);
    FakeClock clock;
    ScriptedPort port(clock);
    Session session;
    port.Answer(row.pieces);
    CommandExchange exchange(session, port, ExchangeTiming{}, clock);
    const ExchangeResult r = exchange.Query("RAM\r\n");
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.unitStatus, row.unitStatus);
    EXPECT_EQ(OutcomeText(r), row.outcome);
  }
}

TEST(CommandExchange, AQueryWhoseKeywordBeginsAnotherIsNotAnsweredByTheOther) {
  // "RVL" asks for the per-channel video-loss line "VL..."; "VLDON" begins
  // with VL but is the display setting's line.
  const std::string vl = "VL" + std::string(16, 'N') + "\r\n";
  std::string kBlankTitle;  // ten full-width blanks, JIS 2121
  for (int i = 0; i < 10; ++i) kBlankTitle += "2121";
  struct Row {
    const char* query;
    std::string answer;
    ExchangeStatus status;
  };
  const Row rows[] = {
      {"RVL\r\n", vl, ExchangeStatus::kAcknowledged},
      {"RVL\r\n", "VLDON\r\n", ExchangeStatus::kUnexpectedAnswer},
      {"RVLD\r\n", "VLDON\r\n", ExchangeStatus::kAcknowledged},
      {"RAD\r\n", "ADON\r\n", ExchangeStatus::kAcknowledged},
      {"RAD\r\n", "ADT045\r\n", ExchangeStatus::kUnexpectedAnswer},
      {"RCJ05\r\n", "CJ05" + kBlankTitle + "\r\n", ExchangeStatus::kAcknowledged},
      {"RCJ05\r\n", "CJ06" + kBlankTitle + "\r\n", ExchangeStatus::kUnexpectedAnswer},
      {"RCJ05\r\n", "CJ05" + kBlankTitle.substr(4) + "\r\n", ExchangeStatus::kUnexpectedAnswer},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.query) + " answered " + row.answer);
    FakeClock clock;
    ScriptedPort port(clock);
    Session session;
    port.Answer({row.answer});
    CommandExchange exchange(session, port, ExchangeTiming{}, clock);
    EXPECT_EQ(exchange.Query(row.query).status, row.status);
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
      {"05AME\r\n", ExchangeStatus::kAcknowledged},
      {"AME\r\n", ExchangeStatus::kAcknowledged},
      {"04AME\r\n", ExchangeStatus::kUnexpectedAnswer},  // another unit's line
      {"05LOCK\r\n", ExchangeStatus::kUnitError},
      {"04LOCK\r\n", ExchangeStatus::kUnexpectedAnswer},
      {"05GO\r\n", ExchangeStatus::kUnexpectedAnswer},  // a query is not answered by GO
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
  EXPECT_EQ(clock.Now(), std::chrono::steady_clock::time_point{});  // no wait
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
  EXPECT_EQ(r.dropped, "GO\r\n");  // before the first command: dropped, not a fault
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

TEST(CommandExchange, AnythingAfterTheAnswerMakesItDoubtful) {
  // The unit sends one line. A second one (a device server repeating an
  // answer, noise) means the answer taken may not be the unit's.
  struct Row {
    const char* name;
    std::vector<std::string> pieces;
    const char* extra;
  };
  const Row rows[] = {
      {"a second line in the same read", {"GO\r\nE3\r\n"}, "E3\r\n"},
      {"the start of a second line", {"GO\r\nE"}, "E"},
      {"a repeated answer", {"GO\r\n", "GO\r\n"}, ""},
      {"the frame again, after the answer", {"GO\r\nAMI\r\n"}, "AMI\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeClock clock;
    ScriptedPort port(clock);
    Session session;
    port.Answer(row.pieces);
    CommandExchange exchange(session, port, ExchangeTiming{}, clock);
    ExchangeResult r = exchange.Send(EncodeAlarmMode(session.model));
    if (std::string_view(row.extra).empty()) {
      // Read apart: the first answer is taken, and the second is found
      // before the next command goes out, which then is not sent.
      ASSERT_EQ(r.status, ExchangeStatus::kAcknowledged);
      r = exchange.Send(EncodeAlarmMode(session.model));
      EXPECT_TRUE(r.afterPrevious);
      EXPECT_FALSE(r.sent);
      EXPECT_EQ(r.extra, "GO\r\n");
      EXPECT_EQ(port.frames.size(), 1u);
    } else {
      EXPECT_EQ(r.extra, row.extra);
      EXPECT_FALSE(r.afterPrevious);
    }
    EXPECT_EQ(r.status, ExchangeStatus::kUnexpectedAnswer);
    EXPECT_EQ(r.reply, "GO");
    EXPECT_TRUE(r.answerAccepted);
  }
}

TEST(CommandExchange, LateDuplicateCannotHideARefusal) {
  // The answer to the first command comes again, late, just before the unit
  // refuses the second: the repeated "GO" is taken for the second's answer,
  // and the unit's "E3" behind it stops the run before the third goes out.
  FakeClock clock;
  ScriptedPort port(clock);
  Session session;
  port.Answer({"GO\r\n"});
  port.Answer({"GO\r\n", "E3\r\n"});
  port.Answer({"GO\r\n"});
  CommandExchange exchange(session, port, ExchangeTiming{}, clock);
  EXPECT_EQ(exchange.Send(EncodeAlarmMode(session.model)).status, ExchangeStatus::kAcknowledged);
  EXPECT_EQ(exchange.Send(EncodeAlarmMode(session.model)).status, ExchangeStatus::kAcknowledged);
  const ExchangeResult third = exchange.Send(EncodeAlarmMode(session.model));
  EXPECT_EQ(third.status, ExchangeStatus::kUnexpectedAnswer);
  EXPECT_TRUE(third.afterPrevious);
  EXPECT_EQ(third.extra, "E3\r\n");
  EXPECT_EQ(port.frames.size(), 2u);
}

TEST(CommandExchange, QuietAfterTheLastSetConfirmsIt) {
  struct Row {
    const char* name;
    std::string command;                 // "" for the Set AMI
    std::vector<std::string> answer;     // its answer
    std::vector<std::string> afterward;  // what the line sends while the run ends
    ExchangeStatus status;
    milliseconds waited;
  };
  const Row rows[] = {
      {"a quiet line", "", {"GO\r\n"}, {}, ExchangeStatus::kAcknowledged, kAnswerQuietTime},
      {"a refusal behind the GO",
       "",
       {"GO\r\n"},
       {"E3\r\n"},
       ExchangeStatus::kUnexpectedAnswer,
       milliseconds(0)},
      {"noise", "", {"GO\r\n"}, {"\x01"}, ExchangeStatus::kUnexpectedAnswer, milliseconds(0)},
      {"after a query nothing is awaited",
       "RAM\r\n",
       {"AMI\r\n"},
       {"E3\r\n"},
       ExchangeStatus::kAcknowledged,
       milliseconds(0)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeClock clock;
    ScriptedPort port(clock);
    Session session;
    port.Answer(row.answer);
    CommandExchange exchange(session, port, ExchangeTiming{}, clock);
    const ExchangeResult r = row.command.empty() ? exchange.Send(EncodeAlarmMode(session.model))
                                                 : exchange.Query(row.command);
    ASSERT_EQ(r.status, ExchangeStatus::kAcknowledged);
    for (const auto& piece : row.afterward) port.Leftover(piece);
    const auto before = clock.Now();
    const ExchangeResult quiet = exchange.ConfirmQuiet();
    EXPECT_EQ(quiet.status, row.status);
    EXPECT_EQ(clock.Now() - before, row.waited);
    if (quiet.status == ExchangeStatus::kUnexpectedAnswer) {
      EXPECT_TRUE(quiet.afterPrevious);
      EXPECT_EQ(quiet.command, "AMI");
      EXPECT_EQ(quiet.reply, "GO");
      EXPECT_EQ(quiet.extra, row.afterward.front());
    }
  }
}

TEST(CommandExchange, TheLinesEchoIsSkipped) {
  // A 2-wire line returns the frame before the unit's answer. Only the exact
  // bytes of the frame, and only before the answer, are its echo.
  struct Row {
    const char* name;
    int mode;
    bool query;
    std::vector<std::string> pieces;
    ExchangeStatus status;
    std::size_t echoes;
  };
  const Row rows[] = {
      {"a Set refused", kLinkRs232c, false, {"AMI\r\n", "E3\r\n"}, ExchangeStatus::kUnitError, 1},
      {"a Set accepted", kLinkRs232c, false, {"AMI\r\nGO\r\n"}, ExchangeStatus::kAcknowledged, 1},
      {"in pieces",
       kLinkRs232c,
       false,
       {"AM", "I\r\nG", "O\r\n"},
       ExchangeStatus::kAcknowledged,
       1},
      {"a query", kLinkRs232c, true, {"RAM\r\n", "AME\r\n"}, ExchangeStatus::kAcknowledged, 1},
      {"RS-485, address and all",
       kLinkRs485,
       false,
       {"05AMI\r\n05E3\r\n"},
       ExchangeStatus::kUnitError,
       1},
      {"the echo alone", kLinkRs232c, false, {"AMI\r\n"}, ExchangeStatus::kNoAnswer, 1},
      {"echoed twice",
       kLinkRs232c,
       false,
       {"AMI\r\nAMI\r\nGO\r\n"},
       ExchangeStatus::kUnexpectedAnswer,
       1},
      {"not byte for byte",
       kLinkRs232c,
       false,
       {"AMI\n", "GO\r\n"},
       ExchangeStatus::kUnexpectedAnswer,
       0},
      {"RS-485 without its address",
       kLinkRs485,
       false,
       {"AMI\r\n", "05GO\r\n"},
       ExchangeStatus::kUnexpectedAnswer,
       0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeClock clock;
    ScriptedPort port(clock);
    Session session;
    session.model.link.mode = row.mode;
    session.model.link.slaveAddress = 5;
    port.Answer(row.pieces);
    CommandExchange exchange(session, port, ExchangeTiming{}, clock);
    const ExchangeResult r =
        row.query ? exchange.Query("RAM\r\n") : exchange.Send(EncodeAlarmMode(session.model));
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(exchange.counters().echoes, row.echoes);
  }
}

TEST(CommandExchange, TheEchoOfABroadcastIsSkippedBeforeTheNextCommand) {
  FakeClock clock;
  ScriptedPort port(clock);
  Session session;
  session.model.link.mode = kLinkRs485;
  session.model.link.slaveAddress = kBroadcastAddress;
  CommandExchange exchange(session, port, ExchangeTiming{}, clock);
  EXPECT_EQ(exchange.Send(EncodeAlarmMode(session.model)).status, ExchangeStatus::kBroadcast);
  port.Leftover("FFAMI\r\n");  // arrives after the broadcast went out
  const ExchangeResult r = exchange.Send(EncodeAlarmMode(session.model));
  EXPECT_EQ(r.status, ExchangeStatus::kBroadcast);
  EXPECT_EQ(r.dropped, "");
  EXPECT_EQ(exchange.counters().echoes, 1u);
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

// A line that never stops sending: every read returns a full buffer of
// `byte` at once and takes a millisecond of the fake clock.
class StreamingPort final : public LinkPort {
 public:
  StreamingPort(FakeClock& clock, char byte) : clock_(clock), byte_(byte) {}
  void Write(std::string_view) override {}
  std::size_t Read(char* buffer, std::size_t capacity, milliseconds) override {
    clock_.Advance(milliseconds(1));
    std::fill(buffer, buffer + capacity, byte_);
    delivered += capacity;
    return capacity;
  }
  void DiscardInput() override { ++discards; }
  std::string TakeWriteError() override { return {}; }

  std::size_t delivered = 0;
  int discards = 0;

 private:
  FakeClock& clock_;
  char byte_;
};

TEST(CommandExchange, DeadlinesHoldAgainstALineThatNeverStops) {
  // Noise without a line end, and lines without end: the wait ends at its
  // deadline, and what is dropped before the command is bounded.
  for (const char byte : {'x', '\n'}) {
    SCOPED_TRACE(byte == 'x' ? "noise" : "empty lines");
    FakeClock clock;
    StreamingPort port(clock, byte);
    Session session;
    CommandExchange exchange(session, port, ExchangeTiming{}, clock);
    const auto start = clock.Now();
    const ExchangeResult r = exchange.Query("RAM\r\n");
    EXPECT_LE(clock.Now() - start, kReplyTimeout + milliseconds(kDrainLimit / 256 + 2));
    EXPECT_EQ(port.discards, 1);
    EXPECT_EQ(exchange.counters().bytesDropped, kDrainLimit);
    EXPECT_FALSE(r.ok());
    EXPECT_LE(r.dropped.size(), 256u);
    if (byte == 'x') {
      EXPECT_EQ(r.status, ExchangeStatus::kNoAnswer);
    } else {
      EXPECT_EQ(r.status, ExchangeStatus::kUnexpectedAnswer);
    }
  }
}

// Sets the stop flag on its `at`-th read, as Ctrl+C would while the tool waits.
class StoppingPort final : public LinkPort {
 public:
  StoppingPort(FakeClock& clock, std::atomic<bool>& stop, int at)
      : clock_(clock), stop_(stop), at_(at) {}
  void Write(std::string_view frame) override { frames.emplace_back(frame); }
  std::size_t Read(char*, std::size_t, milliseconds timeout) override {
    if (++reads == at_) stop_.store(true);
    clock_.Advance(timeout);
    return 0;
  }
  void DiscardInput() override {}
  std::string TakeWriteError() override { return {}; }

  std::vector<std::string> frames;
  std::vector<milliseconds> waits;
  int reads = 0;

 private:
  FakeClock& clock_;
  std::atomic<bool>& stop_;
  int at_;
};

TEST(CommandExchange, AStopEndsTheRunBetweenCommandsAndWhileWaiting) {
  FakeClock clock;
  std::atomic<bool> stop{false};
  StoppingPort port(clock, stop, 3);  // read 1 drains, reads 2.. wait for the answer
  Session session;
  CommandExchange exchange(session, port, ExchangeTiming{}, clock, &stop);
  const auto start = clock.Now();
  const ExchangeResult waiting = exchange.Send(EncodeAlarmMode(session.model));
  EXPECT_EQ(waiting.status, ExchangeStatus::kStopped);
  EXPECT_TRUE(waiting.sent);
  EXPECT_EQ(OutcomeText(waiting), "stopped");
  // The answer is awaited in slices, so the stop is seen within one.
  EXPECT_EQ(clock.Now() - start, 2 * kStopPoll);
  const ExchangeResult next = exchange.Send(EncodeAlarmMode(session.model));
  EXPECT_EQ(next.status, ExchangeStatus::kStopped);
  EXPECT_FALSE(next.sent);
  EXPECT_EQ(port.frames.size(), 1u);
  EXPECT_EQ(session.replyWait, ReplyWait{});
}

TEST(CommandExchange, ShownBytesAreEscapedAndCut) {
  EXPECT_EQ(ShownBytes("GO\r\n"), "GO\\r\\n");
  EXPECT_EQ(ShownBytes(std::string("\xFF\0A", 3)), "\\xFF\\x00A");
  EXPECT_EQ(ShownBytes(std::string(70, 'x'), 4), "xxxx... (70 bytes)");
}

}  // namespace
}  // namespace korvex7::ctl
