#include "core/commands/auto_switch_commands.h"

#include <gtest/gtest.h>

#include "tests/unit/commands/command_test_support.h"

namespace korvex7 {
namespace {

using testing_support::CommandCase;
using testing_support::ExpectCommands;
using testing_support::RecordingSession;

TEST(AutoSwitchMode, LetterOrDefault) {
  const CommandCase cases[] = {
      {"MIX (default)", nullptr, EncodeAutoSwitchMode, SendAutoSwitchMode, "CASMM\r\n"},
      {"SINGLE", [](SettingsModel& m) { m.autoSwitch.mode = 0; }, EncodeAutoSwitchMode,
       SendAutoSwitchMode, "CASMS\r\n"},
      {"DIVISION", [](SettingsModel& m) { m.autoSwitch.mode = 1; }, EncodeAutoSwitchMode,
       SendAutoSwitchMode, "CASMD\r\n"},
      // No range check: anything else keeps "S".
      {"3", [](SettingsModel& m) { m.autoSwitch.mode = 3; }, EncodeAutoSwitchMode,
       SendAutoSwitchMode, "CASMS\r\n"},
      {"-1", [](SettingsModel& m) { m.autoSwitch.mode = -1; }, EncodeAutoSwitchMode,
       SendAutoSwitchMode, "CASMS\r\n"},
  };
  ExpectCommands(cases);
}

struct EntryCase {
  int entry;
  int stored;            // autoSwitch.dwellTime[entry] (when entry is valid)
  int dwellTime;         // the value the caller passes
  const char* expected;  // nullptr: refused with status 8
};

TEST(AutoSwitchEntry, ChannelsAndLayouts) {
  const EntryCase cases[] = {
      {0, 3, 3, "CASTS0103\r\n"},   {15, 99, 99, "CASTS1699\r\n"},  {7, 0, 0, "CASTS0800\r\n"},
      {16, 5, 5, "CASTD4A05\r\n"},  {17, 3, 3, "CASTD4B03\r\n"},    {18, 3, 3, "CASTD4C03\r\n"},
      {19, 3, 3, "CASTD4D03\r\n"},  {20, 3, 3, "CASTD9A03\r\n"},    {21, 3, 3, "CASTD9B03\r\n"},
      {22, 3, 3, "CASTD13A03\r\n"}, {23, 10, 10, "CASTD13B10\r\n"}, {24, 0, 0, "CASTD1600\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "entry " << c.entry);
    RecordingSession r;
    r.session.model.autoSwitch.dwellTime[c.entry] = c.stored;
    ASSERT_TRUE(SendAutoSwitchEntry(r.session, c.entry, c.dwellTime));
    ASSERT_EQ(r.port.frames.size(), 1u);
    EXPECT_EQ(r.port.frames[0], c.expected);
    EXPECT_EQ(EncodeAutoSwitchEntry(r.session.model, c.entry, c.dwellTime).text, c.expected);
  }
}

TEST(AutoSwitchEntry, Refusals) {
  const EntryCase cases[] = {
      {0, 3, 100, nullptr},                       // the caller's value is checked
      {0, 3, -1, nullptr},  {25, 3, 3, nullptr},  // no such entry
      {-1, 3, 3, nullptr},  {1000, 3, 3, nullptr},
      {5, 150, 3, nullptr},  // the stored value that would go out does not fit
      {20, -3, 3, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "entry " << c.entry << " value " << c.dwellTime);
    RecordingSession r;
    if (c.entry >= 0 && c.entry < kAutoSwitchEntries) {
      r.session.model.autoSwitch.dwellTime[c.entry] = c.stored;
    }
    EXPECT_EQ(EncodeAutoSwitchEntry(r.session.model, c.entry, c.dwellTime).refusal,
              kStatusCommandError);
    EXPECT_FALSE(SendAutoSwitchEntry(r.session, c.entry, c.dwellTime));
    EXPECT_TRUE(r.port.frames.empty());
    EXPECT_EQ(r.session.replyWait.unitStatus, kStatusCommandError);
  }
}

TEST(AutoSwitchAll, CarriesTheEntriesOfTheMode) {
  const CommandCase cases[] = {
      {"MIX at the defaults", nullptr, EncodeAutoSwitchAll, SendAutoSwitchAll,
       "CASTM03030303030303030303030303030303030303030303030303\r\n"},
      {"SINGLE with 1..16 seconds",
       [](SettingsModel& m) {
         m.autoSwitch.mode = 0;
         for (int i = 0; i < kChannels; ++i) m.autoSwitch.dwellTime[i] = i + 1;
       },
       EncodeAutoSwitchAll, SendAutoSwitchAll, "CASTS01020304050607080910111213141516\r\n"},
      {"DIVISION with every layout at 0",
       [](SettingsModel& m) {
         m.autoSwitch.mode = 1;
         for (int i = kChannels; i < kAutoSwitchEntries; ++i) m.autoSwitch.dwellTime[i] = 0;
       },
       EncodeAutoSwitchAll, SendAutoSwitchAll, "CASTD000000000000000000\r\n"},
      {"MIX with distinct ends",
       [](SettingsModel& m) {
         m.autoSwitch.dwellTime[0] = 99;
         m.autoSwitch.dwellTime[24] = 0;
       },
       EncodeAutoSwitchAll, SendAutoSwitchAll,
       "CASTM99030303030303030303030303030303030303030303030300\r\n"},
      // Only the mode's own entries are checked and sent.
      {"SINGLE ignores a bad layout time",
       [](SettingsModel& m) {
         m.autoSwitch.mode = 0;
         m.autoSwitch.dwellTime[24] = 100;
       },
       EncodeAutoSwitchAll, SendAutoSwitchAll, "CASTS03030303030303030303030303030303\r\n"},
      {"DIVISION ignores a bad channel time",
       [](SettingsModel& m) {
         m.autoSwitch.mode = 1;
         m.autoSwitch.dwellTime[0] = -1;
       },
       EncodeAutoSwitchAll, SendAutoSwitchAll, "CASTD030303030303030303\r\n"},
      {"MIX refuses a bad last entry", [](SettingsModel& m) { m.autoSwitch.dwellTime[24] = 100; },
       EncodeAutoSwitchAll, SendAutoSwitchAll, ""},
      {"MIX refuses a bad first entry", [](SettingsModel& m) { m.autoSwitch.dwellTime[0] = -1; },
       EncodeAutoSwitchAll, SendAutoSwitchAll, ""},
      {"SINGLE refuses a bad channel time",
       [](SettingsModel& m) {
         m.autoSwitch.mode = 0;
         m.autoSwitch.dwellTime[15] = 100;
       },
       EncodeAutoSwitchAll, SendAutoSwitchAll, ""},
      {"mode 3", [](SettingsModel& m) { m.autoSwitch.mode = 3; }, EncodeAutoSwitchAll,
       SendAutoSwitchAll, ""},
      {"mode -1", [](SettingsModel& m) { m.autoSwitch.mode = -1; }, EncodeAutoSwitchAll,
       SendAutoSwitchAll, ""},
  };
  ExpectCommands(cases);
}

TEST(AutoSwitchAll, LengthsByMode) {
  const std::size_t lengths[] = {39, 25, 57};
  for (int mode = 0; mode < 3; ++mode) {
    SCOPED_TRACE(testing::Message() << "mode " << mode);
    SettingsModel m;
    m.autoSwitch.mode = mode;
    EXPECT_EQ(EncodeAutoSwitchAll(m).text.size(), lengths[mode]);
  }
}

}  // namespace
}  // namespace korvex7
