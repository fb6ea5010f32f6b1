#include "core/link/reply_decoders.h"

#include <string>

#include "core/link/reply_decoders_parse.h"

namespace korvex7 {

using reply_parse::CrLfAt;
using reply_parse::DecodeLetters;
using reply_parse::DecodeNumbers;
using reply_parse::DigitsAt;

namespace {

// ON/OFF letters: "F" is 0, "N" is 1.
constexpr std::string_view kOffOn = "FN";

// Accepts a wire number within lo..hi and stores it unchanged.
struct InRange {
  int lo;
  int hi;
  std::int32_t operator()(int wire) const { return wire >= lo && wire <= hi ? wire : -1; }
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
  if (value < 0 || value > 15 || !CrLfAt(line, 5)) return false;
  field = value;
  return true;
}

// Where the channel numbers of each split-screen reply begin: after "SPD4A"
// and the like, or after the longer "SPD13A"/"SPD13B".
constexpr std::size_t kSplitStart = 5;
constexpr std::size_t kSplitStartThirteen = 6;

// The 26 power-on screen lines in the order of other.powerOnScreen.
constexpr std::string_view kPowerOnLines[kPictureCount] = {
    "POSS01\r\n", "POSS02\r\n", "POSS03\r\n", "POSS04\r\n", "POSS05\r\n",  "POSS06\r\n",
    "POSS07\r\n", "POSS08\r\n", "POSS09\r\n", "POSS10\r\n", "POSS11\r\n",  "POSS12\r\n",
    "POSS13\r\n", "POSS14\r\n", "POSS15\r\n", "POSS16\r\n", "POSD4A\r\n",  "POSD4B\r\n",
    "POSD4C\r\n", "POSD4D\r\n", "POSD9A\r\n", "POSD9B\r\n", "POSD13A\r\n", "POSD13B\r\n",
    "POSD16\r\n", "POSCAS\r\n",
};

// The 13-way split screens are also accepted under the names "D12A" and
// "D12B", which a unit may use in its reply for the screens that the command
// calls "D13A" and "D13B".
struct PowerOnAlias {
  std::string_view line;
  std::int32_t index;
};
constexpr PowerOnAlias kPowerOnAliases[] = {
    {"POSD12A\r\n", kPictureFirstSplit + kLayoutThirteenA},
    {"POSD12B\r\n", kPictureFirstSplit + kLayoutThirteenB},
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
  return DecodeLetters(line, 2, kOffOn, model.videoLoss.detect);
}

bool DecodeAgc(SettingsModel& model, std::string_view line) {
  return DecodeLetters(line, 3, kOffOn, model.agc.on);
}

bool DecodeVideoFormat(SettingsModel& model, std::string_view line) {
  return DecodeLetters(line, 2, "1234567", model.videoFormat.format);
}

bool DecodeDwellTimes(SettingsModel& model, std::string_view line) {
  return DecodeNumbers(line, 5, 2, InRange{0, 99}, model.autoSwitch.dwellTime);
}

std::int32_t BrightnessFromWire(int wire) {
  if (wire < 0 || wire > 127) return -1;
  return wire >= 64 ? wire - 64 : wire + 64;
}

std::int32_t HueFromWire(int wire) {
  if (wire < 0 || wire > 255 || (wire > 127 && wire < 132)) return -1;
  return wire >= 132 ? wire - 132 : wire + 124;
}

bool DecodeBrightness(SettingsModel& model, std::string_view line) {
  return DecodeNumbers(line, 3, 3, BrightnessFromWire, model.videoAdjust.brightness);
}

bool DecodeContrast(SettingsModel& model, std::string_view line) {
  return DecodeNumbers(line, 3, 3, InRange{0, 127}, model.videoAdjust.contrast);
}

bool DecodeSharpness(SettingsModel& model, std::string_view line) {
  return DecodeNumbers(line, 4, 2, InRange{0, 31}, model.videoAdjust.sharpness);
}

bool DecodeSaturation(SettingsModel& model, std::string_view line) {
  return DecodeNumbers(line, 4, 3, InRange{0, 127}, model.videoAdjust.saturation);
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
  for (int i = 0; i < kPictureCount; ++i) {
    if (line == kPowerOnLines[i]) {
      model.other.powerOnScreen = i;
      return true;
    }
  }
  for (const PowerOnAlias& alias : kPowerOnAliases) {
    if (line == alias.line) {
      model.other.powerOnScreen = alias.index;
      return true;
    }
  }
  return false;
}

}  // namespace korvex7
