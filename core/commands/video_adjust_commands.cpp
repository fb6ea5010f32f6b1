#include "core/commands/video_adjust_commands.h"

#include <string_view>

#include "core/commands/command_text.h"

namespace korvex7 {

namespace {

// One adjustment: its keyword, stored range, digits per value and how the
// stored form becomes the wire value.
struct Adjustment {
  std::string_view keyword;
  std::int32_t maxStored;
  int digits;
  std::int32_t (*wireValue)(std::int32_t stored);
};

std::int32_t AsIs(std::int32_t stored) { return stored; }

constexpr Adjustment kBrightness{"VAB", kMaxBrightness, 3, BrightnessWireValue};
constexpr Adjustment kContrast{"VAC", kMaxContrast, 3, AsIs};
constexpr Adjustment kHue{"VAH", kMaxHue, 3, HueWireValue};
constexpr Adjustment kSharpness{"VASH", kMaxSharpness, 2, AsIs};
constexpr Adjustment kSaturation{"VASA", kMaxSaturation, 3, AsIs};

// The stored value of an adjustment of 0.
constexpr std::int32_t kBrightnessZero = kBrightnessRange.offset;
constexpr std::int32_t kHueZero = kHueRange.offset;

bool AppendValue(std::string& cmd, const Adjustment& a, std::int32_t stored) {
  if (stored < 0 || stored > a.maxStored) return false;
  AppendDecimal(cmd, a.wireValue(stored), a.digits);
  return true;
}

Encoded EncodeOne(const SettingsModel& m, const Adjustment& a, std::int32_t stored) {
  const std::int32_t channel = m.selectedChannel;
  if (channel < -1 || channel >= kChannels) return Encoded::Refused();
  std::string cmd(a.keyword);
  AppendDecimal(cmd, channel + 1, 2);
  if (!AppendValue(cmd, a, stored)) return Encoded::Refused();
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}

Encoded EncodeAll(const Adjustment& a, const ChannelInts& values) {
  std::string cmd(a.keyword);
  for (const std::int32_t stored : values) {
    if (!AppendValue(cmd, a, stored)) return Encoded::Refused();
  }
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}

}  // namespace

std::int32_t BrightnessWireValue(std::int32_t stored) {
  return stored >= kBrightnessZero ? stored - kBrightnessZero : stored + kBrightnessZero;
}

std::int32_t HueWireValue(std::int32_t stored) {
  // 8-bit two's complement of stored - 124: negatives land on 132..255.
  return stored >= kHueZero ? stored - kHueZero : stored - kHueZero + 256;
}

Encoded EncodeBrightness(const SettingsModel& m, std::int32_t stored) {
  return EncodeOne(m, kBrightness, stored);
}
bool SendBrightness(Session& s, std::int32_t stored) {
  return SendEncoded(s, EncodeBrightness(s.model, stored));
}

Encoded EncodeContrast(const SettingsModel& m, std::int32_t stored) {
  return EncodeOne(m, kContrast, stored);
}
bool SendContrast(Session& s, std::int32_t stored) {
  return SendEncoded(s, EncodeContrast(s.model, stored));
}

Encoded EncodeHue(const SettingsModel& m, std::int32_t stored) {
  return EncodeOne(m, kHue, stored);
}
bool SendHue(Session& s, std::int32_t stored) { return SendEncoded(s, EncodeHue(s.model, stored)); }

Encoded EncodeSharpness(const SettingsModel& m, std::int32_t stored) {
  return EncodeOne(m, kSharpness, stored);
}
bool SendSharpness(Session& s, std::int32_t stored) {
  return SendEncoded(s, EncodeSharpness(s.model, stored));
}

Encoded EncodeSaturation(const SettingsModel& m, std::int32_t stored) {
  return EncodeOne(m, kSaturation, stored);
}
bool SendSaturation(Session& s, std::int32_t stored) {
  return SendEncoded(s, EncodeSaturation(s.model, stored));
}

Encoded EncodeBrightnessAll(const SettingsModel& m) {
  return EncodeAll(kBrightness, m.videoAdjust.brightness);
}
bool SendBrightnessAll(Session& s) { return SendEncoded(s, EncodeBrightnessAll(s.model)); }

Encoded EncodeContrastAll(const SettingsModel& m) {
  return EncodeAll(kContrast, m.videoAdjust.contrast);
}
bool SendContrastAll(Session& s) { return SendEncoded(s, EncodeContrastAll(s.model)); }

Encoded EncodeHueAll(const SettingsModel& m) { return EncodeAll(kHue, m.videoAdjust.hue); }
bool SendHueAll(Session& s) { return SendEncoded(s, EncodeHueAll(s.model)); }

Encoded EncodeSharpnessAll(const SettingsModel& m) {
  return EncodeAll(kSharpness, m.videoAdjust.sharpness);
}
bool SendSharpnessAll(Session& s) { return SendEncoded(s, EncodeSharpnessAll(s.model)); }

Encoded EncodeSaturationAll(const SettingsModel& m) {
  return EncodeAll(kSaturation, m.videoAdjust.saturation);
}
bool SendSaturationAll(Session& s) { return SendEncoded(s, EncodeSaturationAll(s.model)); }

}  // namespace korvex7
