// Code page 932 text, a character at a time: how long a character is, and
// where text may be cut without splitting a double-byte character. The model
// keeps titles and the hold time in these bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korvex7 {

// Bytes of the code-page-932 character that starts with `first`: 2 for a
// Shift_JIS lead byte, 1 otherwise.
std::size_t Cp932CharacterLength(std::uint8_t first);

// The longest prefix of `text` of at most `limit` bytes that does not split a
// double-byte character. A lead byte at the very end (a damaged character)
// counts as two bytes and is left out.
std::size_t Cp932CutLength(std::string_view text, std::size_t limit);

}  // namespace korvex7
