#include "core/ui/alarm_dialog_logic.h"

#include <gtest/gtest.h>

#include <string>

#include "core/commands/alarm_commands.h"

namespace korvex7 {
namespace {

struct HoldTimeRow {
  const char* typed;
  bool enabled;
  std::int32_t holdTime;
};

// What the operator types, the button state and the number kept.
constexpr HoldTimeRow kHoldTimeRows[] = {
    {"1", true, 1},   {"01", true, 1},   {"001", true, 1},   {"07", true, 7},
    {"30", true, 30}, {"030", true, 30}, {"999", true, 999}, {"100", true, 100},
    {"0", false, 0},  {"00", false, 0},  {"000", false, 0},  {"", false, 0},
    {"5a", false, 5}, {"a5", false, 0},  {" 5", false, 0},   {"5 ", false, 5},
    {"-1", false, 0}, {"+1", false, 0},  {"1.5", false, 1},  {"12x", false, 12},
};

TEST(HoldTimeEdit, SetButtonAndStoredValue) {
  for (const HoldTimeRow& r : kHoldTimeRows) {
    SCOPED_TRACE(r.typed);
    SettingsModel m;
    EXPECT_EQ(StoreHoldTimeText(m, r.typed), r.enabled);
    EXPECT_EQ(TextView(m.alarm.holdTimeText), r.typed);
    EXPECT_EQ(m.alarm.holdTime, r.holdTime);
    EXPECT_EQ(HoldTimeSetEnabled(r.typed), r.enabled);
  }
}

// The button is enabled exactly for the texts the hold-time encoder sends,
// so an enabled button never leads to "Command Error".
TEST(HoldTimeEdit, EnabledExactlyWhenTheEncoderSends) {
  for (const HoldTimeRow& r : kHoldTimeRows) {
    SCOPED_TRACE(r.typed);
    SettingsModel m;
    StoreHoldTimeText(m, r.typed);
    EXPECT_EQ(EncodeAlarmHoldTime(m).ok(), r.enabled);
  }
  for (int v = 0; v <= 999; ++v) {
    const std::string text = std::to_string(v);
    SettingsModel m;
    SCOPED_TRACE(text);
    const bool enabled = StoreHoldTimeText(m, text);
    EXPECT_EQ(enabled, EncodeAlarmHoldTime(m).ok());
    EXPECT_EQ(enabled, v >= 1);
  }
}

TEST(HoldTimeEdit, TypedFormReachesTheWire) {
  struct Row {
    const char* typed;
    const char* command;
  } const rows[] = {
      {"07", "ADT007\r\n"},  {"7", "ADT007\r\n"}, {"030", "ADT030\r\n"},
      {"999", "ADT999\r\n"}, {"1", "ADT001\r\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.typed);
    SettingsModel m;
    ASSERT_TRUE(StoreHoldTimeText(m, r.typed));
    EXPECT_EQ(EncodeAlarmHoldTime(m).text, r.command);
  }
}

// Longer input is cut to three bytes, and never inside a double-byte
// character: a saved file must not end a field with half a character.
TEST(HoldTimeEdit, KeepsAtMostThreeBytesOfWholeCharacters) {
  struct Row {
    std::string typed;
    std::string stored;
  } const rows[] = {
      {"1234", "123"},
      {"12345", "123"},
      {"\x82\x54", "\x82\x54"},              // full-width 5: two bytes
      {"1\x82\x54", "1\x82\x54"},            // three bytes
      {"12\x82\x54", "12"},                  // the double-byte character does not fit
      {"\x82\x54\x82\x55", "\x82\x54"},      // the second one does not fit
      {"\xb1\xb2\xb3\xb4", "\xb1\xb2\xb3"},  // half-width katakana: one byte each
      {"\x82", ""},                          // a lone lead byte: a damaged character, left out
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::PrintToString(r.typed));
    SettingsModel m;
    EXPECT_FALSE(StoreHoldTimeText(m, r.typed) && r.stored.size() > 3);
    EXPECT_EQ(std::string(TextView(m.alarm.holdTimeText)), r.stored);
  }
}

TEST(HoldTimeEdit, NonDigitTextsNeverEnable) {
  const std::string rows[] = {"\x82\x54", "1\x82\x54", "\xb1", "５", "1 ", "\t1"};
  for (const std::string& typed : rows) {
    SCOPED_TRACE(testing::PrintToString(typed));
    SettingsModel m;
    EXPECT_FALSE(StoreHoldTimeText(m, typed));
  }
}

TEST(AlarmLists, PositionIsTheValueTheEncoderSends) {
  struct Row {
    const char* what;
    std::string_view item;
    void (*set)(SettingsModel&);
    Encoded (*encode)(const SettingsModel&);
    const char* command;
  } const rows[] = {
      {"mode 0", kAlarmModeItems[0], [](SettingsModel& m) { m.alarm.mode = 0; }, EncodeAlarmMode,
       "AMI\r\n"},
      {"mode 1", kAlarmModeItems[1], [](SettingsModel& m) { m.alarm.mode = 1; }, EncodeAlarmMode,
       "AME\r\n"},
      {"polarity 0", kAlarmPolarityItems[0], [](SettingsModel& m) { m.alarm.inputPolarity = 0; },
       EncodeAlarmInputPolarity, "APM\r\n"},
      {"polarity 1", kAlarmPolarityItems[1], [](SettingsModel& m) { m.alarm.inputPolarity = 1; },
       EncodeAlarmInputPolarity, "APB\r\n"},
      {"display 0", kOffOnItems[0], [](SettingsModel& m) { m.alarm.display = 0; },
       EncodeAlarmDisplay, "ADOF\r\n"},
      {"display 1", kOffOnItems[1], [](SettingsModel& m) { m.alarm.display = 1; },
       EncodeAlarmDisplay, "ADON\r\n"},
      {"return 0", kOffOnItems[0], [](SettingsModel& m) { m.alarm.returnOn = 0; },
       EncodeAlarmReturn, "AROF\r\n"},
      {"return 1", kOffOnItems[1], [](SettingsModel& m) { m.alarm.returnOn = 1; },
       EncodeAlarmReturn, "ARON\r\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    SettingsModel m;
    r.set(m);
    EXPECT_EQ(r.encode(m).text, r.command) << r.item;
  }
  EXPECT_EQ(kAlarmModeItems[1], "外部");
  EXPECT_EQ(kAlarmPolarityItems[1], "ブレイク");
}

}  // namespace
}  // namespace korvex7
