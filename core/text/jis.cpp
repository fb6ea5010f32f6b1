#include "core/text/jis.h"

namespace korvex7 {

bool IsShiftJisLeadByte(std::uint8_t b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsShiftJisTrailByte(std::uint8_t b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

std::uint16_t ShiftJisToJis(std::uint8_t s1, std::uint8_t s2) {
  if (!IsShiftJisLeadByte(s1) || !IsShiftJisTrailByte(s2)) return 0;
  const int r = s1 < 0xA0 ? s1 - 0x81 : s1 - 0xC1;
  int high;
  int low;
  if (s2 < 0x9F) {
    high = 2 * r + 0x21;
    low = s2 - 0x1F;
    if (s2 > 0x7E) low -= 1;
  } else {
    high = 2 * r + 0x22;
    low = s2 - 0x7E;
  }
  const int code = high * 256 + low;
  if (code < 0x2121 || code > 0x7E7E || low < 0x21 || low > 0x7E) return 0;
  return static_cast<std::uint16_t>(code);
}

std::uint16_t JisToShiftJis(std::uint16_t jis) {
  const int j1 = jis >> 8;
  const int j2 = jis & 0xFF;
  if (j1 < 0x21 || j1 > 0x7E || j2 < 0x21 || j2 > 0x7E) return 0;
  int s1 = (j1 + 1) / 2 + (j1 <= 0x5E ? 0x70 : 0xB0);
  int s2;
  if (j1 % 2 == 1) {
    s2 = j2 + (j2 <= 0x5F ? 0x1F : 0x20);
  } else {
    s2 = j2 + 0x7E;
  }
  return static_cast<std::uint16_t>(s1 * 256 + s2);
}

namespace {

// One row of the IBM extension map: codes first..last move down by `shift`.
struct IbmRange {
  std::uint16_t first;
  std::uint16_t last;
  std::uint16_t shift;
};

constexpr IbmRange kIbmRanges[] = {
    {0xFA5C, 0xFA7E, 0x0D1C}, {0xFA80, 0xFA9B, 0x0D1D}, {0xFA9C, 0xFAFC, 0x0D1C},
    {0xFB40, 0xFB5B, 0x0D5F}, {0xFB5C, 0xFB7E, 0x0D1C}, {0xFB80, 0xFB9B, 0x0D1D},
    {0xFB9C, 0xFBFC, 0x0D1C}, {0xFC40, 0xFC4B, 0x0D5F},
};

// IBM extensions before 0xFA5C that have a NEC-selected cell of their own.
constexpr IbmRange kTitleDirectRanges[] = {
    {0xFA40, 0xFA49, 0x7DCF},  // small roman numerals -> 0x7C71..0x7C7A
    {0xFA55, 0xFA57, 0x7DD9},  // broken bar, apostrophe, quotation mark -> 0x7C7C..0x7C7E
};

constexpr std::uint16_t kFirstMappedIbmCode = 0xFA5C;

}  // namespace

std::uint16_t MapIbmExtension(std::uint16_t code) {
  for (const IbmRange& r : kIbmRanges) {
    if (code >= r.first && code <= r.last) return static_cast<std::uint16_t>(code - r.shift);
  }
  return 0;
}

std::uint16_t TitleCodeToJis(std::uint16_t code) {
  for (const IbmRange& r : kTitleDirectRanges) {
    if (code >= r.first && code <= r.last) return static_cast<std::uint16_t>(code - r.shift);
  }
  if (code >= kFirstMappedIbmCode) {
    code = MapIbmExtension(code);
    if (code == 0) return 0;
  }
  const std::uint16_t jis =
      ShiftJisToJis(static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code & 0xFF));
  // Rows 0x7D and 0x7E (lead byte 0xEF) hold no character of code page 932;
  // the unit shows anything above its last cell 0x7C7E as a blank, so such a
  // title is refused rather than changed on the screen.
  if (jis > kHighestTitleJisCode) return 0;
  return jis;
}

}  // namespace korvex7
