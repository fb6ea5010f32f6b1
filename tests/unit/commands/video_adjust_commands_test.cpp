#include "core/commands/video_adjust_commands.h"

#include <gtest/gtest.h>

#include "tests/unit/commands/command_test_support.h"

namespace korvex7 {
namespace {

using testing_support::CommandCase;
using testing_support::ExpectCommands;
using testing_support::RecordingSession;

struct WireCase {
  int stored;
  int wire;
};

TEST(VideoAdjustWireValue, BrightnessSevenBitTwosComplement) {
  const WireCase cases[] = {
      {64, 0}, {0, 64}, {127, 63}, {63, 127}, {65, 1}, {1, 65}, {74, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(BrightnessWireValue(c.stored), c.wire);
  }
}

TEST(VideoAdjustWireValue, HueEightBitTwosComplement) {
  const WireCase cases[] = {
      {124, 0}, {123, 255}, {0, 132}, {251, 127}, {125, 1}, {1, 133},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(HueWireValue(c.stored), c.wire);
  }
}

TEST(VideoAdjustWireValue, HueNeverUses128To131AndIsOneToOne) {
  bool used[256] = {};
  for (int stored = 0; stored <= kMaxHue; ++stored) {
    const int wire = HueWireValue(stored);
    ASSERT_GE(wire, 0);
    ASSERT_LE(wire, 255);
    EXPECT_FALSE(used[wire]) << "stored " << stored;
    used[wire] = true;
  }
  for (int wire = 128; wire <= 131; ++wire) EXPECT_FALSE(used[wire]) << wire;
}

struct SingleCase {
  const char* what;
  Encoded (*encode)(const SettingsModel&, std::int32_t);
  bool (*send)(Session&, std::int32_t);
  int selectedChannel;
  int stored;
  const char* expected;  // nullptr: refused with status 8
};

void ExpectSingle(const SingleCase& c) {
  SCOPED_TRACE(c.what);
  RecordingSession r;
  r.session.model.selectedChannel = c.selectedChannel;
  const Encoded e = c.encode(r.session.model, c.stored);
  const bool sent = c.send(r.session, c.stored);
  testing_support::ExpectSentOrRefused(e, sent, r, c.expected);
}

TEST(VideoAdjustSingle, WorkedExamples) {
  const SingleCase cases[] = {
      {"brightness -1 on channel 3", EncodeBrightness, SendBrightness, 2, 63, "VAB03127\r\n"},
      {"brightness +10 on channel 12", EncodeBrightness, SendBrightness, 11, 74, "VAB12010\r\n"},
      {"brightness -64", EncodeBrightness, SendBrightness, 0, 0, "VAB01064\r\n"},
      {"brightness +63", EncodeBrightness, SendBrightness, 0, 127, "VAB01063\r\n"},
      {"hue -124 on channel 1", EncodeHue, SendHue, 0, 0, "VAH01132\r\n"},
      {"hue +127 on channel 16", EncodeHue, SendHue, 15, 251, "VAH16127\r\n"},
      {"hue -1", EncodeHue, SendHue, 0, 123, "VAH01255\r\n"},
      {"sharpness 31 on channel 5", EncodeSharpness, SendSharpness, 4, 31, "VASH0531\r\n"},
      {"sharpness 0", EncodeSharpness, SendSharpness, 4, 0, "VASH0500\r\n"},
      {"saturation 80 on channel 2", EncodeSaturation, SendSaturation, 1, 80, "VASA02080\r\n"},
      {"saturation 127", EncodeSaturation, SendSaturation, 1, 127, "VASA02127\r\n"},
      {"contrast 64 on channel 1", EncodeContrast, SendContrast, 0, 64, "VAC01064\r\n"},
      {"contrast 0", EncodeContrast, SendContrast, 0, 0, "VAC01000\r\n"},
      {"no channel selected", EncodeBrightness, SendBrightness, -1, 64, "VAB00000\r\n"},
      {"no channel selected, sharpness", EncodeSharpness, SendSharpness, -1, 7, "VASH0007\r\n"},
  };
  for (const auto& c : cases) ExpectSingle(c);
}

TEST(VideoAdjustSingle, ValuesThatWouldNotFitAreRefused) {
  const SingleCase cases[] = {
      {"brightness 128", EncodeBrightness, SendBrightness, 0, 128, nullptr},
      {"brightness -1", EncodeBrightness, SendBrightness, 0, -1, nullptr},
      {"contrast 128", EncodeContrast, SendContrast, 0, 128, nullptr},
      {"hue 252", EncodeHue, SendHue, 0, 252, nullptr},
      {"hue -1", EncodeHue, SendHue, 0, -1, nullptr},
      {"sharpness 32", EncodeSharpness, SendSharpness, 0, 32, nullptr},
      {"saturation 1000", EncodeSaturation, SendSaturation, 0, 1000, nullptr},
      {"selected channel 16", EncodeContrast, SendContrast, 16, 64, nullptr},
      {"selected channel -2", EncodeContrast, SendContrast, -2, 64, nullptr},
  };
  for (const auto& c : cases) ExpectSingle(c);
}

TEST(VideoAdjustAll, Defaults) {
  const CommandCase cases[] = {
      {"brightness", nullptr, EncodeBrightnessAll, SendBrightnessAll,
       "VAB000000000000000000000000000000000000000000000000\r\n"},
      {"contrast", nullptr, EncodeContrastAll, SendContrastAll,
       "VAC064064064064064064064064064064064064064064064064\r\n"},
      {"hue", nullptr, EncodeHueAll, SendHueAll,
       "VAH000000000000000000000000000000000000000000000000\r\n"},
      {"sharpness", nullptr, EncodeSharpnessAll, SendSharpnessAll,
       "VASH00000000000000000000000000000000\r\n"},
      {"saturation", nullptr, EncodeSaturationAll, SendSaturationAll,
       "VASA080080080080080080080080080080080080080080080080\r\n"},
  };
  ExpectCommands(cases);
}

TEST(VideoAdjustAll, RangeEndsAndRefusals) {
  const CommandCase cases[] = {
      {"brightness ends",
       [](SettingsModel& m) {
         m.videoAdjust.brightness[0] = 0;
         m.videoAdjust.brightness[1] = 127;
         m.videoAdjust.brightness[2] = 63;
         m.videoAdjust.brightness[15] = 65;
       },
       EncodeBrightnessAll, SendBrightnessAll,
       "VAB064063127000000000000000000000000000000000000001\r\n"},
      {"hue ends",
       [](SettingsModel& m) {
         m.videoAdjust.hue[0] = 0;
         m.videoAdjust.hue[1] = 251;
         m.videoAdjust.hue[2] = 123;
         m.videoAdjust.hue[15] = 125;
       },
       EncodeHueAll, SendHueAll, "VAH132127255000000000000000000000000000000000000001\r\n"},
      {"sharpness 31 on channel 16", [](SettingsModel& m) { m.videoAdjust.sharpness[15] = 31; },
       EncodeSharpnessAll, SendSharpnessAll, "VASH00000000000000000000000000000031\r\n"},
      {"brightness 128 on channel 16", [](SettingsModel& m) { m.videoAdjust.brightness[15] = 128; },
       EncodeBrightnessAll, SendBrightnessAll, ""},
      {"hue -1 on channel 1", [](SettingsModel& m) { m.videoAdjust.hue[0] = -1; }, EncodeHueAll,
       SendHueAll, ""},
      {"contrast 1000", [](SettingsModel& m) { m.videoAdjust.contrast[7] = 1000; },
       EncodeContrastAll, SendContrastAll, ""},
      {"sharpness 32", [](SettingsModel& m) { m.videoAdjust.sharpness[3] = 32; },
       EncodeSharpnessAll, SendSharpnessAll, ""},
      {"saturation -1", [](SettingsModel& m) { m.videoAdjust.saturation[0] = -1; },
       EncodeSaturationAll, SendSaturationAll, ""},
  };
  ExpectCommands(cases);
}

TEST(VideoAdjustAll, Lengths) {
  const SettingsModel m;
  EXPECT_EQ(EncodeBrightnessAll(m).text.size(), 53u);
  EXPECT_EQ(EncodeContrastAll(m).text.size(), 53u);
  EXPECT_EQ(EncodeHueAll(m).text.size(), 53u);
  EXPECT_EQ(EncodeSharpnessAll(m).text.size(), 38u);
  EXPECT_EQ(EncodeSaturationAll(m).text.size(), 54u);
}

}  // namespace
}  // namespace korvex7
