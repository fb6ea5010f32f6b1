// Small pieces shared by the command encoders: range checks the way the unit's
// fields are checked, fixed-width decimal fields and the codes of choices.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/link/send_command.h"
#include "core/model/value_domains.h"

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

// The code of an ON/OFF field where any value but 0 counts as ON: "F" for 0,
// "N" for anything else.
constexpr std::string_view OnOffCode(std::int32_t value) {
  return kOffOnChoices[value == 0 ? 0 : 1].code;
}

inline constexpr const char* kCrLf = "\r\n";

// A choice: keyword + the code of `value` + CR LF, refused when the value is
// not a position of the list (compared unsigned, so -1 is refused too).
inline Encoded EncodeChoice(std::string_view keyword, std::span<const Choice> choices,
                            std::int32_t value) {
  const std::string_view code = ChoiceCode(choices, value);
  if (code.empty()) return Encoded::Refused();
  std::string cmd(keyword);
  cmd += code;
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}

}  // namespace korvex7
