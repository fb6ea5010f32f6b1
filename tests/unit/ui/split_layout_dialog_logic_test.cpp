#include "core/ui/split_layout_dialog_logic.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace korvex7 {
namespace {

// The 4 x 4 grid as the operator sees it: the number of the shown screen in
// each slot, "." for an empty slot. A screen whose box spans several slots
// appears in each of them.
std::string Picture(std::int32_t layout) {
  std::string grid[kSplitScreens];
  for (std::string& cell : grid) cell = ".";
  const auto placements = ArrangeSplitScreens(layout);
  for (int k = 0; k < kSplitScreens; ++k) {
    const ScreenPlacement& p = placements[static_cast<std::size_t>(k)];
    if (!p.shown) continue;
    for (int r = 0; r < p.rows; ++r) {
      for (int c = 0; c < p.columns; ++c) {
        grid[p.slot + r * kSlotColumns + c] = std::to_string(k + 1);
      }
    }
  }
  std::string out;
  for (int s = 0; s < kSplitScreens; ++s) {
    out += grid[s];
    out += s % kSlotColumns == kSlotColumns - 1 ? (s == kSplitScreens - 1 ? "" : " / ") : " ";
  }
  return out;
}

TEST(SplitLayoutGeometry, PictureOfEachLayout) {
  struct Row {
    std::int32_t layout;
    const char* picture;
  };
  const Row rows[] = {
      {kLayoutQuadA, "1 2 . . / 3 4 . . / . . . . / . . . ."},
      {kLayoutQuadB, "1 2 . . / 3 4 . . / . . . . / . . . ."},
      {kLayoutQuadC, "1 2 . . / 3 4 . . / . . . . / . . . ."},
      {kLayoutQuadD, "1 2 . . / 3 4 . . / . . . . / . . . ."},
      {kLayoutNineA, "1 2 3 . / 4 5 6 . / 7 8 9 . / . . . ."},
      {kLayoutNineB, "1 2 3 . / 4 5 6 . / 7 8 9 . / . . . ."},
      {kLayoutThirteenA, "1 1 2 3 / 1 1 4 5 / 6 7 8 9 / 10 11 12 13"},
      {kLayoutThirteenB, "1 1 2 3 / 1 1 4 5 / 6 7 8 9 / 10 11 12 13"},
      {kLayoutSixteen, "1 2 3 4 / 5 6 7 8 / 9 10 11 12 / 13 14 15 16"},
      {-1, ". . . . / . . . . / . . . . / . . . ."},
      {kLayoutCount, ". . . . / . . . . / . . . . / . . . ."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.layout);
    EXPECT_EQ(Picture(row.layout), row.picture);
  }
}

TEST(SplitLayoutGeometry, SlotOfEveryScreenShownOrHidden) {
  struct Row {
    std::int32_t layout;
    std::array<int, kSplitScreens> slots;  // 1-based slot of screens 1..16
  };
  const Row rows[] = {
      {kLayoutQuadB, {1, 2, 5, 6, 3, 4, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
      {kLayoutNineA, {1, 2, 3, 5, 6, 7, 9, 10, 11, 4, 8, 12, 13, 14, 15, 16}},
      {kLayoutThirteenA, {1, 3, 4, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 2, 5, 6}},
      {kLayoutSixteen, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.layout);
    const auto placements = ArrangeSplitScreens(row.layout);
    for (int k = 0; k < kSplitScreens; ++k) {
      SCOPED_TRACE(testing::Message() << "screen " << k + 1);
      EXPECT_EQ(placements[k].slot + 1, row.slots[k]);
      EXPECT_EQ(placements[k].shown, k < SplitScreenCount(row.layout));
    }
  }
}

// Whatever the layout, each slot holds exactly one box and only screen 1 of
// the 13-way layouts spans more than its slot.
TEST(SplitLayoutGeometry, EverySlotHoldsExactlyOneBox) {
  for (std::int32_t layout = -2; layout <= kLayoutCount + 1; ++layout) {
    SCOPED_TRACE(layout);
    const auto placements = ArrangeSplitScreens(layout);
    int holders[kSplitScreens] = {};
    for (int k = 0; k < kSplitScreens; ++k) {
      const ScreenPlacement& p = placements[k];
      ASSERT_GE(p.slot, 0);
      ASSERT_LT(p.slot, kSplitScreens);
      ++holders[p.slot];
      const bool large = k == 0 && (layout == kLayoutThirteenA || layout == kLayoutThirteenB);
      EXPECT_EQ(p.columns, large ? 2 : 1);
      EXPECT_EQ(p.rows, large ? 2 : 1);
      // A spanning box stays on the grid.
      EXPECT_LE(p.slot % kSlotColumns + p.columns, kSlotColumns);
      EXPECT_LE(p.slot / kSlotColumns + p.rows, kSlotRows);
    }
    for (int s = 0; s < kSplitScreens; ++s) EXPECT_EQ(holders[s], 1) << "slot " << s;
  }
}

TEST(SplitLayoutLists, ScreenCountAndListOfEachLayout) {
  SettingsModel m;
  auto& s = m.splitLayout;
  struct Row {
    std::int32_t layout;
    int screens;
    const std::int32_t* data;
    const char* item;
  };
  const Row rows[] = {
      {kLayoutQuadA, 4, s.quadA.data(), "４分割A"},
      {kLayoutQuadB, 4, s.quadB.data(), "４分割B"},
      {kLayoutQuadC, 4, s.quadC.data(), "４分割C"},
      {kLayoutQuadD, 4, s.quadD.data(), "４分割D"},
      {kLayoutNineA, 9, s.nineA.data(), "９分割A"},
      {kLayoutNineB, 9, s.nineB.data(), "９分割B"},
      {kLayoutThirteenA, 13, s.thirteenA.data(), "１３分割A"},
      {kLayoutThirteenB, 13, s.thirteenB.data(), "１３分割B"},
      {kLayoutSixteen, 16, s.sixteen.data(), "１６分割"},
      {-1, 0, nullptr, ""},
      {kLayoutCount, 0, nullptr, ""},
      {INT_MAX, 0, nullptr, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.layout);
    EXPECT_EQ(SplitScreenCount(row.layout), row.screens);
    EXPECT_EQ(SplitLayoutItem(row.layout), row.item);
    const auto list = SplitLayoutChannels(s, row.layout);
    EXPECT_EQ(list.size(), static_cast<std::size_t>(row.screens));
    EXPECT_EQ(list.empty() ? nullptr : list.data(), row.data);
    const auto constList = SplitLayoutChannels(std::as_const(s), row.layout);
    EXPECT_EQ(constList.size(), list.size());
  }
}

TEST(SplitLayoutLists, EachLayoutKeepsItsOwnList) {
  SettingsModel m;
  SplitLayoutChannels(m.splitLayout, kLayoutNineA)[0] = 15;
  EXPECT_EQ(m.splitLayout.nineA[0], 15);
  EXPECT_EQ(m.splitLayout.nineB[0], 7);
  EXPECT_EQ(SplitLayoutChannels(m.splitLayout, kLayoutNineB)[0], 7);
}

// After 16-way, 4-way B shows the channels 5..8 of its own list.
TEST(SplitLayoutLists, QuadBShowsItsDefaultChannels) {
  const SettingsModel m;
  const auto list = SplitLayoutChannels(m.splitLayout, kLayoutQuadB);
  ASSERT_EQ(list.size(), 4u);
  for (std::size_t k = 0; k < list.size(); ++k) EXPECT_EQ(list[k], static_cast<int>(4 + k));
}

}  // namespace
}  // namespace korvex7
