// What the stored values of the settings mean.
//
// A choice field stores the position of its choice. Each choice list below
// says, for every position, the three words that stand for it: the readable
// name the command-line tool shows and takes, the item the program's dialog
// list shows, and the code the unit's commands and replies carry for it. The
// encoders, the reply decoders, the dialogs' lists and the tool all read
// these lists, so a choice is written down once.
//
// A number field keeps its value with an offset: the value shown runs
// min..max and is stored as value + offset, so that the stored form never is
// negative (brightness -64..63 is stored 0..127).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/model/settings_model.h"

namespace korvex7 {

struct Choice {
  std::string_view name;     // the readable name (command-line tool), lower case
  std::string_view item;     // the dialog list's item (UTF-8)
  std::string_view code;     // what the unit's commands and replies carry
  std::string_view aliases;  // further names the tool takes, separated by "|"
};

inline constexpr std::array<Choice, 2> kOffOnChoices{{
    {"off", "OFF", "F", ""},
    {"on", "ON", "N", ""},
}};

inline constexpr std::array<Choice, 2> kAlarmModeChoices{{
    {"internal", "内部", "I", ""},
    {"external", "外部", "E", ""},
}};

inline constexpr std::array<Choice, 2> kAlarmPolarityChoices{{
    {"make", "メイク", "M", ""},
    {"break", "ブレイク", "B", ""},
}};

inline constexpr std::array<Choice, 2> kVideoLossBackgroundChoices{{
    {"normal", "NORMAL", "N", ""},
    {"blue", "BLUE", "B", ""},
}};

// The date and time components shown; a full-width blank in the item stands
// for a component that is not shown, and the tool takes the item without them.
inline constexpr std::array<Choice, 8> kDisplayRangeChoices{{
    {"ymdhms", "年月日時分秒", "1", ""},
    {"ymdhm", "年月日時分　", "2", "年月日時分"},
    {"ymd", "年月日　　　", "3", "年月日"},
    {"mdhms", "　月日時分秒", "4", "月日時分秒"},
    {"mdhm", "　月日時分　", "5", "月日時分"},
    {"md", "　月日　　　", "6", "月日"},
    {"hms", "　　　時分秒", "7", "時分秒"},
    {"hm", "　　　時分　", "8", "時分"},
}};

inline constexpr std::array<Choice, 2> kFontSizeChoices{{
    {"small", "SMALL", "S", ""},
    {"large", "LARGE", "L", ""},
}};

inline constexpr std::array<Choice, 3> kAutoSwitchModeChoices{{
    {"single", "SINGLE", "S", ""},
    {"division", "DIVISION", "D", ""},
    {"mix", "MIX", "M", ""},
}};

inline constexpr std::array<Choice, 7> kVideoFormatChoices{{
    {"ahd1080", "AHD 1080", "1", ""},
    {"ahd720", "AHD  720", "2", ""},
    {"tvi1080", "TVI 1080", "3", ""},
    {"tvi720", "TVI  720", "4", ""},
    {"cvi1080", "CVI 1080", "5", ""},
    {"cvi720", "CVI  720", "6", ""},
    {"ntsc", "NTSC    ", "7", ""},
}};

inline constexpr std::array<Choice, 2> kConnectorInputChoices{{
    {"alarm", "アラーム", "A", ""},
    {"remote", "リモート", "R", ""},
}};

inline constexpr std::array<Choice, 4> kBorderLineChoices{{
    {"off", "OFF", "O", ""},
    {"white", "白", "W", ""},
    {"grey", "灰色", "G", "gray"},
    {"black", "黒", "B", ""},
}};

inline constexpr std::array<Choice, 2> kNtscAspectChoices{{
    {"4:3", "4:3 ", "4", ""},
    {"full", "FULL", "F", ""},
}};

// Pictures 0..25 (the power-on screen, screen switching): the single
// channels, the nine split layouts in SplitLayoutIndex order and the
// automatic switching sequence. The code follows "POS" in the power-on
// screen command and "C" in the screen switching command.
inline constexpr std::array<Choice, kPictureCount> kPictureChoices{{
    {"ch.01", "ch.01", "S01", "ch01|ch1"},  {"ch.02", "ch.02", "S02", "ch02|ch2"},
    {"ch.03", "ch.03", "S03", "ch03|ch3"},  {"ch.04", "ch.04", "S04", "ch04|ch4"},
    {"ch.05", "ch.05", "S05", "ch05|ch5"},  {"ch.06", "ch.06", "S06", "ch06|ch6"},
    {"ch.07", "ch.07", "S07", "ch07|ch7"},  {"ch.08", "ch.08", "S08", "ch08|ch8"},
    {"ch.09", "ch.09", "S09", "ch09|ch9"},  {"ch.10", "ch.10", "S10", "ch10"},
    {"ch.11", "ch.11", "S11", "ch11"},      {"ch.12", "ch.12", "S12", "ch12"},
    {"ch.13", "ch.13", "S13", "ch13"},      {"ch.14", "ch.14", "S14", "ch14"},
    {"ch.15", "ch.15", "S15", "ch15"},      {"ch.16", "ch.16", "S16", "ch16"},
    {"split4A", "4分割A", "D4A", "4A"},     {"split4B", "4分割B", "D4B", "4B"},
    {"split4C", "4分割C", "D4C", "4C"},     {"split4D", "4分割D", "D4D", "4D"},
    {"split9A", "9分割A", "D9A", "9A"},     {"split9B", "9分割B", "D9B", "9B"},
    {"split13A", "13分割A", "D13A", "13A"}, {"split13B", "13分割B", "D13B", "13B"},
    {"split16", "16分割", "D16", "16-way"}, {"auto", "自動切換え", "CAS", ""},
}};

// The dialog items of a choice list, position = stored value.
template <std::size_t N>
constexpr std::array<std::string_view, N> ItemsOf(const std::array<Choice, N>& choices) {
  std::array<std::string_view, N> items{};
  for (std::size_t i = 0; i < N; ++i) items[i] = choices[i].item;
  return items;
}

// The code of the choice a stored value names; empty for a value that is
// not a position of the list (compared unsigned, so -1 names none).
constexpr std::string_view ChoiceCode(std::span<const Choice> choices, std::int32_t stored) {
  const auto position = static_cast<std::uint32_t>(stored);
  return position < choices.size() ? choices[position].code : std::string_view{};
}

// The stored value whose code is `code`, or -1 when none of the list has it.
constexpr std::int32_t ChoiceWithCode(std::span<const Choice> choices, std::string_view code) {
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].code == code) return static_cast<std::int32_t>(i);
  }
  return -1;
}

// A number field: shown min..max, stored as value + offset.
struct NumberRange {
  std::int32_t min;
  std::int32_t max;
  std::int32_t offset;

  constexpr std::int32_t MaxStored() const { return max + offset; }
  constexpr int Count() const { return max - min + 1; }
  constexpr bool HoldsStored(std::int32_t stored) const {
    return stored >= min + offset && stored <= MaxStored();
  }
};

inline constexpr NumberRange kBrightnessRange{-64, 63, 64};
inline constexpr NumberRange kContrastRange{0, 127, 0};
inline constexpr NumberRange kHueRange{-124, 127, 124};
inline constexpr NumberRange kSharpnessRange{0, 31, 0};
inline constexpr NumberRange kSaturationRange{0, 127, 0};
inline constexpr NumberRange kDwellTimeRange{0, 99, 0};    // seconds
inline constexpr NumberRange kTitleOffsetRange{0, 15, 0};  // title position steps

}  // namespace korvex7
