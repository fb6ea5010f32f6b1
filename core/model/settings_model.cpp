#include "core/model/settings_model.h"

#include <algorithm>

#include "core/model/saved_fields.h"

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
  SettingsModel defaults;
  for (const SavedSetting& setting : SavedSettings()) {
    const SettingValues from = setting.in(defaults);
    const SettingValues to = setting.in(model);
    std::copy(from.ints.begin(), from.ints.end(), to.ints.begin());
    for (std::size_t i = 0; i < from.texts; ++i) {
      std::copy_n(from.Text(i), from.textSize, to.Text(i));
    }
  }
  model.alarm.holdTime = defaults.alarm.holdTime;  // the value of the hold-time text
  model.other.borderLine = 0;                      // New differs from start-up only here
}

bool SavedFieldsEqual(const SettingsModel& a, const SettingsModel& b) {
  // The table hands out writable places: it looks at copies.
  SettingsModel x = a;
  SettingsModel y = b;
  for (const SavedSetting& setting : SavedSettings()) {
    const SettingValues vx = setting.in(x);
    const SettingValues vy = setting.in(y);
    if (!std::equal(vx.ints.begin(), vx.ints.end(), vy.ints.begin())) return false;
    for (std::size_t i = 0; i < vx.texts; ++i) {
      if (!std::equal(vx.Text(i), vx.Text(i) + vx.textSize, vy.Text(i))) return false;
    }
  }
  return true;
}

}  // namespace korvex7
