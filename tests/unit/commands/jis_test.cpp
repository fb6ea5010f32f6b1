#include "core/text/jis.h"

#include <gtest/gtest.h>

#include <set>

namespace korvex7 {
namespace {

struct CodeCase {
  std::uint16_t in;
  std::uint16_t out;
};

TEST(ShiftJisToJis, KnownCharacters) {
  const CodeCase cases[] = {
      {0x8140, 0x2121},  // full-width blank
      {0x8262, 0x2343},  // "Ｃ"
      {0x8267, 0x2348},  // "Ｈ"
      {0x824F, 0x2330},  // "０"
      {0x829F, 0x2421},  // "ぁ": second byte 0x9F starts the even row
      {0x8340, 0x2521},  // "ァ"
      {0x8380, 0x2560},  // second byte above 0x7E loses one more
      {0x8740, 0x2D21},  // NEC special "①"
      {0x889F, 0x3021},  // first kanji of level 1
      {0x9872, 0x4F53},  // last kanji of level 1
      {0x989F, 0x5021},  // first kanji of level 2
      {0xE040, 0x5F21},  // first lead byte of the upper half
      {0xEAA4, 0x7426},  // last kanji of level 2
      {0xED40, 0x7921},  // NEC-selected IBM extension
      {0xEEEF, 0x7C71},  // NEC-selected small roman one
      {0xEEFC, 0x7C7E},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.in);
    EXPECT_EQ(
        ShiftJisToJis(static_cast<std::uint8_t>(c.in >> 8), static_cast<std::uint8_t>(c.in & 0xFF)),
        c.out);
  }
}

TEST(ShiftJisToJis, NotConvertible) {
  const std::uint16_t cases[] = {
      0x4142,  // two half-width letters
      0xB1B2,  // half-width katakana
      0x8220,  // trail byte below 0x40
      0x827F,  // 0x7F is no trail byte
      0x82FD,  // trail byte above 0xFC
      0xA040,  // 0xA0 is no lead byte
      0xF040,  // user-defined area
      0xF9FC,
      0xFA40,  // IBM extension: rows above 0x7E
      0xFC4B, 0x0000,
  };
  for (const auto code : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << code);
    EXPECT_EQ(
        ShiftJisToJis(static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code & 0xFF)),
        0);
  }
}

TEST(ShiftJisToJis, RoundTripsEveryJisCell) {
  int cells = 0;
  for (int j1 = 0x21; j1 <= 0x7E; ++j1) {
    for (int j2 = 0x21; j2 <= 0x7E; ++j2) {
      const auto jis = static_cast<std::uint16_t>(j1 * 256 + j2);
      const std::uint16_t sjis = JisToShiftJis(jis);
      ASSERT_NE(sjis, 0) << std::hex << jis;
      ASSERT_EQ(ShiftJisToJis(static_cast<std::uint8_t>(sjis >> 8),
                              static_cast<std::uint8_t>(sjis & 0xFF)),
                jis)
          << std::hex << jis;
      ++cells;
    }
  }
  EXPECT_EQ(cells, 94 * 94);
}

TEST(JisToShiftJis, RefusesBytesOutsideTheCells) {
  const std::uint16_t cases[] = {0x2020, 0x2120, 0x217F, 0x7F21, 0x0000, 0xFFFF};
  for (const auto code : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << code);
    EXPECT_EQ(JisToShiftJis(code), 0);
  }
}

TEST(MapIbmExtension, RangeEnds) {
  const CodeCase cases[] = {
      {0xFA5B, 0},      {0xFA5C, 0xED40}, {0xFA7E, 0xED62}, {0xFA7F, 0},      {0xFA80, 0xED63},
      {0xFA9B, 0xED7E}, {0xFA9C, 0xED80}, {0xFAFC, 0xEDE0}, {0xFAFD, 0},      {0xFB3F, 0},
      {0xFB40, 0xEDE1}, {0xFB5B, 0xEDFC}, {0xFB5C, 0xEE40}, {0xFB7E, 0xEE62}, {0xFB7F, 0},
      {0xFB80, 0xEE63}, {0xFB9B, 0xEE7E}, {0xFB9C, 0xEE80}, {0xFBFC, 0xEEE0}, {0xFBFD, 0},
      {0xFC3F, 0},      {0xFC40, 0xEEE1}, {0xFC4B, 0xEEEC}, {0xFC4C, 0},      {0xFFFF, 0},
      {0xFA40, 0},      {0x8140, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.in);
    EXPECT_EQ(MapIbmExtension(c.in), c.out);
  }
}

TEST(MapIbmExtension, EveryMappedCodeLandsOnItsOwnNecSelectedCell) {
  // Each IBM extension must map to a distinct NEC-selected code that the unit
  // accepts (rows 0x79..0x7C); two glyphs sharing a cell would corrupt titles.
  std::set<std::uint16_t> seen;
  for (int code = 0xFA5C; code <= 0xFFFF; ++code) {
    const std::uint16_t nec = MapIbmExtension(static_cast<std::uint16_t>(code));
    if (nec == 0) continue;
    SCOPED_TRACE(testing::Message() << std::hex << code);
    EXPECT_GE(nec, 0xED40);
    EXPECT_LE(nec, 0xEEFC);
    EXPECT_TRUE(seen.insert(nec).second);
    const std::uint16_t jis =
        ShiftJisToJis(static_cast<std::uint8_t>(nec >> 8), static_cast<std::uint8_t>(nec & 0xFF));
    EXPECT_GE(jis, 0x7921);
    EXPECT_LE(jis, 0x7C7E);
  }
  // 0xFA5C..0xFC4B less the holes: the 360 IBM extended characters from 0xFA5C.
  EXPECT_EQ(seen.size(), 360u);
}

TEST(TitleCodeToJis, IbmExtensionsGoToTheirNecSelectedCells) {
  const CodeCase cases[] = {
      {0xFA40, 0x7C71},                    // small roman one, same as 0xEEEF
      {0xFA49, 0x7C7A},                    // small roman ten
      {0xFA55, 0x7C7C},                    // broken bar
      {0xFA57, 0x7C7E}, {0xFA5C, 0x7921},  // same as 0xED40
      {0xFC4B, 0x7C6E},                    // same as 0xEEEC
      {0x8140, 0x2121},                    // ordinary codes take the arithmetic
      {0x889F, 0x3021}, {0xFA4A, 0},  // roman numerals have no NEC-selected cell of their own here
      {0xFA54, 0},      {0xFA58, 0},      {0xFA5B, 0},
      {0xFA7F, 0},      {0xFC4C, 0},      {0xF040, 0},  // user-defined area
      {0x4142, 0},                                      // half-width pair
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.in);
    EXPECT_EQ(TitleCodeToJis(c.in), c.out);
  }
}

}  // namespace
}  // namespace korvex7
