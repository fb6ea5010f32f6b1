#include "core/text/jis.h"

namespace korvex7 {

bool IsShiftJisLeadByte(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

bool IsShiftJisTrailByte(std::uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

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

}  // namespace korvex7
