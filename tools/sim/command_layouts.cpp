#include "tools/sim/command_layouts.h"

#include <array>
#include <cstdint>

#include "core/text/jis.h"

namespace korvex7::sim {

namespace {

constexpr std::string_view kOnOff = "FN";  // position = stored value: F 0, N 1

// Layout codes of the nine split screens, in picture order 16..24.
constexpr std::string_view kSplitCodes[] = {"4A", "4B", "4C", "4D", "9A", "9B", "13A", "13B", "16"};

// The power-on screens in picture order 0..25.
constexpr std::string_view kPowerOnScreens[] = {
    "S01", "S02", "S03", "S04", "S05", "S06", "S07", "S08", "S09", "S10",  "S11",  "S12", "S13",
    "S14", "S15", "S16", "D4A", "D4B", "D4C", "D4D", "D9A", "D9B", "D13A", "D13B", "D16", "CAS"};

Field Channel() { return Digits(2, 1, kChannels); }

// ---- rules over all values ----

// A split screen shows each channel at most once.
bool NoChannelTwice(const Values& v) {
  for (std::size_t i = 0; i < v.size(); ++i) {
    for (std::size_t j = i + 1; j < v.size(); ++j) {
      if (v[i] == v[j]) return false;
    }
  }
  return true;
}

// Hue travels as an 8-bit two's-complement number of -124..+127: the wire
// values 128..131 stand for nothing.
bool IsHueWire(int w) { return w < 128 || w > 131; }

bool HueAll(const Values& v) {
  for (int w : v) {
    if (!IsHueWire(w)) return false;
  }
  return true;
}

bool HueOne(const Values& v) { return v.size() == 2 && IsHueWire(v[1]); }

// ---- stored form <-> wire form ----

// Brightness -64..+63 travels as a 7-bit two's-complement number; the
// settings keep it offset by 64.
int BrightnessFromWire(int w) { return w >= 64 ? w - 64 : w + 64; }
int BrightnessToWire(int s) {
  if (s < 0 || s > 127) return -1;
  return s >= 64 ? s - 64 : s + 64;
}

// Hue -124..+127 travels as an 8-bit two's-complement number; the settings
// keep it offset by 124.
int HueFromWire(int w) { return w >= 132 ? w - 132 : w + 124; }
int HueToWire(int s) {
  if (s < 0 || s > 251) return -1;
  return s >= 124 ? s - 124 : s + 132;
}

template <std::size_t N>
Values ValuesOf(const std::array<std::int32_t, N>& a, int add = 0, int first = 0, int count = N) {
  Values v;
  for (int i = first; i < first + count; ++i) v.push_back(a[static_cast<std::size_t>(i)] + add);
  return v;
}

template <std::size_t N>
void StoreValues(std::array<std::int32_t, N>& a, const Values& v, int add = 0, int first = 0) {
  for (std::size_t i = 0; i < v.size(); ++i) {
    a[static_cast<std::size_t>(first) + i] = static_cast<std::int32_t>(v[i] + add);
  }
}

template <std::size_t N>
Values MapValues(const std::array<std::int32_t, N>& a, int (*convert)(int)) {
  Values v;
  for (std::int32_t s : a) v.push_back(convert(s));
  return v;
}

int HoldTimeOf(const HoldTimeText& text) {
  const std::string_view t = TextView(text);
  if (t.empty() || t.size() > 3) return -1;
  int v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return -1;
    v = v * 10 + (c - '0');
  }
  return v;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && year % 4 == 0) return 29;  // 2000..2099: every fourth year
  return kDays[(month - 1 + 12) % 12];
}

// The 30-second adjustment: the clock goes to the nearest full minute.
void AdjustClock30s(UnitClock& c) {
  const bool up = c.second >= 30;
  c.second = 0;
  if (!up) return;
  if (++c.minute < 60) return;
  c.minute = 0;
  if (++c.hour < 24) return;
  c.hour = 0;
  if (++c.day <= DaysInMonth(c.year, c.month)) return;
  c.day = 1;
  if (++c.month <= 12) return;
  c.month = 1;
  c.year = (c.year + 1) % 100;
}

// ---- the layouts ----
// Positions of letters in their lists are the stored values.

using S = UnitState;
using V = Values;

// Alarm.
const Layout kAlarmMode{"AM",
                        {Letters("IE")},
                        nullptr,
                        [](S& u, const V& v) { u.settings.alarm.mode = v[0]; },
                        [](const S& u, int) { return V{u.settings.alarm.mode}; }};
const Layout kAlarmHoldTime{
    "ADT",
    {Digits(3, 1, 999)},
    nullptr,
    [](S& u, const V& v) {
      const std::string digits = std::string(1, char('0' + v[0] / 100)) +
                                 char('0' + v[0] / 10 % 10) + char('0' + v[0] % 10);
      SetText(u.settings.alarm.holdTimeText, digits);
      u.settings.alarm.holdTime = v[0];
    },
    [](const S& u, int) { return V{HoldTimeOf(u.settings.alarm.holdTimeText)}; }};
const Layout kAlarmPolarity{"AP",
                            {Letters("MB")},
                            nullptr,
                            [](S& u, const V& v) { u.settings.alarm.inputPolarity = v[0]; },
                            [](const S& u, int) { return V{u.settings.alarm.inputPolarity}; }};
const Layout kAlarmDisplay{"ADO",
                           {Letters(kOnOff)},
                           nullptr,
                           [](S& u, const V& v) { u.settings.alarm.display = v[0]; },
                           [](const S& u, int) { return V{u.settings.alarm.display}; }};
const Layout kAlarmReturn{"ARO",
                          {Letters(kOnOff)},
                          nullptr,
                          [](S& u, const V& v) { u.settings.alarm.returnOn = v[0]; },
                          [](const S& u, int) { return V{u.settings.alarm.returnOn}; }};

// Video loss.
const Layout kVideoLossChannels{
    "VL",
    {Letters(kOnOff, kChannels)},
    nullptr,
    [](S& u, const V& v) { StoreValues(u.settings.videoLoss.detect, v); },
    [](const S& u, int) { return ValuesOf(u.settings.videoLoss.detect); }};
const Layout kVideoLossDisplay{"VLDO",
                               {Letters(kOnOff)},
                               nullptr,
                               [](S& u, const V& v) { u.settings.videoLoss.display = v[0]; },
                               [](const S& u, int) { return V{u.settings.videoLoss.display}; }};
const Layout kVideoLossOutput{"VLSOO",
                              {Letters(kOnOff)},
                              nullptr,
                              [](S& u, const V& v) { u.settings.videoLoss.signalOutput = v[0]; },
                              [](const S& u, int) { return V{u.settings.videoLoss.signalOutput}; }};
const Layout kVideoLossBackground{
    "VLBC",
    {Letters("NB")},
    nullptr,
    [](S& u, const V& v) { u.settings.videoLoss.background = v[0]; },
    [](const S& u, int) { return V{u.settings.videoLoss.background}; }};

// Date and time.
const Layout kDateYear{
    "DSY", {Digits(2, 0, 99)}, nullptr, [](S& u, const V& v) { u.clock.year = v[0]; }};
const Layout kDateMonth{
    "DSM", {Digits(2, 1, 12)}, nullptr, [](S& u, const V& v) { u.clock.month = v[0]; }};
const Layout kDateDay{
    "DSD", {Digits(2, 1, 31)}, nullptr, [](S& u, const V& v) { u.clock.day = v[0]; }};
const Layout kTimeHour{
    "TSH", {Digits(2, 0, 23)}, nullptr, [](S& u, const V& v) { u.clock.hour = v[0]; }};
const Layout kTimeMinute{
    "TSM", {Digits(2, 0, 59)}, nullptr, [](S& u, const V& v) { u.clock.minute = v[0]; }};
const Layout kTimeSecond{
    "TSS", {Digits(2, 0, 59)}, nullptr, [](S& u, const V& v) { u.clock.second = v[0]; }};
const Layout kTimeAdjust{"TSA", {}, nullptr, [](S& u, const V&) {
                           AdjustClock30s(u.clock);
                           ++u.clockAdjustments;
                         }};
const Layout kDateTimeRange{"TSDR",
                            {Letters("12345678")},
                            nullptr,
                            [](S& u, const V& v) { u.settings.dateTime.displayRange = v[0]; },
                            [](const S& u, int) { return V{u.settings.dateTime.displayRange}; }};
const Layout kDateTimeDisplay{"TSDO",
                              {Letters(kOnOff)},
                              nullptr,
                              [](S& u, const V& v) { u.settings.dateTime.display = v[0]; },
                              [](const S& u, int) { return V{u.settings.dateTime.display}; }};

// Titles.
const Layout kTitle{
    "CJ",
    {Channel(), JisCodes(10)},
    nullptr,
    [](S& u, const V& v) {
      TitleText& t = u.settings.title.text[static_cast<std::size_t>(v[0] - 1)];
      t.fill('\0');
      for (std::size_t i = 0; i < 10; ++i) {
        const std::uint16_t sjis = JisToShiftJis(static_cast<std::uint16_t>(v[i + 1]));
        t[2 * i] = static_cast<char>(sjis >> 8);
        t[2 * i + 1] = static_cast<char>(sjis & 0xFF);
      }
    },
    [](const S& u, int channel) {
      V v{channel};
      if (channel < 1 || channel > kChannels) return v;
      for (int code :
           TitleToJisCodes(u.settings.title.text[static_cast<std::size_t>(channel - 1)])) {
        v.push_back(code);
      }
      return v;
    }};
const Layout kTitleSingle{"CTDSO",
                          {Letters(kOnOff)},
                          nullptr,
                          [](S& u, const V& v) { u.settings.titleDisplay.single = v[0]; },
                          [](const S& u, int) { return V{u.settings.titleDisplay.single}; }};
const Layout kTitleSplit{"CTDDO",
                         {Letters(kOnOff)},
                         nullptr,
                         [](S& u, const V& v) { u.settings.titleDisplay.split = v[0]; },
                         [](const S& u, int) { return V{u.settings.titleDisplay.split}; }};
const Layout kFontSingle{"CTFSS",
                         {Letters("SL")},
                         nullptr,
                         [](S& u, const V& v) { u.settings.fontSize.single = v[0]; },
                         [](const S& u, int) { return V{u.settings.fontSize.single}; }};
const Layout kFontSplit{"CTFSD",
                        {Letters("SL")},
                        nullptr,
                        [](S& u, const V& v) { u.settings.fontSize.split = v[0]; },
                        [](const S& u, int) { return V{u.settings.fontSize.split}; }};
const Layout kOffsetVertical{"OOV",
                             {Digits(2, 0, 15)},
                             nullptr,
                             [](S& u, const V& v) { u.settings.titlePosition.vertical = v[0]; },
                             [](const S& u, int) { return V{u.settings.titlePosition.vertical}; }};
const Layout kOffsetHorizontal{
    "OOH",
    {Digits(2, 0, 15)},
    nullptr,
    [](S& u, const V& v) { u.settings.titlePosition.horizontal = v[0]; },
    [](const S& u, int) { return V{u.settings.titlePosition.horizontal}; }};

// Other settings.
const Layout kConnectorInput{"CI",
                             {Letters("AR")},
                             nullptr,
                             [](S& u, const V& v) { u.settings.other.connectorInput = v[0]; },
                             [](const S& u, int) { return V{u.settings.other.connectorInput}; }};
const Layout kBorderLine{"BL",
                         {Letters("OWGB")},
                         nullptr,
                         [](S& u, const V& v) { u.settings.other.borderLine = v[0]; },
                         [](const S& u, int) { return V{u.settings.other.borderLine}; }};
const Layout kPowerOnScreen{"POS",
                            {Names(kPowerOnScreens)},
                            nullptr,
                            [](S& u, const V& v) { u.settings.other.powerOnScreen = v[0]; },
                            [](const S& u, int) { return V{u.settings.other.powerOnScreen}; }};
const Layout kNtscAspect{"NAR",
                         {Letters("4F")},
                         nullptr,
                         [](S& u, const V& v) { u.settings.other.ntscAspect = v[0]; },
                         [](const S& u, int) { return V{u.settings.other.ntscAspect}; }};

// Auto switching: entries 0..15 are the channels, 16..24 the split screens.
const Layout kSwitchMode{"CASM",
                         {Letters("SDM")},
                         nullptr,
                         [](S& u, const V& v) { u.settings.autoSwitch.mode = v[0]; },
                         [](const S& u, int) { return V{u.settings.autoSwitch.mode}; }};
const Layout kSwitchChannel{"CASTS", {Channel(), Digits(2, 0, 99)}, nullptr, [](S& u, const V& v) {
                              u.settings.autoSwitch.dwellTime[static_cast<std::size_t>(v[0] - 1)] =
                                  v[1];
                            }};
const Layout kSwitchSplit{
    "CASTD", {Names(kSplitCodes), Digits(2, 0, 99)}, nullptr, [](S& u, const V& v) {
      u.settings.autoSwitch.dwellTime[static_cast<std::size_t>(kPictureFirstSplit + v[0])] = v[1];
    }};
const Layout kSwitchAllChannels{
    "CASTS", {Digits(2, 0, 99, kChannels)}, nullptr, [](S& u, const V& v) {
      StoreValues(u.settings.autoSwitch.dwellTime, v);
    }};
const Layout kSwitchAllSplits{"CASTD", {Digits(2, 0, 99, 9)}, nullptr, [](S& u, const V& v) {
                                StoreValues(u.settings.autoSwitch.dwellTime, v, 0,
                                            kPictureFirstSplit);
                              }};
const Layout kSwitchAll{"CASTM",
                        {Digits(2, 0, 99, 25)},
                        nullptr,
                        [](S& u, const V& v) { StoreValues(u.settings.autoSwitch.dwellTime, v); },
                        [](const S& u, int) { return ValuesOf(u.settings.autoSwitch.dwellTime); }};

// Screen switching.
const Layout kShowChannel{"CS", {Channel()}, nullptr, [](S& u, const V& v) {
                            u.settings.screenSwitch.picture = v[0] - 1;
                          }};
const Layout kShowSplit{"CD", {Names(kSplitCodes)}, nullptr, [](S& u, const V& v) {
                          u.settings.screenSwitch.picture = kPictureFirstSplit + v[0];
                        }};
const Layout kShowSequence{"CCAS", {}, nullptr, [](S& u, const V&) {
                             u.settings.screenSwitch.picture = kPictureAutoSequence;
                           }};

// Split-screen layouts: channel numbers 01..16, each at most once.
#define KORVEX7_SPLIT_LAYOUT(name, keyword, member, count)                                       \
  const Layout name{keyword,                                                                     \
                    {Digits(2, 1, kChannels, count)},                                            \
                    NoChannelTwice,                                                              \
                    [](S& u, const V& v) { StoreValues(u.settings.splitLayout.member, v, -1); }, \
                    [](const S& u, int) { return ValuesOf(u.settings.splitLayout.member, 1); }};
KORVEX7_SPLIT_LAYOUT(kSplitQuadA, "SPD4A", quadA, 4)
KORVEX7_SPLIT_LAYOUT(kSplitQuadB, "SPD4B", quadB, 4)
KORVEX7_SPLIT_LAYOUT(kSplitQuadC, "SPD4C", quadC, 4)
KORVEX7_SPLIT_LAYOUT(kSplitQuadD, "SPD4D", quadD, 4)
KORVEX7_SPLIT_LAYOUT(kSplitNineA, "SPD9A", nineA, 9)
KORVEX7_SPLIT_LAYOUT(kSplitNineB, "SPD9B", nineB, 9)
KORVEX7_SPLIT_LAYOUT(kSplitThirteenA, "SPD13A", thirteenA, 13)
KORVEX7_SPLIT_LAYOUT(kSplitThirteenB, "SPD13B", thirteenB, 13)
KORVEX7_SPLIT_LAYOUT(kSplitSixteen, "SPD16", sixteen, 16)
#undef KORVEX7_SPLIT_LAYOUT

// Video adjustment: one channel (channel number, value) or all sixteen.
const Layout kBrightnessOne{
    "VAB", {Channel(), Digits(3, 0, 127)}, nullptr, [](S& u, const V& v) {
      u.settings.videoAdjust.brightness[static_cast<std::size_t>(v[0] - 1)] =
          BrightnessFromWire(v[1]);
    }};
const Layout kBrightnessAll{
    "VAB",
    {Digits(3, 0, 127, kChannels)},
    nullptr,
    [](S& u, const V& v) {
      for (std::size_t i = 0; i < v.size(); ++i) {
        u.settings.videoAdjust.brightness[i] = BrightnessFromWire(v[i]);
      }
    },
    [](const S& u, int) { return MapValues(u.settings.videoAdjust.brightness, BrightnessToWire); }};
const Layout kContrastOne{"VAC", {Channel(), Digits(3, 0, 127)}, nullptr, [](S& u, const V& v) {
                            u.settings.videoAdjust.contrast[static_cast<std::size_t>(v[0] - 1)] =
                                v[1];
                          }};
const Layout kContrastAll{
    "VAC",
    {Digits(3, 0, 127, kChannels)},
    nullptr,
    [](S& u, const V& v) { StoreValues(u.settings.videoAdjust.contrast, v); },
    [](const S& u, int) { return ValuesOf(u.settings.videoAdjust.contrast); }};
const Layout kHueOne{"VAH", {Channel(), Digits(3, 0, 255)}, HueOne, [](S& u, const V& v) {
                       u.settings.videoAdjust.hue[static_cast<std::size_t>(v[0] - 1)] =
                           HueFromWire(v[1]);
                     }};
const Layout kHueAll{
    "VAH",
    {Digits(3, 0, 255, kChannels)},
    HueAll,
    [](S& u, const V& v) {
      for (std::size_t i = 0; i < v.size(); ++i) {
        u.settings.videoAdjust.hue[i] = HueFromWire(v[i]);
      }
    },
    [](const S& u, int) { return MapValues(u.settings.videoAdjust.hue, HueToWire); }};
const Layout kSharpnessOne{"VASH", {Channel(), Digits(2, 0, 31)}, nullptr, [](S& u, const V& v) {
                             u.settings.videoAdjust.sharpness[static_cast<std::size_t>(v[0] - 1)] =
                                 v[1];
                           }};
const Layout kSharpnessAll{
    "VASH",
    {Digits(2, 0, 31, kChannels)},
    nullptr,
    [](S& u, const V& v) { StoreValues(u.settings.videoAdjust.sharpness, v); },
    [](const S& u, int) { return ValuesOf(u.settings.videoAdjust.sharpness); }};
const Layout kSaturationOne{
    "VASA", {Channel(), Digits(3, 0, 127)}, nullptr, [](S& u, const V& v) {
      u.settings.videoAdjust.saturation[static_cast<std::size_t>(v[0] - 1)] = v[1];
    }};
const Layout kSaturationAll{
    "VASA",
    {Digits(3, 0, 127, kChannels)},
    nullptr,
    [](S& u, const V& v) { StoreValues(u.settings.videoAdjust.saturation, v); },
    [](const S& u, int) { return ValuesOf(u.settings.videoAdjust.saturation); }};

// AGC and video format (format letters "1".."7" are the stored values 0..6).
const Layout kAgc{"AGC",
                  {Letters(kOnOff, kChannels)},
                  nullptr,
                  [](S& u, const V& v) { StoreValues(u.settings.agc.on, v); },
                  [](const S& u, int) { return ValuesOf(u.settings.agc.on); }};
const Layout kFormatOne{"VF", {Channel(), Letters("1234567")}, nullptr, [](S& u, const V& v) {
                          u.settings.videoFormat.format[static_cast<std::size_t>(v[0] - 1)] = v[1];
                        }};
const Layout kFormatAll{"VF",
                        {Letters("1234567", kChannels)},
                        nullptr,
                        [](S& u, const V& v) { StoreValues(u.settings.videoFormat.format, v); },
                        [](const S& u, int) { return ValuesOf(u.settings.videoFormat.format); }};

const Layout* const kCommands[] = {
    &kAlarmMode,
    &kAlarmHoldTime,
    &kAlarmPolarity,
    &kAlarmDisplay,
    &kAlarmReturn,
    &kVideoLossChannels,
    &kVideoLossDisplay,
    &kVideoLossOutput,
    &kVideoLossBackground,
    &kDateYear,
    &kDateMonth,
    &kDateDay,
    &kTimeHour,
    &kTimeMinute,
    &kTimeSecond,
    &kTimeAdjust,
    &kDateTimeRange,
    &kDateTimeDisplay,
    &kTitle,
    &kTitleSingle,
    &kTitleSplit,
    &kFontSingle,
    &kFontSplit,
    &kOffsetVertical,
    &kOffsetHorizontal,
    &kConnectorInput,
    &kBorderLine,
    &kPowerOnScreen,
    &kNtscAspect,
    &kSwitchMode,
    &kSwitchChannel,
    &kSwitchSplit,
    &kSwitchAllChannels,
    &kSwitchAllSplits,
    &kSwitchAll,
    &kShowChannel,
    &kShowSplit,
    &kShowSequence,
    &kSplitQuadA,
    &kSplitQuadB,
    &kSplitQuadC,
    &kSplitQuadD,
    &kSplitNineA,
    &kSplitNineB,
    &kSplitThirteenA,
    &kSplitThirteenB,
    &kSplitSixteen,
    &kBrightnessOne,
    &kBrightnessAll,
    &kContrastOne,
    &kContrastAll,
    &kHueOne,
    &kHueAll,
    &kSharpnessOne,
    &kSharpnessAll,
    &kSaturationOne,
    &kSaturationAll,
    &kAgc,
    &kFormatOne,
    &kFormatAll,
};

const Query kQueries[] = {
    {"RAM\r\n", &kAlarmMode, 0, "alarm.mode"},
    {"RADT\r\n", &kAlarmHoldTime, 0, "alarm.holdTimeText"},
    {"RAP\r\n", &kAlarmPolarity, 0, "alarm.inputPolarity"},
    {"RAD\r\n", &kAlarmDisplay, 0, "alarm.display"},
    {"RAR\r\n", &kAlarmReturn, 0, "alarm.returnOn"},
    {"RVL\r\n", &kVideoLossChannels, 0, "videoLoss.detect"},
    {"RVLD\r\n", &kVideoLossDisplay, 0, "videoLoss.display"},
    {"RVLSO\r\n", &kVideoLossOutput, 0, "videoLoss.signalOutput"},
    {"RVLBC\r\n", &kVideoLossBackground, 0, "videoLoss.background"},
    {"RTSDR\r\n", &kDateTimeRange, 0, "dateTime.displayRange"},
    {"RTSD\r\n", &kDateTimeDisplay, 0, "dateTime.display"},
    {"RCJ01\r\n", &kTitle, 1, "title.text[0]"},
    {"RCJ02\r\n", &kTitle, 2, "title.text[1]"},
    {"RCJ03\r\n", &kTitle, 3, "title.text[2]"},
    {"RCJ04\r\n", &kTitle, 4, "title.text[3]"},
    {"RCJ05\r\n", &kTitle, 5, "title.text[4]"},
    {"RCJ06\r\n", &kTitle, 6, "title.text[5]"},
    {"RCJ07\r\n", &kTitle, 7, "title.text[6]"},
    {"RCJ08\r\n", &kTitle, 8, "title.text[7]"},
    {"RCJ09\r\n", &kTitle, 9, "title.text[8]"},
    {"RCJ10\r\n", &kTitle, 10, "title.text[9]"},
    {"RCJ11\r\n", &kTitle, 11, "title.text[10]"},
    {"RCJ12\r\n", &kTitle, 12, "title.text[11]"},
    {"RCJ13\r\n", &kTitle, 13, "title.text[12]"},
    {"RCJ14\r\n", &kTitle, 14, "title.text[13]"},
    {"RCJ15\r\n", &kTitle, 15, "title.text[14]"},
    {"RCJ16\r\n", &kTitle, 16, "title.text[15]"},
    {"RCTDS\r\n", &kTitleSingle, 0, "titleDisplay.single"},
    {"RCTDD\r\n", &kTitleSplit, 0, "titleDisplay.split"},
    {"RCTFSS\r\n", &kFontSingle, 0, "fontSize.single"},
    {"RCTFSD\r\n", &kFontSplit, 0, "fontSize.split"},
    {"RCASTM\r\n", &kSwitchAll, 0, "autoSwitch.dwellTime"},
    {"RCASM\r\n", &kSwitchMode, 0, "autoSwitch.mode"},
    {"RVAB\r\n", &kBrightnessAll, 0, "videoAdjust.brightness"},
    {"RVAC\r\n", &kContrastAll, 0, "videoAdjust.contrast"},
    {"RVASH\r\n", &kSharpnessAll, 0, "videoAdjust.sharpness"},
    {"RVASA\r\n", &kSaturationAll, 0, "videoAdjust.saturation"},
    {"RVAH\r\n", &kHueAll, 0, "videoAdjust.hue"},
    {"RAGC\r\n", &kAgc, 0, "agc.on"},
    {"RVF\r\n", &kFormatAll, 0, "videoFormat.format"},
    {"ROOV\r\n", &kOffsetVertical, 0, "titlePosition.vertical"},
    {"ROOH\r\n", &kOffsetHorizontal, 0, "titlePosition.horizontal"},
    {"RSPD4A\r\n", &kSplitQuadA, 0, "splitLayout.quadA"},
    {"RSPD4B\r\n", &kSplitQuadB, 0, "splitLayout.quadB"},
    {"RSPD4C\r\n", &kSplitQuadC, 0, "splitLayout.quadC"},
    {"RSPD4D\r\n", &kSplitQuadD, 0, "splitLayout.quadD"},
    {"RSPD9A\r\n", &kSplitNineA, 0, "splitLayout.nineA"},
    {"RSPD9B\r\n", &kSplitNineB, 0, "splitLayout.nineB"},
    {"RSPD13A\r\n", &kSplitThirteenA, 0, "splitLayout.thirteenA"},
    {"RSPD13B\r\n", &kSplitThirteenB, 0, "splitLayout.thirteenB"},
    {"RSPD16\r\n", &kSplitSixteen, 0, "splitLayout.sixteen"},
    {"RCI\r\n", &kConnectorInput, 0, "other.connectorInput"},
    {"RBL\r\n", &kBorderLine, 0, "other.borderLine"},
    {"RPOS\r\n", &kPowerOnScreen, 0, "other.powerOnScreen"},
    {"RNAR\r\n", &kNtscAspect, 0, "other.ntscAspect"},
};

static_assert(std::size(kQueries) == 55);

}  // namespace

std::span<const Layout* const> CommandLayouts() { return kCommands; }

std::span<const Query> Queries() { return kQueries; }

std::string AnswerCommand(UnitState& state, std::string_view command) {
  static constexpr std::string_view kRefused = "E3\r\n";
  for (const Query& q : kQueries) {
    if (command != q.text) continue;
    const auto line = FormatLayout(*q.answer, q.answer->read(state, q.argument));
    return line ? *line : std::string(kRefused);
  }
  for (const Layout* layout : kCommands) {
    const auto values = ParseLayout(*layout, command);
    if (!values) continue;
    layout->apply(state, *values);
    return "GO\r\n";
  }
  return std::string(kRefused);
}

std::vector<int> TitleToJisCodes(const TitleText& title) {
  const std::size_t length = TextLength(title);
  std::array<std::uint8_t, kTitleBytes> bytes{};
  for (std::size_t i = 0; i < kTitleBytes; ++i) {
    if (i < length) {
      bytes[i] = static_cast<std::uint8_t>(title[i]);
    } else {
      bytes[i] = (i % 2 == 0) ? 0x81 : 0x40;  // full-width blank
    }
  }
  std::vector<int> codes;
  for (std::size_t i = 0; i < kTitleBytes; i += 2) {
    // A title of odd length ends in half a character.
    if (length % 2 == 1 && i + 1 == length) {
      codes.push_back(-1);
      continue;
    }
    // As the program sends it: an IBM extension such as 0xFA40 goes as its
    // NEC-selected cell (0x7C71).
    const std::uint16_t jis =
        TitleCodeToJis(static_cast<std::uint16_t>((bytes[i] << 8) | bytes[i + 1]));
    codes.push_back(jis == 0 ? -1 : jis);
  }
  return codes;
}

std::vector<std::string> SettingsProblems(const UnitState& state) {
  std::vector<std::string> problems;
  for (const Query& q : kQueries) {
    const Values values = q.answer->read(state, q.argument);
    int bad = -1;
    if (FormatLayout(*q.answer, values, &bad)) continue;
    std::string message(q.fields);
    const bool table = q.answer->ValueCount() > 1 && q.answer != &kTitle;
    if (q.answer == &kTitle) {
      message +=
          ": a character the unit cannot show (only full-width JIS X 0208 characters, "
          "at most 10)";
    } else if (bad >= 0 && table) {
      message += "[" + std::to_string(bad) + "]: a value the unit cannot hold";
    } else if (bad >= 0) {
      message += ": a value the unit cannot hold";
    } else {
      message += ": a channel is placed twice";
    }
    problems.push_back(message + " (the answer to " +
                       std::string(q.text.substr(0, q.text.size() - 2)) + " cannot be formed)");
  }
  return problems;
}

}  // namespace korvex7::sim
