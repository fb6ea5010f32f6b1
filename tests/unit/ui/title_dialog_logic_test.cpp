#include "core/ui/title_dialog_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/commands/title_commands.h"

namespace korvex7 {
namespace {

// Code page 932 pieces.
const std::string kFullA = "\x82\x60";        // "Ａ"
const std::string kBlank = "\x81\x40";        // "　"
const std::string kKanji = "\x88\x9f";        // "亜"
const std::string kHalfKana = "\xb1";         // half-width "ｱ"
const std::string kIbmRoman = "\xfa\x40";     // IBM extended "ⅰ"
const std::string kUserDefined = "\xf0\x40";  // user-defined area

std::string Repeat(const std::string& piece, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += piece;
  return out;
}

std::vector<std::string> Characters(const std::string& piece, int count) {
  return std::vector<std::string>(static_cast<std::size_t>(count), piece);
}

TEST(TitleCompose, KeepsWholeCharactersWithinTheLimit) {
  struct Row {
    const char* name;
    std::vector<std::string> typed;
    std::string bytes;
    std::size_t kept;
    bool cut;
    bool unencodable;
  };
  std::vector<std::string> halfThenFull = {"a"};
  for (int i = 0; i < 10; ++i) halfThenFull.push_back(kFullA);
  const Row rows[] = {
      {"nothing typed", {}, "", 0, false, false},
      {"ten full-width", Characters(kFullA, 10), Repeat(kFullA, 10), 10, false, false},
      {"eleven full-width", Characters(kFullA, 11), Repeat(kFullA, 10), 10, true, false},
      {"half-width then ten full-width", halfThenFull, "a" + Repeat(kFullA, 9), 10, true, false},
      {"twenty-one half-width", Characters("x", 21), Repeat("x", 20), 20, true, false},
      {"one character the code page cannot hold",
       {kFullA, "", kKanji},
       kFullA + "?" + kKanji,
       3,
       false,
       true},
      {"a cut character the code page cannot hold does not count",
       [] {
         auto v = Characters(kFullA, 10);
         v.push_back("");
         return v;
       }(),
       Repeat(kFullA, 10), 10, true, false},
      {"IBM extension and user-defined codes are kept as typed",
       {kIbmRoman, kUserDefined},
       kIbmRoman + kUserDefined,
       2,
       false,
       false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const TitleText932 t = ComposeTitle(row.typed);
    EXPECT_EQ(t.bytes, row.bytes);
    EXPECT_EQ(t.charactersKept, row.kept);
    EXPECT_EQ(t.cut, row.cut);
    EXPECT_EQ(t.unencodable, row.unencodable);
    EXPECT_LE(t.bytes.size(), static_cast<std::size_t>(kTitleBytes));
  }
}

// Anything that is not exactly one code-page-932 character is taken as a
// character the code page cannot hold.
TEST(TitleCompose, MalformedCharactersBecomeTheRefusedByte) {
  const std::string malformed[] = {
      "",          // the conversion found no character
      "\x82",      // a lead byte alone
      "ab",        // two characters in one entry
      "\x82\x20",  // a lead byte with a byte that is no trail byte
      std::string(1, '\0'),
      "\x82\x60\x82\x60",  // more than one character
  };
  for (const std::string& m : malformed) {
    SCOPED_TRACE(testing::Message() << "entry of " << m.size() << " bytes");
    const std::vector<std::string> typed = {kFullA, m, kFullA};
    const TitleText932 t = ComposeTitle(typed);
    EXPECT_TRUE(t.unencodable);
    EXPECT_EQ(t.bytes, kFullA + std::string(1, kUnencodableTitleByte) + kFullA);
  }
}

// Whatever stands where a character could not be converted, the title
// encoder refuses the title: it is never sent with another character.
TEST(TitleCompose, TheEncoderRefusesEveryTitleWithAnUnencodableCharacter) {
  const std::vector<std::vector<std::string>> titles = {
      {""},
      {"", ""},
      {kFullA, ""},
      {"", kFullA},
      {kFullA, "", kFullA, kFullA},
      {kFullA, kFullA, kFullA, kFullA, kFullA, kFullA, kFullA, kFullA, kFullA, ""},
      {"a", ""},
      {"", "\x82\x60"},
  };
  for (std::size_t i = 0; i < titles.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "title " << i);
    const TitleText932 t = ComposeTitle(titles[i]);
    ASSERT_TRUE(t.unencodable);
    SettingsModel m;
    SetText(m.title.text[4], t.bytes);
    EXPECT_FALSE(EncodeTitle(m, 4).ok());
  }
}

TEST(TitleCompose, AFullWidthTitleIsSentAsTyped) {
  const std::vector<std::string> typed = {kFullA, kBlank, kKanji};
  const TitleText932 t = ComposeTitle(typed);
  SettingsModel m;
  SetText(m.title.text[0], t.bytes);
  const Encoded e = EncodeTitle(m, 0);
  ASSERT_TRUE(e.ok());
  // "Ａ" 2341, "　" 2121, "亜" 3021, then seven blanks of padding.
  EXPECT_EQ(e.text, "CJ01234121213021" + Repeat("2121", 7) + "\r\n");
}

// Box texts for the fitting tests: ASCII letters are one byte, full-width
// letters "Ａ".."Ｚ" two, "é" has no code-page-932 form.
std::vector<TitleCharacter> Box(std::u16string_view text) {
  std::vector<TitleCharacter> out;
  for (char16_t c : text) {
    TitleCharacter t;
    t.typed = std::u16string(1, c);
    if (c < 0x80) {
      t.cp932 = std::string(1, static_cast<char>(c));
    } else if (c >= u'Ａ' && c <= u'Ｚ') {
      t.cp932 = {'\x82', static_cast<char>(0x60 + (c - u'Ａ'))};
    }
    out.push_back(t);
  }
  return out;
}

std::u16string Typed(const std::vector<TitleCharacter>& text) {
  std::u16string out;
  for (const TitleCharacter& c : text) out += c.typed;
  return out;
}

TEST(TitleEditFit, AnInsertionKeepsOnlyWhatFits) {
  struct Row {
    const char* name;
    std::u16string before;
    std::u16string after;
    std::u16string shown;
    std::size_t caret;
    bool cut;
  };
  const Row rows[] = {
      {"typing within the limit", u"ＡＢ", u"ＡＢＣ", u"ＡＢＣ", 3, false},
      {"deleting", u"ＡＢＣ", u"ＡＣ", u"ＡＣ", 2, false},
      {"a letter typed into a full title is refused, the end stays", u"ＡＢＣＤＥＦＧＨＩＪ",
       u"ＡＸＢＣＤＥＦＧＨＩＪ", u"ＡＢＣＤＥＦＧＨＩＪ", 1, true},
      {"a paste at the end keeps what fits", u"ＡＢＣＤＥＦＧＨＩ", u"ＡＢＣＤＥＦＧＨＩＸＹＺ",
       u"ＡＢＣＤＥＦＧＨＩＸ", 10, true},
      {"a full-width letter does not fit into one free byte", u"aＡＢＣＤＥＦＧＨＩ",
       u"aＡＢＣＤＥＦＧＨＩＸ", u"aＡＢＣＤＥＦＧＨＩ", 10, true},
      {"a half-width letter does", u"aＡＢＣＤＥＦＧＨＩ", u"aＡＢＣＤＥＦＧＨＩb",
       u"aＡＢＣＤＥＦＧＨＩb", 11, false},
      {"a long paste into an empty box", u"", u"ＡＢＣＤＥＦＧＨＩＪＫ", u"ＡＢＣＤＥＦＧＨＩＪ",
       10, true},
      {"a selection replaced by a shorter text", u"ＡＢＣＤＥＦＧＨＩＪ", u"ＡＸＹＪ", u"ＡＸＹＪ",
       4, false},
      {"a selection replaced by a longer text", u"ＡＢＣＤＥＦＧＨＩＪ", u"ＡＸＹＺＤＥＦＧＨＩＪ",
       u"ＡＸＹＤＥＦＧＨＩＪ", 3, true},
      {"one more of the same letter", u"ＡＡＡＡＡＡＡＡＡＡ", u"ＡＡＡＡＡＡＡＡＡＡＡ",
       u"ＡＡＡＡＡＡＡＡＡＡ", 10, true},
      {"a character without a code counts one byte", u"ＡＢＣＤＥＦＧＨＩé",
       u"ＡＢＣＤＥＦＧＨＩéb", u"ＡＢＣＤＥＦＧＨＩéb", 11, false},
      {"a text too long already is cut from its end", u"ＡＢＣＤＥＦＧＨＩＪＫＬ",
       u"ＡＢＣＤＥＦＧＨＩＪＫＬa", u"ＡＢＣＤＥＦＧＨＩＪ", 10, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto before = Box(row.before);
    const auto after = Box(row.after);
    const TitleEditFit fit = FitTitleEdit(before, after);
    EXPECT_TRUE(Typed(fit.text) == row.shown);
    EXPECT_EQ(fit.caret, row.caret);
    EXPECT_EQ(fit.cut, row.cut);
    const TitleText932 stored = ComposeTitle(std::span<const TitleCharacter>(fit.text));
    EXPECT_LE(stored.bytes.size(), static_cast<std::size_t>(kTitleBytes));
    EXPECT_EQ(stored.charactersKept, fit.text.size());
    EXPECT_FALSE(stored.cut);
  }
}

TEST(TitleDialogLists, ChannelItems) {
  struct Row {
    int index;
    const char* expected;
  };
  const Row rows[] = {{0, "ch.01"}, {8, "ch.09"}, {9, "ch.10"}, {15, "ch.16"}, {-1, ""}, {16, ""}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.index);
    EXPECT_EQ(ChannelItem(row.index), row.expected);
  }
}

TEST(TitlePreview, LinesOfTheTwoColumns) {
  struct Row {
    int channelIndex;
    TitlePreviewLine expected;
  };
  const Row rows[] = {
      {0, {35, 100, 40}},  {1, {35, 100, 60}},  {7, {35, 100, 180}},
      {8, {315, 380, 40}}, {9, {315, 380, 60}}, {15, {315, 380, 180}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.channelIndex);
    const TitlePreviewLine got = TitlePreviewLineOf(row.channelIndex);
    EXPECT_EQ(got.labelX, row.expected.labelX);
    EXPECT_EQ(got.titleX, row.expected.titleX);
    EXPECT_EQ(got.y, row.expected.y);
  }
}

// Ten full-width characters of the preview font (as wide as they are high,
// plus the extra spacing) stay inside the frame, and no two lines overlap.
TEST(TitlePreview, EveryTitleFitsInsideTheFrame) {
  const int fullTitleWidth = 10 * (kTitlePreviewFontHeight + kTitlePreviewCharacterExtra);
  for (int ch = 0; ch < kChannels; ++ch) {
    SCOPED_TRACE(ch);
    const TitlePreviewLine line = TitlePreviewLineOf(ch);
    EXPECT_GT(line.labelX, kTitlePreviewFrame.left);
    EXPECT_LT(line.labelX, line.titleX);
    EXPECT_LT(line.titleX + fullTitleWidth, kTitlePreviewFrame.right);
    EXPECT_GT(line.y, kTitlePreviewFrame.top);
    EXPECT_LT(line.y + kTitlePreviewFontHeight, kTitlePreviewFrame.bottom);
    if (ch % 8 != 0) {
      EXPECT_GE(line.y - TitlePreviewLineOf(ch - 1).y, kTitlePreviewFontHeight);
    }
    if (ch < 8) {
      EXPECT_LT(line.titleX + fullTitleWidth, TitlePreviewLineOf(ch + 8).labelX);
    }
  }
}

}  // namespace
}  // namespace korvex7
