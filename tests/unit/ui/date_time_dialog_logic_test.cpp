#include "core/ui/date_time_dialog_logic.h"

#include <gtest/gtest.h>

#include "core/commands/date_time_commands.h"

namespace korvex7 {
namespace {

TEST(ClockLists, ItemsAndCounts) {
  struct Row {
    int list;
    std::size_t count;
    const char* first;
    const char* last;
  } const rows[] = {
      {kClockYear, 100, "2000", "2099"}, {kClockMonth, 12, "01", "12"},
      {kClockDay, 31, "01", "31"},       {kClockHour, 24, "00", "23"},
      {kClockMinute, 60, "00", "59"},    {kClockSecond, 60, "00", "59"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.list);
    const auto items = ClockListItems(r.list);
    ASSERT_EQ(items.size(), r.count);
    EXPECT_EQ(items.front(), r.first);
    EXPECT_EQ(items.back(), r.last);
  }
  EXPECT_TRUE(ClockListItems(-1).empty());
  EXPECT_TRUE(ClockListItems(kClockLists).empty());
  EXPECT_EQ(ClockListItems(kClockYear)[16], "2016");
  EXPECT_EQ(ClockListItems(kClockMinute)[7], "07");
}

TEST(ClockLists, SelectionsForTheComputerClock) {
  struct Row {
    LocalTime now;
    std::array<int, kClockLists> selected;
  } const rows[] = {
      {{2016, 3, 5, 9, 7, 42}, {16, 2, 4, 9, 7, 42}},
      {{2000, 1, 1, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
      {{2099, 12, 31, 23, 59, 59}, {99, 11, 30, 23, 59, 59}},
      {{2100, 1, 1, 0, 0, 0}, {-1, 0, 0, 0, 0, 0}},
      {{1999, 12, 31, 23, 59, 59}, {-1, 11, 30, 23, 59, 59}},
      // A leap second is outside the list as well.
      {{2016, 12, 31, 23, 59, 60}, {16, 11, 30, 23, 59, -1}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.now.year << "-" << r.now.month << "-" << r.now.day);
    EXPECT_EQ(ClockSelections(r.now), r.selected);
  }
}

// The selected item, sent by its button, puts the same digits on the wire.
TEST(ClockLists, SelectedItemIsWhatTheButtonSends) {
  using Sender = Encoded (*)(const SettingsModel&, std::int32_t);
  struct Row {
    int list;
    Sender encode;
    const char* keyword;
  } const rows[] = {
      {kClockYear, EncodeDateYear, "DSY"},     {kClockMonth, EncodeDateMonth, "DSM"},
      {kClockDay, EncodeDateDay, "DSD"},       {kClockHour, EncodeTimeHour, "TSH"},
      {kClockMinute, EncodeTimeMinute, "TSM"}, {kClockSecond, EncodeTimeSecond, "TSS"},
  };
  const SettingsModel m;
  for (const Row& r : rows) {
    const auto items = ClockListItems(r.list);
    for (std::size_t i = 0; i < items.size(); ++i) {
      SCOPED_TRACE(testing::Message() << r.keyword << " item " << items[i]);
      const Encoded e = r.encode(m, static_cast<std::int32_t>(i));
      ASSERT_TRUE(e.ok());
      // The last two digits of the item (the year's too).
      EXPECT_EQ(e.text, std::string(r.keyword) + items[i].substr(items[i].size() - 2) + "\r\n");
    }
    SCOPED_TRACE(r.keyword);
    EXPECT_FALSE(r.encode(m, -1).ok());  // no selection
    EXPECT_FALSE(r.encode(m, static_cast<std::int32_t>(items.size())).ok());
  }
}

TEST(DisplayRangeList, PositionIsTheRangeSent) {
  for (std::size_t i = 0; i < kDisplayRangeItems.size(); ++i) {
    SCOPED_TRACE(kDisplayRangeItems[i]);
    SettingsModel m;
    m.dateTime.displayRange = static_cast<std::int32_t>(i);
    EXPECT_EQ(EncodeDateTimeDisplayRange(m).text, "TSDR" + std::to_string(i + 1) + "\r\n");
  }
  EXPECT_EQ(kDisplayRangeItems[0], "年月日時分秒");
  EXPECT_EQ(kDisplayRangeItems[7], "　　　時分　");
}

}  // namespace
}  // namespace korvex7
