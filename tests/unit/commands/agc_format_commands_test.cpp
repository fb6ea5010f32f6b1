#include "core/commands/agc_format_commands.h"

#include <gtest/gtest.h>

#include "tests/unit/commands/command_test_support.h"

namespace korvex7 {
namespace {

using testing_support::CommandCase;
using testing_support::ExpectCommands;
using testing_support::RecordingSession;

TEST(AgcCommand, EncodesEveryChannelOrRefusesWhole) {
  const CommandCase cases[] = {
      {"defaults: all on", nullptr, EncodeAgc, SendAgc, "AGCNNNNNNNNNNNNNNNN\r\n"},
      {"channel 1 off", [](SettingsModel& m) { m.agc.on[0] = 0; }, EncodeAgc, SendAgc,
       "AGCFNNNNNNNNNNNNNNN\r\n"},
      {"channel 16 off", [](SettingsModel& m) { m.agc.on[15] = 0; }, EncodeAgc, SendAgc,
       "AGCNNNNNNNNNNNNNNNF\r\n"},
      {"all off", [](SettingsModel& m) { m.agc.on.fill(0); }, EncodeAgc, SendAgc,
       "AGCFFFFFFFFFFFFFFFF\r\n"},
      {"alternating",
       [](SettingsModel& m) {
         for (int i = 0; i < kChannels; i += 2) m.agc.on[i] = 0;
       },
       EncodeAgc, SendAgc, "AGCFNFNFNFNFNFNFNFN\r\n"},
      // The first value other than 0/1 drops the whole command, wherever it sits.
      {"channel 16 holds 2", [](SettingsModel& m) { m.agc.on[15] = 2; }, EncodeAgc, SendAgc, ""},
      {"channel 1 holds -1", [](SettingsModel& m) { m.agc.on[0] = -1; }, EncodeAgc, SendAgc, ""},
      {"channel 8 invalid after channels switched off",
       [](SettingsModel& m) {
         m.agc.on[0] = 0;
         m.agc.on[7] = 7;
       },
       EncodeAgc, SendAgc, ""},
  };
  ExpectCommands(cases);
}

TEST(VideoFormatAllCommand, EncodesEveryChannelOrRefusesWhole) {
  const CommandCase cases[] = {
      {"defaults: TVI 1080", nullptr, EncodeVideoFormatAll, SendVideoFormatAll,
       "VF3333333333333333\r\n"},
      {"every format in turn",
       [](SettingsModel& m) {
         for (int i = 0; i < kChannels; ++i) m.videoFormat.format[i] = i % 7;
       },
       EncodeVideoFormatAll, SendVideoFormatAll, "VF1234567123456712\r\n"},
      {"channel 16 holds 7", [](SettingsModel& m) { m.videoFormat.format[15] = 7; },
       EncodeVideoFormatAll, SendVideoFormatAll, ""},
      {"channel 1 holds -1 (no selection)", [](SettingsModel& m) { m.videoFormat.format[0] = -1; },
       EncodeVideoFormatAll, SendVideoFormatAll, ""},
      {"channel 9 invalid between valid ones",
       [](SettingsModel& m) { m.videoFormat.format[8] = 100; }, EncodeVideoFormatAll,
       SendVideoFormatAll, ""},
  };
  ExpectCommands(cases);
}

struct FormatChannelCase {
  int channel;
  int format;
  const char* expected;  // nullptr: refused with status 8
};

TEST(VideoFormatChannelCommand, EncodesOneChannel) {
  const FormatChannelCase cases[] = {
      {0, 0, "VF011\r\n"},   // channel 1, "AHD 1080"
      {9, 6, "VF107\r\n"},   // channel 10, "NTSC    "
      {15, 2, "VF163\r\n"},  // channel 16, "TVI 1080"
      {4, 5, "VF056\r\n"},     {0, 7, nullptr},  {0, -1, nullptr},
      {3, INT32_MIN, nullptr}, {16, 0, nullptr},  // no such channel
      {-1, 0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "channel " << c.channel << " format " << c.format);
    const Encoded e = EncodeVideoFormatChannel(SettingsModel{}, c.channel, c.format);
    RecordingSession r;
    const bool sent = SendVideoFormatChannel(r.session, c.channel, c.format);
    testing_support::ExpectSentOrRefused(e, sent, r, c.expected);
    if (c.expected != nullptr) {
      EXPECT_EQ(std::string(c.expected).size(), 7u);
    }
  }
}

TEST(VideoFormatChannelCommand, Rs485FrameCarriesTheAddress) {
  RecordingSession r;
  r.session.model.link.mode = kLinkRs485;
  r.session.model.link.slaveAddress = 12;
  ASSERT_TRUE(SendVideoFormatChannel(r.session, 9, 6));
  ASSERT_EQ(r.port.frames.size(), 1u);
  EXPECT_EQ(r.port.frames[0], "12VF107\r\n");
}

}  // namespace
}  // namespace korvex7
