#include "core/commands/alarm_commands.h"

#include <gtest/gtest.h>

#include "tests/unit/commands/command_test_support.h"

namespace korvex7 {
namespace {

using testing_support::CommandCase;
using testing_support::ExpectCommands;
using testing_support::RecordingSession;

TEST(AlarmCommands, OneLetterFields) {
  const CommandCase cases[] = {
      {"mode internal (default)", nullptr, EncodeAlarmMode, SendAlarmMode, "AMI\r\n"},
      {"mode external", [](SettingsModel& m) { m.alarm.mode = 1; }, EncodeAlarmMode, SendAlarmMode,
       "AME\r\n"},
      {"mode 2", [](SettingsModel& m) { m.alarm.mode = 2; }, EncodeAlarmMode, SendAlarmMode, ""},
      {"mode -1", [](SettingsModel& m) { m.alarm.mode = -1; }, EncodeAlarmMode, SendAlarmMode, ""},
      {"polarity make (default)", nullptr, EncodeAlarmInputPolarity, SendAlarmInputPolarity,
       "APM\r\n"},
      {"polarity break", [](SettingsModel& m) { m.alarm.inputPolarity = 1; },
       EncodeAlarmInputPolarity, SendAlarmInputPolarity, "APB\r\n"},
      {"polarity -1", [](SettingsModel& m) { m.alarm.inputPolarity = -1; },
       EncodeAlarmInputPolarity, SendAlarmInputPolarity, ""},
      {"display on (default)", nullptr, EncodeAlarmDisplay, SendAlarmDisplay, "ADON\r\n"},
      {"display off", [](SettingsModel& m) { m.alarm.display = 0; }, EncodeAlarmDisplay,
       SendAlarmDisplay, "ADOF\r\n"},
      {"display 2", [](SettingsModel& m) { m.alarm.display = 2; }, EncodeAlarmDisplay,
       SendAlarmDisplay, ""},
      {"return on (default)", nullptr, EncodeAlarmReturn, SendAlarmReturn, "ARON\r\n"},
      {"return off", [](SettingsModel& m) { m.alarm.returnOn = 0; }, EncodeAlarmReturn,
       SendAlarmReturn, "AROF\r\n"},
      {"return -1", [](SettingsModel& m) { m.alarm.returnOn = -1; }, EncodeAlarmReturn,
       SendAlarmReturn, ""},
  };
  ExpectCommands(cases);
}

struct HoldTimeCase {
  const char* text;
  const char* expected;  // nullptr: refused with status 8
  int holdTime;          // alarm.holdTime after the send
};

TEST(AlarmHoldTime, TextLaidOverZeros) {
  const HoldTimeCase cases[] = {
      {"030", "ADT030\r\n", 30}, {"30", "ADT030\r\n", 30},   {"5", "ADT005\r\n", 5},
      {"1", "ADT001\r\n", 1},    {"07", "ADT007\r\n", 7},    {"999", "ADT999\r\n", 999},
      {"001", "ADT001\r\n", 1},  {"100", "ADT100\r\n", 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    RecordingSession r;
    SetText(r.session.model.alarm.holdTimeText, c.text);
    r.session.model.alarm.holdTime = -5;
    EXPECT_EQ(EncodeAlarmHoldTime(r.session.model).text, c.expected);
    ASSERT_TRUE(SendAlarmHoldTime(r.session));
    ASSERT_EQ(r.port.frames.size(), 1u);
    EXPECT_EQ(r.port.frames[0], c.expected);
    EXPECT_EQ(r.session.model.alarm.holdTime, c.holdTime);
  }
}

TEST(AlarmHoldTime, InvalidTextsAreRefusedButStillConverted) {
  const HoldTimeCase cases[] = {
      {"0", nullptr, 0},  {"00", nullptr, 0},  {"000", nullptr, 0}, {"", nullptr, 0},
      {"5a", nullptr, 5}, {"a5", nullptr, 0},  {" 5", nullptr, 0},  {"-1", nullptr, 0},
      {"+5", nullptr, 0}, {"1.5", nullptr, 1}, {"9 ", nullptr, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    RecordingSession r;
    SetText(r.session.model.alarm.holdTimeText, c.text);
    const std::string before(TextView(r.session.model.alarm.holdTimeText));
    EXPECT_EQ(EncodeAlarmHoldTime(r.session.model).refusal, kStatusCommandError);
    EXPECT_FALSE(SendAlarmHoldTime(r.session));
    EXPECT_TRUE(r.port.frames.empty());
    EXPECT_EQ(r.session.replyWait.unitStatus, kStatusCommandError);
    EXPECT_EQ(r.session.model.alarm.holdTime, c.holdTime);
    EXPECT_EQ(TextView(r.session.model.alarm.holdTimeText), before);  // the field stays as typed
  }
}

TEST(AlarmHoldTime, UnterminatedFieldIsRefused) {
  // Four digits with no terminator (a damaged field) must not become a
  // four-digit hold time on the wire.
  SettingsModel m;
  m.alarm.holdTimeText = {'1', '2', '3', '4'};
  EXPECT_EQ(EncodeAlarmHoldTime(m).refusal, kStatusCommandError);
}

}  // namespace
}  // namespace korvex7
