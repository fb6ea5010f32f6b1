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

}  // namespace korvex7
