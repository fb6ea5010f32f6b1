// Every setting the encoders send comes back unchanged when the unit reports
// it in the same layout: the commands and the replies share their keywords and
// field codings, so an encoded command read as a reply must restore the model.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/commands/agc_format_commands.h"
#include "core/commands/alarm_commands.h"
#include "core/commands/auto_switch_commands.h"
#include "core/commands/date_time_commands.h"
#include "core/commands/other_commands.h"
#include "core/commands/screen_split_commands.h"
#include "core/commands/title_commands.h"
#include "core/commands/video_adjust_commands.h"
#include "core/commands/video_loss_commands.h"
#include "core/link/reply_dispatcher.h"
#include "core/model/saved_fields.h"
#include "core/transfer/send_all_steps.h"
#include "model_diff.h"

namespace korvex7 {
namespace {

using testing_support::ChangedFields;

// A model in which the setting holds values no reply gives it.
SettingsModel MarkedModelFor(const SavedSetting& setting) {
  SettingsModel m;
  for (std::int32_t& v : setting.in(m).ints) v = 99;
  return m;
}

using Encoder = Encoded (*)(const SettingsModel&);

const Encoder kEncoders[] = {
    EncodeAlarmMode,
    EncodeAlarmHoldTime,
    EncodeAlarmInputPolarity,
    EncodeAlarmDisplay,
    EncodeAlarmReturn,
    EncodeVideoLossChannels,
    EncodeVideoLossDisplay,
    EncodeVideoLossSignalOutput,
    EncodeVideoLossBackground,
    EncodeDateTimeDisplayRange,
    EncodeDateTimeDisplay,
    EncodeTitleDisplaySingle,
    EncodeTitleDisplaySplit,
    EncodeFontSizeSingle,
    EncodeFontSizeSplit,
    EncodeTitleOffsetVertical,
    EncodeTitleOffsetHorizontal,
    // The unit reports the dwell times of every entry in the form of the MIX
    // mode's command.
    [](const SettingsModel& m) {
      SettingsModel mix = m;
      mix.autoSwitch.mode = 2;
      return EncodeAutoSwitchAll(mix);
    },
    EncodeAutoSwitchMode,
    EncodeBrightnessAll,
    EncodeContrastAll,
    EncodeSharpnessAll,
    EncodeSaturationAll,
    EncodeHueAll,
    EncodeAgc,
    EncodeVideoFormatAll,
    EncodeConnectorInput,
    EncodeBorderLine,
    EncodePowerOnScreen,
    EncodeNtscAspect,
};

// Full-width "０".."９" and "Ａ".."Ｚ" in code page 932.
std::string FullWidth(char c) {
  if (c >= '0' && c <= '9') return std::string{'\x82', static_cast<char>(0x4F + (c - '0'))};
  if (c >= 'A' && c <= 'Z') return std::string{'\x82', static_cast<char>(0x60 + (c - 'A'))};
  return "\x81\x40";  // anything else: a full-width blank
}

// A model whose every field holds a valid value that depends on k, chosen so
// that k = 0..25 together cover every stored value of brightness, hue and the
// power-on screen. Titles end in a non-blank character: the unit's trailing
// blanks are padding and do not come back.
SettingsModel VariedModel(int k) {
  SettingsModel m;
  m.alarm.mode = k % 2;
  m.alarm.inputPolarity = (k / 2) % 2;
  const int hold = (k * 61) % 999 + 1;
  SetText(m.alarm.holdTimeText, std::to_string(hold));
  m.alarm.holdTime = hold;
  m.alarm.returnOn = (k / 4) % 2;
  m.alarm.display = (k / 8) % 2;
  for (int i = 0; i < kChannels; ++i) {
    m.videoLoss.detect[i] = (i + k) % 2;
    m.agc.on[i] = (i / 2 + k) % 2;
    m.videoFormat.format[i] = (i + k) % 7;
    m.videoAdjust.brightness[i] = (k * kChannels + i) % 128;
    m.videoAdjust.contrast[i] = (k * kChannels + i + 5) % 128;
    m.videoAdjust.hue[i] = (k * kChannels + i) % 252;
    m.videoAdjust.sharpness[i] = (k + i) % 32;
    m.videoAdjust.saturation[i] = (k * kChannels + i + 9) % 128;
  }
  m.videoLoss.display = k % 2;
  m.videoLoss.signalOutput = (k / 2) % 2;
  m.videoLoss.background = (k / 4) % 2;
  m.dateTime.display = (k / 8) % 2;
  m.dateTime.displayRange = k % 8;
  const std::string letters = "KORVEX7 CH0123456789ABCDEFGHIJ";
  for (int ch = 0; ch < kChannels; ++ch) {
    std::string title;
    const int length = (ch + k) % 11;  // 0..10 characters
    for (int i = 0; i < length; ++i) {
      title += FullWidth(letters[static_cast<std::size_t>(ch + k + i) % letters.size()]);
    }
    while (title.size() >= 2 && title.substr(title.size() - 2) == "\x81\x40") {
      title.resize(title.size() - 2);
    }
    SetText(m.title.text[static_cast<std::size_t>(ch)], title);
  }
  m.titleDisplay.single = k % 2;
  m.titleDisplay.split = (k / 2) % 2;
  m.fontSize.single = (k / 4) % 2;
  m.fontSize.split = (k / 8) % 2;
  m.titlePosition.vertical = k % 16;
  m.titlePosition.horizontal = 15 - k % 16;
  for (int e = 0; e < 25; ++e) m.autoSwitch.dwellTime[e] = (k * 25 + e) % 100;
  m.autoSwitch.mode = k % 3;
  auto fill = [k](auto& table, int offset) {
    for (std::size_t j = 0; j < table.size(); ++j) {
      table[j] = static_cast<std::int32_t>((static_cast<std::size_t>(k + offset) + j) % 16);
    }
  };
  fill(m.splitLayout.quadA, 1);
  fill(m.splitLayout.quadB, 2);
  fill(m.splitLayout.quadC, 3);
  fill(m.splitLayout.quadD, 4);
  fill(m.splitLayout.nineA, 5);
  fill(m.splitLayout.nineB, 6);
  fill(m.splitLayout.thirteenA, 7);
  fill(m.splitLayout.thirteenB, 8);
  fill(m.splitLayout.sixteen, 9);
  m.other.connectorInput = k % 2;
  m.other.borderLine = k % 4;
  m.other.powerOnScreen = k % kPictureCount;
  m.other.ntscAspect = (k / 2) % 2;
  return m;
}

// Every command of the model, in the layout the unit reports it.
std::vector<std::string> AllCommands(const SettingsModel& m) {
  std::vector<Encoded> encoded;
  for (Encoder e : kEncoders) encoded.push_back(e(m));
  for (int ch = 0; ch < kChannels; ++ch) encoded.push_back(EncodeTitle(m, ch));
  for (int layout = 0; layout < kLayoutCount; ++layout) {
    encoded.push_back(EncodeSplitLayout(m, layout));
  }
  std::vector<std::string> texts;
  for (const Encoded& e : encoded) {
    EXPECT_TRUE(e.ok()) << "refused with status " << e.refusal;
    texts.push_back(e.text);
  }
  return texts;
}

TEST(EncoderRoundTrip, EveryCommandReadBackRestoresTheModel) {
  for (int k = 0; k < kPictureCount; ++k) {
    SCOPED_TRACE(testing::Message() << "model " << k);
    const SettingsModel source = VariedModel(k);
    Session unitSide;  // starts from the defaults
    for (const std::string& command : AllCommands(source)) {
      SCOPED_TRACE(testing::PrintToString(command));
      unitSide.replyWait.ackPending = 1;
      ReplyDispatcher(unitSide, command);
      ASSERT_EQ(unitSide.replyWait.unitStatus, kStatusNone);
      ASSERT_EQ(unitSide.replyWait.outcome, kOutcomeSingleAcknowledged);
    }
    EXPECT_EQ(ChangedFields(source, unitSide.model), std::vector<std::string>{});
  }
}

TEST(EncoderRoundTrip, DefaultTitlesComeBackWithoutTheirTrailingBlanks) {
  const SettingsModel defaults;
  for (int ch = 0; ch < kChannels; ++ch) {
    SCOPED_TRACE(ch);
    const Encoded e = EncodeTitle(defaults, ch);
    ASSERT_TRUE(e.ok());
    SettingsModel m;
    ASSERT_TRUE(DecodeReply(m, e.text));
    const std::string_view full = TextView(defaults.title.text[static_cast<std::size_t>(ch)]);
    EXPECT_EQ(TextView(m.title.text[static_cast<std::size_t>(ch)]), full.substr(0, 14));
  }
}

// Every choice of every choice setting, sent by the step that carries it and
// read back as the unit reports it, is the choice it was: the encoders and
// the decoders take their codes from the same lists.
TEST(EncoderRoundTrip, EveryChoiceComesBack) {
  for (const SavedSetting& setting : SavedSettings()) {
    if (setting.form != ValueForm::kChoice) continue;
    const int step = StepOfField(setting.name);
    ASSERT_GE(step, 0) << setting.name;
    for (std::size_t choice = 0; choice < setting.choices.size(); ++choice) {
      SCOPED_TRACE(std::string(setting.name) + " = " + std::string(setting.choices[choice].name));
      SettingsModel source;
      for (std::int32_t& v : setting.in(source).ints) v = static_cast<std::int32_t>(choice);
      const Encoded e = EncodeSendAllStep(source, step);
      ASSERT_TRUE(e.ok());
      SettingsModel read = MarkedModelFor(setting);
      ASSERT_TRUE(DecodeReply(read, e.text)) << e.text;
      for (const std::int32_t v : setting.in(read).ints) EXPECT_EQ(v, static_cast<int>(choice));
    }
  }
}

}  // namespace
}  // namespace korvex7
