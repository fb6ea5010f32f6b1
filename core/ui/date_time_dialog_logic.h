// The date and time dialog: the items of its clock lists and which item each
// list selects for the computer's local time when the dialog opens. The clock
// lists are not bound to the model; each "設定" button sends the list's
// current position (-1 when nothing is selected, which its encoder refuses).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/ui/value_list_items.h"

namespace korvex7 {

enum ClockList : int { kClockYear, kClockMonth, kClockDay, kClockHour, kClockMinute, kClockSecond };
inline constexpr int kClockLists = 6;

// Year "2000".."2099", month "01".."12", day "01".."31", hour "00".."23",
// minute and second "00".."59".
std::vector<std::string> ClockListItems(int clockList);

// The eight display ranges, "年月日時分秒" first; a full-width blank stands
// for a component that is not shown.
inline constexpr auto kDisplayRangeItems = ItemsOf(kDisplayRangeChoices);

struct LocalTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The position each clock list selects for `now`, indexed by ClockList; -1
// for a component outside its list (a year outside 2000..2099).
std::array<int, kClockLists> ClockSelections(const LocalTime& now);

}  // namespace korvex7
