#include "core/model/settings_model.h"

namespace korvex7 {

namespace {
// Code page 932 bytes of the pieces of a default title.
constexpr char kFullWidthSpace[] = "\x81\x40";
constexpr char kFullWidthC[] = "\x82\x62";
constexpr char kFullWidthH[] = "\x82\x67";
// Full-width digits ０..９ are 0x82 0x4F .. 0x82 0x58.
constexpr unsigned char kFullWidthZeroLow = 0x4F;
}  // namespace

TitleText DefaultTitle(int channelIndex) {
  const int number = channelIndex + 1;
  std::string t;
  for (int i = 0; i < 3; ++i) t += kFullWidthSpace;
  t += kFullWidthC;
  t += kFullWidthH;
  t += '\x82';
  t += static_cast<char>(kFullWidthZeroLow + number / 10);
  t += '\x82';
  t += static_cast<char>(kFullWidthZeroLow + number % 10);
  for (int i = 0; i < 3; ++i) t += kFullWidthSpace;
  TitleText out{};
  SetText(out, t);
  return out;
}

std::array<TitleText, kChannels> SettingsModel::DefaultTitles() {
  std::array<TitleText, kChannels> titles{};
  for (int ch = 0; ch < kChannels; ++ch) titles[ch] = DefaultTitle(ch);
  return titles;
}

void ResetSettings(SettingsModel& model) {
  const SettingsModel defaults;
  model.alarm.mode = defaults.alarm.mode;
  model.alarm.inputPolarity = defaults.alarm.inputPolarity;
  SetText(model.alarm.holdTimeText, "030");
  model.alarm.holdTime = 30;
  model.alarm.returnOn = defaults.alarm.returnOn;
  model.alarm.display = defaults.alarm.display;
  model.videoLoss = defaults.videoLoss;
  model.dateTime = defaults.dateTime;
  model.title = defaults.title;
  model.titleDisplay.single = defaults.titleDisplay.single;
  model.titleDisplay.split = defaults.titleDisplay.split;
  model.fontSize.single = defaults.fontSize.single;
  model.fontSize.split = defaults.fontSize.split;
  model.titlePosition = defaults.titlePosition;
  model.autoSwitch = defaults.autoSwitch;
  model.splitLayout = defaults.splitLayout;
  model.videoAdjust = defaults.videoAdjust;
  model.agc = defaults.agc;
  model.videoFormat = defaults.videoFormat;
  model.other = defaults.other;
  model.other.borderLine = 0;  // New differs from start-up only here
}

bool SavedFieldsEqual(const SettingsModel& a, const SettingsModel& b) {
  const auto& x = a;
  const auto& y = b;
  return x.alarm.mode == y.alarm.mode && x.alarm.inputPolarity == y.alarm.inputPolarity &&
         x.alarm.holdTimeText == y.alarm.holdTimeText && x.alarm.returnOn == y.alarm.returnOn &&
         x.alarm.display == y.alarm.display && x.videoLoss.detect == y.videoLoss.detect &&
         x.videoLoss.display == y.videoLoss.display &&
         x.videoLoss.signalOutput == y.videoLoss.signalOutput &&
         x.videoLoss.background == y.videoLoss.background &&
         x.dateTime.display == y.dateTime.display &&
         x.dateTime.displayRange == y.dateTime.displayRange && x.title.text == y.title.text &&
         x.titleDisplay.single == y.titleDisplay.single &&
         x.titleDisplay.split == y.titleDisplay.split && x.fontSize.single == y.fontSize.single &&
         x.fontSize.split == y.fontSize.split && x.autoSwitch.dwellTime == y.autoSwitch.dwellTime &&
         x.autoSwitch.mode == y.autoSwitch.mode &&
         x.videoAdjust.brightness == y.videoAdjust.brightness &&
         x.videoAdjust.contrast == y.videoAdjust.contrast &&
         x.videoAdjust.hue == y.videoAdjust.hue &&
         x.videoAdjust.sharpness == y.videoAdjust.sharpness &&
         x.videoAdjust.saturation == y.videoAdjust.saturation &&
         x.videoAdjust.saturationV == y.videoAdjust.saturationV && x.agc.on == y.agc.on &&
         x.videoFormat.format == y.videoFormat.format &&
         x.titlePosition.vertical == y.titlePosition.vertical &&
         x.titlePosition.horizontal == y.titlePosition.horizontal &&
         x.splitLayout.quadA == y.splitLayout.quadA && x.splitLayout.quadB == y.splitLayout.quadB &&
         x.splitLayout.quadC == y.splitLayout.quadC && x.splitLayout.quadD == y.splitLayout.quadD &&
         x.splitLayout.nineA == y.splitLayout.nineA && x.splitLayout.nineB == y.splitLayout.nineB &&
         x.splitLayout.thirteenA == y.splitLayout.thirteenA &&
         x.splitLayout.thirteenB == y.splitLayout.thirteenB &&
         x.splitLayout.sixteen == y.splitLayout.sixteen &&
         x.other.connectorInput == y.other.connectorInput &&
         x.other.borderLine == y.other.borderLine &&
         x.other.powerOnScreen == y.other.powerOnScreen && x.other.ntscAspect == y.other.ntscAspect;
}

}  // namespace korvex7
