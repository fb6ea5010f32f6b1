// Field readers shared by the keyword decoders. Every reader checks its
// bounds, so a line that stops short simply fails the check.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/model/value_domains.h"

namespace korvex7::reply_parse {

// True when the characters at n and n+1 are CR and LF. What follows them is
// not looked at.
inline bool CrLfAt(std::string_view line, std::size_t n) {
  return line.size() >= n + 2 && line[n] == '\r' && line[n + 1] == '\n';
}

// The decimal number of `count` digits at `pos`; -1 when the line is too short
// or any of the characters is not a digit "0".."9".
inline int DigitsAt(std::string_view line, std::size_t pos, std::size_t count) {
  if (line.size() < pos + count) return -1;
  int value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    const char c = line[i];
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// N fixed-width numbers from `start`, then CR LF. `convert` maps a wire number
// to its stored value, or to -1 when the number is out of range. The target is
// written only when every entry converted.
template <std::size_t N, typename Convert>
bool DecodeNumbers(std::string_view line, std::size_t start, std::size_t width, Convert convert,
                   std::array<std::int32_t, N>& target) {
  if (!CrLfAt(line, start + N * width)) return false;
  std::array<std::int32_t, N> scratch{};
  for (std::size_t i = 0; i < N; ++i) {
    const int wire = DigitsAt(line, start + i * width, width);
    if (wire < 0) return false;
    const std::int32_t stored = convert(wire);
    if (stored < 0) return false;
    scratch[i] = stored;
  }
  target = scratch;
  return true;
}

// N one-character codes of `choices` from `start`, then CR LF; each code
// stands for its choice's position. The target is written only when every
// code is one of the list.
template <std::size_t N>
bool DecodeLetters(std::string_view line, std::size_t start, std::span<const Choice> choices,
                   std::array<std::int32_t, N>& target) {
  if (!CrLfAt(line, start + N)) return false;
  std::array<std::int32_t, N> scratch{};
  for (std::size_t i = 0; i < N; ++i) {
    const std::int32_t value = ChoiceWithCode(choices, line.substr(start + i, 1));
    if (value < 0) return false;
    scratch[i] = value;
  }
  target = scratch;
  return true;
}

}  // namespace korvex7::reply_parse
