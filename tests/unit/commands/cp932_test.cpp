// Where code page 932 text may be cut: the title box and the hold-time box
// both keep whole characters only.
#include "core/text/cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace korvex7 {
namespace {

const std::string kFullA = "\x82\x60";  // "Ａ"
const std::string kBlank = "\x81\x40";  // "　"
const std::string kKanji = "\x88\x9f";  // "亜"
const std::string kHalfKana = "\xb1";   // half-width "ｱ"

std::string Repeat(const std::string& piece, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += piece;
  return out;
}

TEST(Cp932Cut, CutsAtACharacterBoundary) {
  struct Row {
    const char* name;
    std::string text;
    std::size_t limit;
    std::size_t expected;
  };
  const Row rows[] = {
      {"empty", "", 20, 0},
      {"ten full-width fit", Repeat(kFullA, 10), 20, 20},
      {"eleven full-width: the last is left out", Repeat(kFullA, 11), 20, 20},
      {"odd start: the tenth full-width would pass the limit", "a" + Repeat(kFullA, 10), 20, 19},
      {"twenty half-width", Repeat("a", 25), 20, 20},
      {"half-width katakana is one byte", Repeat(kHalfKana, 21), 20, 20},
      {"limit inside a character", kFullA + kKanji, 3, 2},
      {"a lone lead byte at the end is left out", "ab\x82", 20, 2},
      {"mixed", "a" + kKanji + "b" + kBlank, 5, 4},
      {"limit zero", kFullA, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Cp932CutLength(row.text, row.limit), row.expected);
  }
}

TEST(Cp932Cut, CharacterLengthFollowsTheLeadByte) {
  struct Row {
    unsigned byte;
    std::size_t expected;
  };
  const Row rows[] = {{0x41, 1}, {0x80, 1}, {0x81, 2}, {0x9f, 2}, {0xa0, 1},
                      {0xb1, 1}, {0xdf, 1}, {0xe0, 2}, {0xfc, 2}, {0xfd, 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << std::hex << row.byte);
    EXPECT_EQ(Cp932CharacterLength(static_cast<std::uint8_t>(row.byte)), row.expected);
  }
}

}  // namespace
}  // namespace korvex7
