#include "core/link/reply_decoders.h"

#include <string>

#include "core/link/reply_decoders_parse.h"

namespace korvex7 {

using reply_parse::CrLfAt;
using reply_parse::DecodeLetters;
using reply_parse::DecodeNumbers;
using reply_parse::DigitsAt;

namespace {

// Accepts a wire number the range stores unchanged (no offset).
struct InRange {
  NumberRange range;
  std::int32_t operator()(int wire) const { return range.HoldsStored(wire) ? wire : -1; }
};

// A channel number 1..16 on the wire is the channel index 0..15 in the model.
std::int32_t ChannelIndexFromWire(int wire) {
  return wire >= 1 && wire <= kChannels ? wire - 1 : -1;
}

// Two-digit channel numbers 1..16 from `start`, stored as channel indexes.
template <std::size_t N>
bool DecodeChannels(std::string_view line, std::size_t start, std::array<std::int32_t, N>& table) {
  return DecodeNumbers(line, start, 2, ChannelIndexFromWire, table);
}

bool DecodeTitleOffset(std::int32_t& field, std::string_view line) {
  const int value = DigitsAt(line, 3, 2);
  if (!kTitleOffsetRange.HoldsStored(value) || !CrLfAt(line, 5)) return false;
  field = value;
  return true;
}

// Where the channel numbers of each split-screen reply begin: after "SPD4A"
// and the like, or after the longer "SPD13A"/"SPD13B".
constexpr std::size_t kSplitStart = 5;
constexpr std::size_t kSplitStartThirteen = 6;

// The 13-way split screens are also accepted under the codes "D12A" and
// "D12B", which a unit may use in its reply for the screens that the command
// calls "D13A" and "D13B".
struct PowerOnAlias {
  std::string_view code;
  std::int32_t index;
};
constexpr PowerOnAlias kPowerOnAliases[] = {
    {"D12A", kPictureFirstSplit + kLayoutThirteenA},
    {"D12B", kPictureFirstSplit + kLayoutThirteenB},
};

}  // namespace

bool DecodeAlarmHoldTime(SettingsModel& model, std::string_view line) {
  if (!CrLfAt(line, 6)) return false;
  const int value = DigitsAt(line, 3, 3);
  if (value < 0) return false;
  model.alarm.holdTime = value;
  SetText(model.alarm.holdTimeText, std::to_string(value));
  return true;
}

bool DecodeVideoLossDetect(SettingsModel& model, std::string_view line) {
  return DecodeLetters(line, 2, kOffOnChoices, model.videoLoss.detect);
}

bool DecodeAgc(SettingsModel& model, std::string_view line) {
  return DecodeLetters(line, 3, kOffOnChoices, model.agc.on);
}

bool DecodeVideoFormat(SettingsModel& model, std::string_view line) {
  return DecodeLetters(line, 2, kVideoFormatChoices, model.videoFormat.format);
}

bool DecodeDwellTimes(SettingsModel& model, std::string_view line) {
  return DecodeNumbers(line, 5, 2, InRange{kDwellTimeRange}, model.autoSwitch.dwellTime);
}

std::int32_t BrightnessFromWire(int wire) {
  // 7 bits: 0..63 are 0..63, 64..127 are -64..-1.
  const std::int32_t zero = kBrightnessRange.offset;
  if (wire < 0 || wire > kBrightnessRange.MaxStored()) return -1;
  return wire >= zero ? wire - zero : wire + zero;
}

std::int32_t HueFromWire(int wire) {
  // 8 bits: 0..127 are 0..127, 132..255 are -124..-1.
  const std::int32_t zero = kHueRange.offset;
  const int firstNegative = 256 - zero;
  if (wire >= 0 && wire <= kHueRange.max) return wire + zero;
  if (wire >= firstNegative && wire <= 255) return wire - firstNegative;
  return -1;
}

bool DecodeBrightness(SettingsModel& model, std::string_view line) {
  return DecodeNumbers(line, 3, 3, BrightnessFromWire, model.videoAdjust.brightness);
}

bool DecodeContrast(SettingsModel& model, std::string_view line) {
  return DecodeNumbers(line, 3, 3, InRange{kContrastRange}, model.videoAdjust.contrast);
}

bool DecodeSharpness(SettingsModel& model, std::string_view line) {
  return DecodeNumbers(line, 4, 2, InRange{kSharpnessRange}, model.videoAdjust.sharpness);
}

bool DecodeSaturation(SettingsModel& model, std::string_view line) {
  return DecodeNumbers(line, 4, 3, InRange{kSaturationRange}, model.videoAdjust.saturation);
}

bool DecodeHue(SettingsModel& model, std::string_view line) {
  return DecodeNumbers(line, 3, 3, HueFromWire, model.videoAdjust.hue);
}

bool DecodeTitleOffsetVertical(SettingsModel& model, std::string_view line) {
  return DecodeTitleOffset(model.titlePosition.vertical, line);
}

bool DecodeTitleOffsetHorizontal(SettingsModel& model, std::string_view line) {
  return DecodeTitleOffset(model.titlePosition.horizontal, line);
}

bool DecodeSplitLayout(SettingsModel& model, std::string_view line, int layout) {
  auto& s = model.splitLayout;
  switch (layout) {
    case kLayoutQuadA:
      return DecodeChannels(line, kSplitStart, s.quadA);
    case kLayoutQuadB:
      return DecodeChannels(line, kSplitStart, s.quadB);
    case kLayoutQuadC:
      return DecodeChannels(line, kSplitStart, s.quadC);
    case kLayoutQuadD:
      return DecodeChannels(line, kSplitStart, s.quadD);
    case kLayoutNineA:
      return DecodeChannels(line, kSplitStart, s.nineA);
    case kLayoutNineB:
      return DecodeChannels(line, kSplitStart, s.nineB);
    case kLayoutThirteenA:
      return DecodeChannels(line, kSplitStartThirteen, s.thirteenA);
    case kLayoutThirteenB:
      return DecodeChannels(line, kSplitStartThirteen, s.thirteenB);
    case kLayoutSixteen:
      return DecodeChannels(line, kSplitStart, s.sixteen);
    default:
      return false;
  }
}

bool DecodePowerOnScreen(SettingsModel& model, std::string_view line) {
  constexpr std::size_t kCodeAt = 3;  // after "POS"
  if (line.size() < kCodeAt + 2 || !line.ends_with("\r\n")) return false;
  const std::string_view code = line.substr(kCodeAt, line.size() - kCodeAt - 2);
  std::int32_t picture = ChoiceWithCode(kPictureChoices, code);
  for (const PowerOnAlias& alias : kPowerOnAliases) {
    if (code == alias.code) picture = alias.index;
  }
  if (picture < 0) return false;
  model.other.powerOnScreen = picture;
  return true;
}

}  // namespace korvex7
