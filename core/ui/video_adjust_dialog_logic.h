// What the video adjustment dialog decides without Win32: the items of its
// five value lists, the texts and places of the painted 16-channel table (as
// specified at 96 DPI, and narrowed for the dialog's layout above it), and
// the percentage shown while "全設定" runs.
//
// Brightness and hue are stored as the position of the value in their list
// (brightness = stored - 64, hue = stored - 124); the lists and the table show
// the signed value.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/model/settings_model.h"

namespace korvex7 {

enum VideoAdjustRow : int {
  kAdjustBrightness = 0,
  kAdjustContrast,
  kAdjustHue,
  kAdjustSharpness,
  kAdjustSaturation,
  kAdjustRows
};

// Row label of the table, also the caption of the row's group: "Brightness",
// "Contrast", "Hue", "Sharpness", "Saturation".
std::string_view VideoAdjustRowLabel(int row);

// Number of items of the row's list: 128, 128, 252, 32, 128.
int VideoAdjustItemCount(int row);

// Item `position` of the row's list: brightness "-64 " .. " 63 ", contrast and
// saturation "000 " .. "127 ", hue "-124" .. " 127", sharpness "00" .. "31".
// Empty outside the list.
std::string VideoAdjustItem(int row, int position);

// The row's stored values, one per channel (brightness for a value that is
// not a row).
ChannelInts& VideoAdjustValues(SettingsModel::VideoAdjust& v, int row);
const ChannelInts& VideoAdjustValues(const SettingsModel::VideoAdjust& v, int row);

// The text of one table cell for a stored value: brightness "-01" / " 00",
// hue "-124" / " 127", contrast and saturation three digits, sharpness two.
// A value outside its stored range is shown with as many digits as it needs.
std::string VideoAdjustCell(int row, std::int32_t stored);

// The percentage box while "全設定" runs: "0" at the start, then "20" ..
// "100" as the five steps go out.
std::string VideoAdjustPercentText(int percent);

// The painted table, in pixels at 96 DPI of the client area.
struct AdjustTableRect {
  int left, top, right, bottom;
};
inline constexpr AdjustTableRect kVideoAdjustTableFrame{15, 17, 945, 180};
inline constexpr int kVideoAdjustHeadingY = 27;
inline constexpr int kVideoAdjustLabelX = 25;

// x of the column of channel index 0..15, y of a row.
int VideoAdjustColumnX(int channelIndex);
int VideoAdjustRowY(int row);

// The table as painted, in pixels of the client area at the dialog's DPI.
struct VideoAdjustTable {
  AdjustTableRect frame{};
  int headingY = 0;
  int labelX = 0;
  std::array<int, kAdjustRows> rowY{};
  std::array<int, kChannels> columnX{};
};

// The table of the dialog as specified: every place of the 96-DPI table
// scaled to `dpi`.
VideoAdjustTable ScaledVideoAdjustTable(int dpi);

// Widths of the painted texts in the dialog's font, in pixels at its DPI:
// the widest row label, and the widest column heading or cell.
struct VideoAdjustTextWidths {
  int label = 0;
  int cell = 0;
};

// The table of the narrow layout the dialog takes above 96 DPI, where the
// specified one scaled would not fit a laptop's screen: the frame spans the
// client area `clientWidth` pixels wide with the margins scaled, rows and
// labels are placed as specified scaled, and the sixteen columns follow the
// widest label at a pitch that fills the frame, scaled less than the text:
// at most the 50 pixels of 96 DPI scaled, at least the widest cell and a
// gap of 4 pixels scaled.
VideoAdjustTable NarrowVideoAdjustTable(int dpi, int clientWidth, VideoAdjustTextWidths widths);

}  // namespace korvex7
