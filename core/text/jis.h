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

// Code page 932 keeps the IBM extended characters twice: at 0xFA40..0xFC4B
// and, as the NEC-selected IBM extensions, at 0xED40..0xEEFC. For a code from
// 0xFA5C upward this gives the NEC-selected code of the same glyph, or 0 when
// there is none (0xFA7F, 0xFB7F, 0xFAFD..0xFB3F, 0xFBFD..0xFC3F, above 0xFC4B
// and anything below 0xFA5C).
std::uint16_t MapIbmExtension(std::uint16_t code);

// The JIS X 0208 code the unit is sent for one double-byte title character
// (first byte x 256 + second byte), or 0 when the character cannot be sent.
// The small roman numerals 0xFA40..0xFA49 and the signs 0xFA55..0xFA57 go to
// their NEC-selected cells 0x7C71..0x7C7A and 0x7C7C..0x7C7E; codes from
// 0xFA5C upward are mapped by MapIbmExtension first.
// Codes above 0x7C7E (the last cell of the unit's title font) are refused.
std::uint16_t TitleCodeToJis(std::uint16_t code);

inline constexpr std::uint16_t kHighestTitleJisCode = 0x7C7E;

}  // namespace korvex7
