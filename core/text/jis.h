// Code page 932 (Shift_JIS) and JIS X 0208: the conversion of one
// double-byte code in each direction. Titles travel to and from the unit as
// JIS X 0208 codes; in the model they are Shift_JIS bytes.
#pragma once

#include <cstdint>

namespace korvex7 {

bool IsShiftJisLeadByte(std::uint8_t b);
bool IsShiftJisTrailByte(std::uint8_t b);

// Standard Shift_JIS to JIS X 0208 arithmetic. Returns 0 when the pair is not
// a double-byte code or the result lies outside rows 0x21..0x7E and cells
// 0x21..0x7E (user-defined area, single-byte characters).
std::uint16_t ShiftJisToJis(std::uint8_t s1, std::uint8_t s2);

// JIS X 0208 code (both bytes 0x21..0x7E) to its Shift_JIS pair. Returns 0
// when either byte lies outside 0x21..0x7E.
std::uint16_t JisToShiftJis(std::uint16_t jis);

}  // namespace korvex7
