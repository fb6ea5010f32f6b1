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

// One step: its read-all query, the saved setting it carries, the encoder's
// name and its pure and sending forms. Title steps carry the title's channel
// instead of an encoder.
struct Step {
  std::string_view query;
  std::string_view setting;
  std::string_view name;
  Encoded (*encode)(const SettingsModel&) = nullptr;
  bool (*send)(Session&) = nullptr;
  int titleChannel = -1;
  bool everyEntry = true;
};

constexpr Step TitleStep(std::string_view query, int channel) {
  return Step{query, "title.text", "SendTitle", nullptr, nullptr, channel};
}

constexpr Step kSteps[] = {
    {"RAM\r\n", "alarm.mode", "SendAlarmMode", EncodeAlarmMode, SendAlarmMode},
    {"RADT\r\n", "alarm.holdTimeText", "SendAlarmHoldTime", EncodeAlarmHoldTime, SendAlarmHoldTime},
    {"RAP\r\n", "alarm.inputPolarity", "SendAlarmInputPolarity", EncodeAlarmInputPolarity,
     SendAlarmInputPolarity},
    {"RAD\r\n", "alarm.display", "SendAlarmDisplay", EncodeAlarmDisplay, SendAlarmDisplay},
    {"RAR\r\n", "alarm.returnOn", "SendAlarmReturn", EncodeAlarmReturn, SendAlarmReturn},
    {"RVL\r\n", "videoLoss.detect", "SendVideoLossChannels", EncodeVideoLossChannels,
     SendVideoLossChannels},
    {"RVLD\r\n", "videoLoss.display", "SendVideoLossDisplay", EncodeVideoLossDisplay,
     SendVideoLossDisplay},
    {"RVLSO\r\n", "videoLoss.signalOutput", "SendVideoLossSignalOutput",
     EncodeVideoLossSignalOutput, SendVideoLossSignalOutput},
    {"RVLBC\r\n", "videoLoss.background", "SendVideoLossBackground", EncodeVideoLossBackground,
     SendVideoLossBackground},
    {"RTSDR\r\n", "dateTime.displayRange", "SendDateTimeDisplayRange", EncodeDateTimeDisplayRange,
     SendDateTimeDisplayRange},
    {"RTSD\r\n", "dateTime.display", "SendDateTimeDisplay", EncodeDateTimeDisplay,
     SendDateTimeDisplay},
    TitleStep("RCJ01\r\n", 0),
    TitleStep("RCJ02\r\n", 1),
    TitleStep("RCJ03\r\n", 2),
    TitleStep("RCJ04\r\n", 3),
    TitleStep("RCJ05\r\n", 4),
    TitleStep("RCJ06\r\n", 5),
    TitleStep("RCJ07\r\n", 6),
    TitleStep("RCJ08\r\n", 7),
    TitleStep("RCJ09\r\n", 8),
    TitleStep("RCJ10\r\n", 9),
    TitleStep("RCJ11\r\n", 10),
    TitleStep("RCJ12\r\n", 11),
    TitleStep("RCJ13\r\n", 12),
    TitleStep("RCJ14\r\n", 13),
    TitleStep("RCJ15\r\n", 14),
    TitleStep("RCJ16\r\n", 15),
    {"RCTDS\r\n", "titleDisplay.single", "SendTitleDisplaySingle", EncodeTitleDisplaySingle,
     SendTitleDisplaySingle},
    {"RCTDD\r\n", "titleDisplay.split", "SendTitleDisplaySplit", EncodeTitleDisplaySplit,
     SendTitleDisplaySplit},
    {"RCTFSS\r\n", "fontSize.single", "SendFontSizeSingle", EncodeFontSizeSingle,
     SendFontSizeSingle},
    {"RCTFSD\r\n", "fontSize.split", "SendFontSizeSplit", EncodeFontSizeSplit, SendFontSizeSplit},
    // The dwell times of the current mode only.
    {"RCASTM\r\n", "autoSwitch.dwellTime", "SendAutoSwitchAll", EncodeAutoSwitchAll,
     SendAutoSwitchAll, -1, false},
    {"RCASM\r\n", "autoSwitch.mode", "SendAutoSwitchMode", EncodeAutoSwitchMode,
     SendAutoSwitchMode},
    {"RVAB\r\n", "videoAdjust.brightness", "SendBrightnessAll", EncodeBrightnessAll,
     SendBrightnessAll},
    {"RVAC\r\n", "videoAdjust.contrast", "SendContrastAll", EncodeContrastAll, SendContrastAll},
    {"RVASH\r\n", "videoAdjust.sharpness", "SendSharpnessAll", EncodeSharpnessAll,
     SendSharpnessAll},
    {"RVASA\r\n", "videoAdjust.saturation", "SendSaturationAll", EncodeSaturationAll,
     SendSaturationAll},
    {"RVAH\r\n", "videoAdjust.hue", "SendHueAll", EncodeHueAll, SendHueAll},
    {"RAGC\r\n", "agc.on", "SendAgc", EncodeAgc, SendAgc},
    {"RVF\r\n", "videoFormat.format", "SendVideoFormatAll", EncodeVideoFormatAll,
     SendVideoFormatAll},
    {"ROOV\r\n", "titlePosition.vertical", "SendTitleOffsetVertical", EncodeTitleOffsetVertical,
     SendTitleOffsetVertical},
    {"ROOH\r\n", "titlePosition.horizontal", "SendTitleOffsetHorizontal",
     EncodeTitleOffsetHorizontal, SendTitleOffsetHorizontal},
    {"RSPD4A\r\n", "splitLayout.quadA", "SendSplitQuad",
     [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutQuadA); },
     [](Session& s) { return SendSplitQuad(s, s.model.splitLayout.quadA, 0); }},
    {"RSPD4B\r\n", "splitLayout.quadB", "SendSplitQuad",
     [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutQuadB); },
     [](Session& s) { return SendSplitQuad(s, s.model.splitLayout.quadB, 1); }},
    {"RSPD4C\r\n", "splitLayout.quadC", "SendSplitQuad",
     [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutQuadC); },
     [](Session& s) { return SendSplitQuad(s, s.model.splitLayout.quadC, 2); }},
    {"RSPD4D\r\n", "splitLayout.quadD", "SendSplitQuad",
     [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutQuadD); },
     [](Session& s) { return SendSplitQuad(s, s.model.splitLayout.quadD, 3); }},
    {"RSPD9A\r\n", "splitLayout.nineA", "SendSplitNine",
     [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutNineA); },
     [](Session& s) { return SendSplitNine(s, s.model.splitLayout.nineA, 0); }},
    {"RSPD9B\r\n", "splitLayout.nineB", "SendSplitNine",
     [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutNineB); },
     [](Session& s) { return SendSplitNine(s, s.model.splitLayout.nineB, 1); }},
    {"RSPD13A\r\n", "splitLayout.thirteenA", "SendSplitThirteen",
     [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutThirteenA); },
     [](Session& s) { return SendSplitThirteen(s, s.model.splitLayout.thirteenA, 0); }},
    {"RSPD13B\r\n", "splitLayout.thirteenB", "SendSplitThirteen",
     [](const SettingsModel& m) { return EncodeSplitLayout(m, kLayoutThirteenB); },
     [](Session& s) { return SendSplitThirteen(s, s.model.splitLayout.thirteenB, 1); }},
    {"RSPD16\r\n", "splitLayout.sixteen", "SendSplitSixteen", EncodeSplitSixteen, SendSplitSixteen},
    {"RCI\r\n", "other.connectorInput", "SendConnectorInput", EncodeConnectorInput,
     SendConnectorInput},
    {"RBL\r\n", "other.borderLine", "SendBorderLine", EncodeBorderLine, SendBorderLine},
    {"RPOS\r\n", "other.powerOnScreen", "SendPowerOnScreen", EncodePowerOnScreen,
     SendPowerOnScreen},
    {"RNAR\r\n", "other.ntscAspect", "SendNtscAspect", EncodeNtscAspect, SendNtscAspect},
};

// "[3]" is entry 3; anything else no entry (-1).
int EntryIndex(std::string_view index) {
  if (index.size() < 3 || index.size() > 4 || index.front() != '[' || index.back() != ']')
    return -1;
  int value = 0;
  for (const char c : index.substr(1, index.size() - 2)) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

const Step* FindStep(int index) {
  if (index < 0 || index >= kSendAllStepCount) return nullptr;
  return &kSteps[index];
}

}  // namespace

extern constinit const int kSendAllStepCount = static_cast<int>(std::size(kSteps));

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

std::string_view StepQuery(int index) {
  const Step* step = FindStep(index);
  return step == nullptr ? std::string_view{} : step->query;
}

StepSetting SendAllStepSetting(int index) {
  const Step* step = FindStep(index);
  if (step == nullptr) return {};
  return StepSetting{step->setting, step->titleChannel, step->everyEntry};
}

int StepOfField(std::string_view fieldName) {
  const std::size_t bracket = fieldName.find('[');
  const std::string_view setting = fieldName.substr(0, bracket);
  const int entry = bracket == std::string_view::npos ? -1 : EntryIndex(fieldName.substr(bracket));
  for (int i = 0; i < kSendAllStepCount; ++i) {
    const Step& step = kSteps[i];
    if (step.setting != setting) continue;
    // A step that carries the whole setting carries each of its entries.
    if (step.titleChannel < 0 || step.titleChannel == entry) return i;
  }
  return -1;
}

}  // namespace korvex7
