#include "core/ui/video_adjust_dialog_logic.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "core/commands/video_adjust_commands.h"
#include "core/ui/display_scale.h"

namespace korvex7 {
namespace {

TEST(VideoAdjustLists, ItemCountsAndLabels) {
  struct Row {
    int row;
    const char* label;
    int count;
  };
  const Row rows[] = {
      {kAdjustBrightness, "Brightness", 128},
      {kAdjustContrast, "Contrast", 128},
      {kAdjustHue, "Hue", 252},
      {kAdjustSharpness, "Sharpness", 32},
      {kAdjustSaturation, "Saturation", 128},
      {kAdjustRows, "", 0},
      {-1, "", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.row);
    EXPECT_EQ(VideoAdjustRowLabel(row.row), row.label);
    EXPECT_EQ(VideoAdjustItemCount(row.row), row.count);
  }
}

TEST(VideoAdjustLists, Items) {
  struct Row {
    int row;
    int position;
    const char* item;
  };
  const Row rows[] = {
      {kAdjustBrightness, 0, "-64 "},  {kAdjustBrightness, 54, "-10 "},
      {kAdjustBrightness, 63, "-01 "}, {kAdjustBrightness, 64, " 00 "},
      {kAdjustBrightness, 74, " 10 "}, {kAdjustBrightness, 127, " 63 "},
      {kAdjustContrast, 0, "000 "},    {kAdjustContrast, 64, "064 "},
      {kAdjustContrast, 127, "127 "},  {kAdjustHue, 0, "-124"},
      {kAdjustHue, 123, "-001"},       {kAdjustHue, 124, " 000"},
      {kAdjustHue, 251, " 127"},       {kAdjustSharpness, 0, "00"},
      {kAdjustSharpness, 31, "31"},    {kAdjustSaturation, 0, "000 "},
      {kAdjustSaturation, 80, "080 "}, {kAdjustSaturation, 127, "127 "},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row " << row.row << " position " << row.position);
    EXPECT_EQ(VideoAdjustItem(row.row, row.position), row.item);
  }
}

TEST(VideoAdjustLists, NoItemOutsideTheList) {
  struct Row {
    int row;
    int position;
  };
  const Row rows[] = {
      {kAdjustBrightness, -1}, {kAdjustBrightness, 128}, {kAdjustContrast, 128}, {kAdjustHue, 252},
      {kAdjustSharpness, 32},  {kAdjustSaturation, 128}, {kAdjustRows, 0},       {-1, 0},
      {kAdjustHue, INT_MIN}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row " << row.row << " position " << row.position);
    EXPECT_EQ(VideoAdjustItem(row.row, row.position), "");
  }
}

// Every item reads back as the value it stands for: the stored position less
// 64 (brightness), less 124 (hue), or the position itself; and every item of a
// list has the same width.
TEST(VideoAdjustLists, EveryItemShowsTheValueOfItsPosition) {
  const int zero[kAdjustRows] = {64, 0, 124, 0, 0};
  for (int row = 0; row < kAdjustRows; ++row) {
    const std::size_t width = VideoAdjustItem(row, 0).size();
    for (int p = 0; p < VideoAdjustItemCount(row); ++p) {
      SCOPED_TRACE(testing::Message() << "row " << row << " position " << p);
      const std::string item = VideoAdjustItem(row, p);
      EXPECT_EQ(item.size(), width);
      const std::string number = item[0] == ' ' ? item.substr(1) : item;
      EXPECT_EQ(std::strtol(number.c_str(), nullptr, 10), p - zero[row]);
    }
  }
}

TEST(VideoAdjustTable, CellTexts) {
  struct Row {
    int row;
    std::int32_t stored;
    const char* cell;
  };
  const Row rows[] = {
      // Brightness -1 is stored as 63.
      {kAdjustBrightness, 63, "-01"},
      {kAdjustBrightness, 64, " 00"},
      {kAdjustBrightness, 0, "-64"},
      {kAdjustBrightness, 127, " 63"},
      {kAdjustContrast, 64, "064"},
      {kAdjustContrast, 0, "000"},
      {kAdjustHue, 124, " 000"},
      {kAdjustHue, 123, "-001"},
      {kAdjustHue, 0, "-124"},
      {kAdjustHue, 251, " 127"},
      {kAdjustSharpness, 0, "00"},
      {kAdjustSharpness, 31, "31"},
      {kAdjustSaturation, 80, "080"},
      // Values a damaged settings file may hold are shown, not cut.
      {kAdjustBrightness, 200, " 136"},
      {kAdjustBrightness, -100, "-164"},
      {kAdjustContrast, 1000, "1000"},
      {kAdjustContrast, -3, "-003"},
      {kAdjustSharpness, INT_MIN, "-2147483648"},
      {kAdjustHue, INT_MIN, "-2147483772"},
      {kAdjustRows, 5, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "row " << row.row << " stored " << row.stored);
    EXPECT_EQ(VideoAdjustCell(row.row, row.stored), row.cell);
  }
}

TEST(VideoAdjustTable, RowsReachTheirFields) {
  SettingsModel m;
  for (int row = 0; row < kAdjustRows; ++row) VideoAdjustValues(m.videoAdjust, row)[3] = 10 + row;
  EXPECT_EQ(m.videoAdjust.brightness[3], 10);
  EXPECT_EQ(m.videoAdjust.contrast[3], 11);
  EXPECT_EQ(m.videoAdjust.hue[3], 12);
  EXPECT_EQ(m.videoAdjust.sharpness[3], 13);
  EXPECT_EQ(m.videoAdjust.saturation[3], 14);
  EXPECT_EQ(m.videoAdjust.saturationV[3], 80);
  EXPECT_EQ(&VideoAdjustValues(std::as_const(m.videoAdjust), kAdjustHue), &m.videoAdjust.hue);
}

TEST(VideoAdjustTable, Positions) {
  EXPECT_EQ(VideoAdjustColumnX(0), 145);
  EXPECT_EQ(VideoAdjustColumnX(15), 895);
  EXPECT_EQ(VideoAdjustRowY(kAdjustBrightness), 50);
  EXPECT_EQ(VideoAdjustRowY(kAdjustContrast), 70);
  EXPECT_EQ(VideoAdjustRowY(kAdjustHue), 90);
  EXPECT_EQ(VideoAdjustRowY(kAdjustSharpness), 110);
  EXPECT_EQ(VideoAdjustRowY(kAdjustSaturation), 130);
  // The widest cell, "-124" (about 8 pixels a character), ends inside the frame.
  EXPECT_LT(VideoAdjustColumnX(15) + 4 * 8, kVideoAdjustTableFrame.right);
  EXPECT_LT(VideoAdjustRowY(kAdjustSaturation) + 20, kVideoAdjustTableFrame.bottom);
}

TEST(VideoAdjustTable, TheSpecifiedTableScaled) {
  struct Row {
    int dpi;
    AdjustTableRect frame;
    int headingY, labelX, firstRowY, lastRowY, firstColumnX, lastColumnX;
  };
  const Row rows[] = {
      {96, {15, 17, 945, 180}, 27, 25, 50, 130, 145, 895},
      {144, {23, 26, 1418, 270}, 41, 38, 75, 195, 218, 1343},
      {192, {30, 34, 1890, 360}, 54, 50, 100, 260, 290, 1790},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.dpi);
    const VideoAdjustTable t = ScaledVideoAdjustTable(r.dpi);
    EXPECT_EQ(t.frame.left, r.frame.left);
    EXPECT_EQ(t.frame.top, r.frame.top);
    EXPECT_EQ(t.frame.right, r.frame.right);
    EXPECT_EQ(t.frame.bottom, r.frame.bottom);
    EXPECT_EQ(t.headingY, r.headingY);
    EXPECT_EQ(t.labelX, r.labelX);
    EXPECT_EQ(t.rowY[kAdjustBrightness], r.firstRowY);
    EXPECT_EQ(t.rowY[kAdjustSaturation], r.lastRowY);
    EXPECT_EQ(t.columnX[0], r.firstColumnX);
    EXPECT_EQ(t.columnX[15], r.lastColumnX);
  }
}

TEST(VideoAdjustTable, TheNarrowTableFillsItsClientArea) {
  struct Row {
    const char* what;
    int dpi;
    int clientWidth;
    VideoAdjustTextWidths widths;
    int frameRight;
    int firstColumnX;
    int pitch;
  };
  const Row rows[] = {
      // The narrow dialog at 150 % and 200 %: columns closer than 50 px scaled.
      {"150 %", 144, 1125, {90, 45}, 1102, 158, 58},
      {"200 %", 192, 1500, {120, 60}, 1470, 210, 78},
      // A wide client area: the pitch stops at the specified 50 px scaled.
      {"150 %, wide", 144, 2000, {90, 45}, 1977, 158, 75},
      // Too narrow: the pitch keeps the widest cell and a gap, past the frame.
      {"150 %, too narrow", 144, 800, {90, 45}, 777, 158, 51},
      // Longer labels push the columns right.
      {"150 %, wider font", 144, 1125, {110, 50}, 1102, 178, 57},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    const VideoAdjustTable t = NarrowVideoAdjustTable(r.dpi, r.clientWidth, r.widths);
    const VideoAdjustTable scaled = ScaledVideoAdjustTable(r.dpi);
    EXPECT_EQ(t.frame.left, scaled.frame.left);
    EXPECT_EQ(t.frame.top, scaled.frame.top);
    EXPECT_EQ(t.frame.bottom, scaled.frame.bottom);
    EXPECT_EQ(t.frame.right, r.frameRight);
    EXPECT_EQ(t.headingY, scaled.headingY);
    EXPECT_EQ(t.labelX, scaled.labelX);
    EXPECT_EQ(t.rowY, scaled.rowY);
    for (int ch = 0; ch < kChannels; ++ch) {
      EXPECT_EQ(t.columnX[static_cast<std::size_t>(ch)], r.firstColumnX + r.pitch * ch) << ch;
    }
  }
}

// Wherever the narrow table has room, the last cell ends inside the frame
// with its gap and the columns never overlap the labels or each other.
TEST(VideoAdjustTable, TheNarrowTableKeepsItsCellsInside) {
  for (int dpi : {120, 144, 168, 192, 240}) {
    const VideoAdjustTextWidths widths{ScaleToDpi(60, dpi), ScaleToDpi(30, dpi)};
    for (int clientWidth = ScaleToDpi(700, dpi); clientWidth < ScaleToDpi(1400, dpi);
         clientWidth += 7) {
      SCOPED_TRACE(testing::Message() << dpi << " dpi, client " << clientWidth);
      const VideoAdjustTable t = NarrowVideoAdjustTable(dpi, clientWidth, widths);
      EXPECT_GE(t.columnX[0], t.labelX + widths.label + ScaleToDpi(20, dpi));
      const int pitch = t.columnX[1] - t.columnX[0];
      EXPECT_GE(pitch, widths.cell + ScaleToDpi(4, dpi));
      EXPECT_LE(pitch, ScaleToDpi(50, dpi));
      EXPECT_LE(t.columnX[15] + widths.cell, t.frame.right - ScaleToDpi(10, dpi));
    }
  }
}

TEST(VideoAdjustProgress, PercentTexts) {
  struct Row {
    int percent;
    const char* text;
  };
  const Row rows[] = {{0, "0"}, {20, "20"}, {40, "40"}, {60, "60"}, {80, "80"}, {100, "100"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.percent);
    EXPECT_EQ(VideoAdjustPercentText(row.percent), row.text);
  }
}

}  // namespace
}  // namespace korvex7
