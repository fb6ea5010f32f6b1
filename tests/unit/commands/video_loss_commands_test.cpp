#include "core/commands/video_loss_commands.h"

#include <gtest/gtest.h>

#include "tests/unit/commands/command_test_support.h"

namespace korvex7 {
namespace {

using testing_support::CommandCase;
using testing_support::ExpectCommands;

TEST(VideoLossCommands, ChannelTable) {
  const CommandCase cases[] = {
      {"defaults: all watched", nullptr, EncodeVideoLossChannels, SendVideoLossChannels,
       "VLNNNNNNNNNNNNNNNN\r\n"},
      {"channel 3 off", [](SettingsModel& m) { m.videoLoss.detect[2] = 0; },
       EncodeVideoLossChannels, SendVideoLossChannels, "VLNNFNNNNNNNNNNNNN\r\n"},
      {"all off", [](SettingsModel& m) { m.videoLoss.detect.fill(0); }, EncodeVideoLossChannels,
       SendVideoLossChannels, "VLFFFFFFFFFFFFFFFF\r\n"},
      {"channel 16 holds 2", [](SettingsModel& m) { m.videoLoss.detect[15] = 2; },
       EncodeVideoLossChannels, SendVideoLossChannels, ""},
      {"channel 1 holds -1", [](SettingsModel& m) { m.videoLoss.detect[0] = -1; },
       EncodeVideoLossChannels, SendVideoLossChannels, ""},
  };
  ExpectCommands(cases);
}

TEST(VideoLossCommands, SingleLetterFields) {
  const CommandCase cases[] = {
      {"display default on", nullptr, EncodeVideoLossDisplay, SendVideoLossDisplay, "VLDON\r\n"},
      {"display off", [](SettingsModel& m) { m.videoLoss.display = 0; }, EncodeVideoLossDisplay,
       SendVideoLossDisplay, "VLDOF\r\n"},
      {"display 2", [](SettingsModel& m) { m.videoLoss.display = 2; }, EncodeVideoLossDisplay,
       SendVideoLossDisplay, ""},
      {"display -1", [](SettingsModel& m) { m.videoLoss.display = -1; }, EncodeVideoLossDisplay,
       SendVideoLossDisplay, ""},
      {"signal output default off", nullptr, EncodeVideoLossSignalOutput, SendVideoLossSignalOutput,
       "VLSOOF\r\n"},
      {"signal output on", [](SettingsModel& m) { m.videoLoss.signalOutput = 1; },
       EncodeVideoLossSignalOutput, SendVideoLossSignalOutput, "VLSOON\r\n"},
      {"signal output -1", [](SettingsModel& m) { m.videoLoss.signalOutput = -1; },
       EncodeVideoLossSignalOutput, SendVideoLossSignalOutput, ""},
      {"background default normal", nullptr, EncodeVideoLossBackground, SendVideoLossBackground,
       "VLBCN\r\n"},
      {"background blue", [](SettingsModel& m) { m.videoLoss.background = 1; },
       EncodeVideoLossBackground, SendVideoLossBackground, "VLBCB\r\n"},
      {"background 2", [](SettingsModel& m) { m.videoLoss.background = 2; },
       EncodeVideoLossBackground, SendVideoLossBackground, ""},
  };
  ExpectCommands(cases);
}

}  // namespace
}  // namespace korvex7
