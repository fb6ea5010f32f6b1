#include "core/commands/other_commands.h"

#include <gtest/gtest.h>

#include "tests/unit/commands/command_test_support.h"

namespace korvex7 {
namespace {

using testing_support::CommandCase;
using testing_support::ExpectCommands;

TEST(OtherCommands, ConnectorBorderAspect) {
  const CommandCase cases[] = {
      {"connector alarm (default)", nullptr, EncodeConnectorInput, SendConnectorInput, "CIA\r\n"},
      {"connector remote", [](SettingsModel& m) { m.other.connectorInput = 1; },
       EncodeConnectorInput, SendConnectorInput, "CIR\r\n"},
      {"connector 2", [](SettingsModel& m) { m.other.connectorInput = 2; }, EncodeConnectorInput,
       SendConnectorInput, ""},
      {"connector -1", [](SettingsModel& m) { m.other.connectorInput = -1; }, EncodeConnectorInput,
       SendConnectorInput, ""},
      {"border black at start-up", nullptr, EncodeBorderLine, SendBorderLine, "BLB\r\n"},
      {"border after New", [](SettingsModel& m) { ResetSettings(m); }, EncodeBorderLine,
       SendBorderLine, "BLO\r\n"},
      {"border white", [](SettingsModel& m) { m.other.borderLine = 1; }, EncodeBorderLine,
       SendBorderLine, "BLW\r\n"},
      {"border grey", [](SettingsModel& m) { m.other.borderLine = 2; }, EncodeBorderLine,
       SendBorderLine, "BLG\r\n"},
      {"border 4", [](SettingsModel& m) { m.other.borderLine = 4; }, EncodeBorderLine,
       SendBorderLine, ""},
      {"border -1", [](SettingsModel& m) { m.other.borderLine = -1; }, EncodeBorderLine,
       SendBorderLine, ""},
      {"aspect 4:3 (default)", nullptr, EncodeNtscAspect, SendNtscAspect, "NAR4\r\n"},
      {"aspect full", [](SettingsModel& m) { m.other.ntscAspect = 1; }, EncodeNtscAspect,
       SendNtscAspect, "NARF\r\n"},
      {"aspect 2", [](SettingsModel& m) { m.other.ntscAspect = 2; }, EncodeNtscAspect,
       SendNtscAspect, ""},
  };
  ExpectCommands(cases);
}

TEST(OtherCommands, EveryPowerOnScreen) {
  const char* const expected[kPictureCount] = {
      "POSS01\r\n", "POSS02\r\n", "POSS03\r\n", "POSS04\r\n", "POSS05\r\n",  "POSS06\r\n",
      "POSS07\r\n", "POSS08\r\n", "POSS09\r\n", "POSS10\r\n", "POSS11\r\n",  "POSS12\r\n",
      "POSS13\r\n", "POSS14\r\n", "POSS15\r\n", "POSS16\r\n", "POSD4A\r\n",  "POSD4B\r\n",
      "POSD4C\r\n", "POSD4D\r\n", "POSD9A\r\n", "POSD9B\r\n", "POSD13A\r\n", "POSD13B\r\n",
      "POSD16\r\n", "POSCAS\r\n",
  };
  for (int picture = 0; picture < kPictureCount; ++picture) {
    SCOPED_TRACE(testing::Message() << "picture " << picture);
    SettingsModel m;
    m.other.powerOnScreen = picture;
    EXPECT_EQ(EncodePowerOnScreen(m).text, expected[picture]);
  }
  EXPECT_EQ(EncodePowerOnScreen(SettingsModel{}).text, "POSD16\r\n");  // the default
}

TEST(OtherCommands, PowerOnScreenOutOfRange) {
  const CommandCase cases[] = {
      {"26", [](SettingsModel& m) { m.other.powerOnScreen = 26; }, EncodePowerOnScreen,
       SendPowerOnScreen, ""},
      {"-1", [](SettingsModel& m) { m.other.powerOnScreen = -1; }, EncodePowerOnScreen,
       SendPowerOnScreen, ""},
      {"13-way A is nine bytes", [](SettingsModel& m) { m.other.powerOnScreen = 22; },
       EncodePowerOnScreen, SendPowerOnScreen, "POSD13A\r\n"},
  };
  ExpectCommands(cases);
}

}  // namespace
}  // namespace korvex7
