#include "core/ui/video_adjust_dialog_logic.h"

#include <algorithm>

#include "core/model/value_domains.h"
#include "core/ui/display_scale.h"

namespace korvex7 {

namespace {

struct RowForm {
  std::string_view label;
  int itemCount;
  int zero;         // stored value shown as 0 (brightness 64, hue 124); 0 for the others
  int digits;       // digits of the magnitude
  bool signedForm;  // a sign column ("-" or blank) in front of the digits
  bool itemBlank;   // the list items end in one blank
};

constexpr RowForm Row(std::string_view label, NumberRange range, int digits, bool signedForm,
                      bool itemBlank) {
  return RowForm{label, range.Count(), range.offset, digits, signedForm, itemBlank};
}

constexpr std::array<RowForm, kAdjustRows> kRows = {{
    Row("Brightness", kBrightnessRange, 2, true, true),
    Row("Contrast", kContrastRange, 3, false, true),
    Row("Hue", kHueRange, 3, true, false),
    Row("Sharpness", kSharpnessRange, 2, false, false),
    Row("Saturation", kSaturationRange, 3, false, true),
}};

bool IsRow(int row) { return row >= 0 && row < kAdjustRows; }

// The magnitude with at least `digits` digits, leading zeros first.
std::string Digits(std::int64_t magnitude, int digits) {
  std::string out;
  do {
    out.insert(out.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  while (out.size() < static_cast<std::size_t>(digits)) out.insert(out.begin(), '0');
  return out;
}

// The signed form of a stored value: "-" or " " and the digits of
// |stored - zero|; the unsigned form: the digits of stored ("-" first if a
// damaged file made it negative).
std::string ValueText(const RowForm& f, std::int32_t stored) {
  const std::int64_t value = static_cast<std::int64_t>(stored) - f.zero;
  const bool negative = value < 0;
  const std::string digits = Digits(negative ? -value : value, f.digits);
  if (f.signedForm) return (negative ? "-" : " ") + digits;
  return negative ? "-" + digits : digits;
}

// The row's field; brightness for a value that is not a row.
template <typename VideoAdjust>
auto& ValuesOf(VideoAdjust& v, int row) {
  switch (row) {
    case kAdjustContrast:
      return v.contrast;
    case kAdjustHue:
      return v.hue;
    case kAdjustSharpness:
      return v.sharpness;
    case kAdjustSaturation:
      return v.saturation;
    default:
      return v.brightness;
  }
}

}  // namespace

std::string_view VideoAdjustRowLabel(int row) {
  return IsRow(row) ? kRows[static_cast<std::size_t>(row)].label : std::string_view{};
}

int VideoAdjustItemCount(int row) {
  return IsRow(row) ? kRows[static_cast<std::size_t>(row)].itemCount : 0;
}

std::string VideoAdjustItem(int row, int position) {
  if (!IsRow(row)) return {};
  const RowForm& f = kRows[static_cast<std::size_t>(row)];
  if (position < 0 || position >= f.itemCount) return {};
  std::string text = ValueText(f, position);
  if (f.itemBlank) text += ' ';
  return text;
}

ChannelInts& VideoAdjustValues(SettingsModel::VideoAdjust& v, int row) { return ValuesOf(v, row); }

const ChannelInts& VideoAdjustValues(const SettingsModel::VideoAdjust& v, int row) {
  return ValuesOf(v, row);
}

std::string VideoAdjustCell(int row, std::int32_t stored) {
  if (!IsRow(row)) return {};
  return ValueText(kRows[static_cast<std::size_t>(row)], stored);
}

std::string VideoAdjustPercentText(int percent) { return Digits(percent < 0 ? 0 : percent, 1); }

int VideoAdjustColumnX(int channelIndex) { return 145 + 50 * channelIndex; }

int VideoAdjustRowY(int row) { return 50 + 20 * row; }

namespace {

// The narrow table: between the labels and the first column, and between
// the last cell and the frame, in pixels at 96 DPI.
constexpr int kNarrowLabelGap = 20;
constexpr int kNarrowRightGap = 10;
constexpr int kNarrowMinimumColumnGap = 4;
constexpr int kSpecifiedColumnPitch = 50;

// What the narrow table keeps of the specified one: the frame's top and
// bottom, the left margin and every y, scaled.
VideoAdjustTable ScaledRows(int dpi) {
  VideoAdjustTable t;
  const AdjustTableRect& f = kVideoAdjustTableFrame;
  t.frame = {ScaleToDpi(f.left, dpi), ScaleToDpi(f.top, dpi), ScaleToDpi(f.right, dpi),
             ScaleToDpi(f.bottom, dpi)};
  t.headingY = ScaleToDpi(kVideoAdjustHeadingY, dpi);
  t.labelX = ScaleToDpi(kVideoAdjustLabelX, dpi);
  for (int row = 0; row < kAdjustRows; ++row) {
    t.rowY[static_cast<std::size_t>(row)] = ScaleToDpi(VideoAdjustRowY(row), dpi);
  }
  return t;
}

}  // namespace

VideoAdjustTable ScaledVideoAdjustTable(int dpi) {
  VideoAdjustTable t = ScaledRows(dpi);
  for (int ch = 0; ch < kChannels; ++ch) {
    t.columnX[static_cast<std::size_t>(ch)] = ScaleToDpi(VideoAdjustColumnX(ch), dpi);
  }
  return t;
}

VideoAdjustTable NarrowVideoAdjustTable(int dpi, int clientWidth, VideoAdjustTextWidths widths) {
  VideoAdjustTable t = ScaledRows(dpi);
  t.frame.right = std::max(t.frame.left, clientWidth - t.frame.left);
  const int first = t.labelX + widths.label + ScaleToDpi(kNarrowLabelGap, dpi);
  const int lastEnd = t.frame.right - ScaleToDpi(kNarrowRightGap, dpi);
  const int fill = (lastEnd - widths.cell - first) / (kChannels - 1);
  const int pitch = std::max(widths.cell + ScaleToDpi(kNarrowMinimumColumnGap, dpi),
                             std::min(fill, ScaleToDpi(kSpecifiedColumnPitch, dpi)));
  for (int ch = 0; ch < kChannels; ++ch)
    t.columnX[static_cast<std::size_t>(ch)] = first + pitch * ch;
  return t;
}

}  // namespace korvex7
