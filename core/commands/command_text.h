// Small pieces shared by the command encoders: range checks the way the unit's
// fields are checked, fixed-width decimal fields and the ON/OFF letters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/link/send_command.h"

namespace korvex7 {

// True when 0 <= value <= max. The value is compared as an unsigned number,
// so -1 (a list with no selection) is out of range as well.
constexpr bool InUnsignedRange(std::int32_t value, std::uint32_t max) {
  return static_cast<std::uint32_t>(value) <= max;
}

// Appends value as exactly `width` decimal digits, leading zeros first. The
// caller has checked that 0 <= value < 10^width.
inline void AppendDecimal(std::string& out, std::int32_t value, int width) {
  char digits[10];
  for (int i = width - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  out.append(digits, static_cast<std::size_t>(width));
}

// The wire letter of an ON/OFF field: "N" for 1, "F" for 0.
constexpr char OnOffLetter(std::int32_t value) { return value == 0 ? 'F' : 'N'; }

inline constexpr const char* kCrLf = "\r\n";

// Letters of the two-way fields, indexed by the stored value.
inline constexpr std::string_view kOffOnLetters = "FN";

// A one-letter choice: keyword + letters[value] + CR LF, refused when the value
// is not an index into letters (compared unsigned).
inline Encoded EncodeChoice(std::string_view keyword, std::string_view letters,
                            std::int32_t value) {
  if (!InUnsignedRange(value, static_cast<std::uint32_t>(letters.size() - 1))) {
    return Encoded::Refused();
  }
  std::string cmd(keyword);
  cmd += letters[static_cast<std::size_t>(value)];
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}

}  // namespace korvex7
