#include "core/transfer/send_all_steps.h"

#include <array>

#include "core/commands/agc_format_commands.h"
#include "core/commands/alarm_commands.h"
#include "core/commands/auto_switch_commands.h"
#include "core/commands/date_time_commands.h"
#include "core/commands/other_commands.h"
#include "core/commands/screen_split_commands.h"
#include "core/commands/title_commands.h"
#include "core/commands/video_adjust_commands.h"
#include "core/commands/video_loss_commands.h"

namespace korvex7 {

namespace {

// One step: the encoder's name and its pure and sending forms. Title steps
// carry the title's channel instead.
struct Step {
  std::string_view name;
  Encoded (*encode)(const SettingsModel&) = nullptr;
  bool (*send)(Session&) = nullptr;
  int titleChannel = -1;
};

constexpr Step TitleStep(int channel) { return Step{"SendTitle", nullptr, nullptr, channel}; }

constexpr Step kSteps[] = {
    {"SendAlarmMode", EncodeAlarmMode, SendAlarmMode},
    {"SendAlarmHoldTime", EncodeAlarmHoldTime, SendAlarmHoldTime},
    {"SendAlarmInputPolarity", EncodeAlarmInputPolarity, SendAlarmInputPolarity},
    {"SendAlarmDisplay", EncodeAlarmDisplay, SendAlarmDisplay},
    {"SendAlarmReturn", EncodeAlarmReturn, SendAlarmReturn},
    {"SendVideoLossChannels", EncodeVideoLossChannels, SendVideoLossChannels},
    {"SendVideoLossDisplay", EncodeVideoLossDisplay, SendVideoLossDisplay},
    {"SendVideoLossSignalOutput", EncodeVideoLossSignalOutput, SendVideoLossSignalOutput},
    {"SendVideoLossBackground", EncodeVideoLossBackground, SendVideoLossBackground},
    {"SendDateTimeDisplayRange", EncodeDateTimeDisplayRange, SendDateTimeDisplayRange},
    {"SendDateTimeDisplay", EncodeDateTimeDisplay, SendDateTimeDisplay},
    TitleStep(0),
    TitleStep(1),
    TitleStep(2),
    TitleStep(3),
    TitleStep(4),
    TitleStep(5),
    TitleStep(6),
    TitleStep(7),
    TitleStep(8),
    TitleStep(9),
    TitleStep(10),
    TitleStep(11),
    TitleStep(12),
    TitleStep(13),
    TitleStep(14),
    TitleStep(15),
    {"SendTitleDisplaySingle", EncodeTitleDisplaySingle, SendTitleDisplaySingle},
    {"SendTitleDisplaySplit", EncodeTitleDisplaySplit, SendTitleDisplaySplit},
    {"SendFontSizeSingle", EncodeFontSizeSingle, SendFontSizeSingle},
    {"SendFontSizeSplit", EncodeFontSizeSplit, SendFontSizeSplit},
    {"SendAutoSwitchAll", EncodeAutoSwitchAll, SendAutoSwitchAll},
    {"SendAutoSwitchMode", EncodeAutoSwitchMode, SendAutoSwitchMode},
    {"SendBrightnessAll", EncodeBrightnessAll, SendBrightnessAll},
    {"SendContrastAll", EncodeContrastAll, SendContrastAll},
    {"SendSharpnessAll", EncodeSharpnessAll, SendSharpnessAll},
    {"SendSaturationAll", EncodeSaturationAll, SendSaturationAll},
    {"SendHueAll", EncodeHueAll, SendHueAll},
    {"SendAgc", EncodeAgc, SendAgc},
    {"SendVideoFormatAll", EncodeVideoFormatAll, SendVideoFormatAll},
    {"SendTitleOffsetVertical", EncodeTitleOffsetVertical, SendTitleOffsetVertical},
    {"SendTitleOffsetHorizontal", EncodeTitleOffsetHorizontal, SendTitleOffsetHorizontal},
    {"SendSplitQuad", [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutQuadA); },
     [](Session& s) { return SendSplitQuad(s, s.model.splitLayout.quadA, 0); }},
    {"SendSplitQuad", [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutQuadB); },
     [](Session& s) { return SendSplitQuad(s, s.model.splitLayout.quadB, 1); }},
    {"SendSplitQuad", [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutQuadC); },
     [](Session& s) { return SendSplitQuad(s, s.model.splitLayout.quadC, 2); }},
    {"SendSplitQuad", [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutQuadD); },
     [](Session& s) { return SendSplitQuad(s, s.model.splitLayout.quadD, 3); }},
    {"SendSplitNine", [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutNineA); },
     [](Session& s) { return SendSplitNine(s, s.model.splitLayout.nineA, 0); }},
    {"SendSplitNine", [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutNineB); },
     [](Session& s) { return SendSplitNine(s, s.model.splitLayout.nineB, 1); }},
    {"SendSplitThirteen",
     [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutThirteenA); },
     [](Session& s) { return SendSplitThirteen(s, s.model.splitLayout.thirteenA, 0); }},
    {"SendSplitThirteen",
     [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutThirteenB); },
     [](Session& s) { return SendSplitThirteen(s, s.model.splitLayout.thirteenB, 1); }},
    {"SendSplitSixteen", EncodeSplitSixteen, SendSplitSixteen},
    {"SendConnectorInput", EncodeConnectorInput, SendConnectorInput},
    {"SendBorderLine", EncodeBorderLine, SendBorderLine},
    {"SendPowerOnScreen", EncodePowerOnScreen, SendPowerOnScreen},
    {"SendNtscAspect", EncodeNtscAspect, SendNtscAspect},
};
static_assert(std::size(kSteps) == kSendAllStepCount);

const Step* FindStep(int index) {
  if (index < 0 || index >= kSendAllStepCount) return nullptr;
  return &kSteps[index];
}

}  // namespace

StepResult RunSendAllStep(Session& s, int index) {
  const Step* step = FindStep(index);
  if (step == nullptr) {
    s.replyWait.unitStatus = kStatusCommandError;
    return StepResult::kRefused;
  }
  if (step->titleChannel >= 0) {
    TitleWorkBuffer titleWorkBuffer;
    if (PrepareTitle(s.model, step->titleChannel, titleWorkBuffer) == 0 ||
        SendTitle(s, step->titleChannel, titleWorkBuffer) == 1) {
      s.replyWait.unitStatus = kStatusCommandError;
      return StepResult::kTitleRefused;
    }
    return StepResult::kSent;
  }
  return step->send(s) ? StepResult::kSent : StepResult::kRefused;
}

Encoded EncodeSendAllStep(const SettingsModel& m, int index) {
  const Step* step = FindStep(index);
  if (step == nullptr) return Encoded::Refused();
  if (step->titleChannel >= 0) return EncodeTitle(m, step->titleChannel);
  return step->encode(m);
}

std::string_view SendAllStepName(int index) {
  const Step* step = FindStep(index);
  return step == nullptr ? std::string_view{} : step->name;
}

}  // namespace korvex7
