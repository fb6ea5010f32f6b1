#include "core/ui/date_time_dialog_logic.h"

#include "core/ui/common_dialog_rules.h"

namespace korvex7 {

namespace {

struct ClockListShape {
  int first;  // value of item 0
  int count;
  int digits;
};

constexpr std::array<ClockListShape, kClockLists> kShapes = {{
    {2000, 100, 4},  // year
    {1, 12, 2},      // month
    {1, 31, 2},      // day
    {0, 24, 2},      // hour
    {0, 60, 2},      // minute
    {0, 60, 2},      // second
}};

std::string Digits(int value, int width) {
  std::string text(static_cast<std::size_t>(width), '0');
  for (int i = width - 1; i >= 0 && value > 0; --i, value /= 10) {
    text[static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
  }
  return text;
}

}  // namespace

std::vector<std::string> ClockListItems(int clockList) {
  if (clockList < 0 || clockList >= kClockLists) return {};
  const ClockListShape& shape = kShapes[static_cast<std::size_t>(clockList)];
  std::vector<std::string> items;
  items.reserve(static_cast<std::size_t>(shape.count));
  for (int i = 0; i < shape.count; ++i) items.push_back(Digits(shape.first + i, shape.digits));
  return items;
}

std::array<int, kClockLists> ClockSelections(const LocalTime& now) {
  const std::array<int, kClockLists> values = {now.year, now.month,  now.day,
                                               now.hour, now.minute, now.second};
  std::array<int, kClockLists> selections{};
  for (std::size_t i = 0; i < selections.size(); ++i) {
    selections[i] = ListSelectionFor(values[i] - kShapes[i].first, kShapes[i].count);
  }
  return selections;
}

}  // namespace korvex7
