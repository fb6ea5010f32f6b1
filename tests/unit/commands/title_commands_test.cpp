#include "core/commands/title_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/commands/command_test_support.h"

namespace korvex7 {
namespace {

using testing_support::CommandCase;
using testing_support::ExpectCommands;
using testing_support::kDefaultTitleCommands;
using testing_support::RecordingSession;

// Code page 932 pieces (kept apart so that no hex escape runs into the next).
const std::string kBlank = "\x81\x40";  // full-width blank, JIS 2121
const std::string kA = "\x82\x60";      // "Ａ", JIS 2341
const std::string kB = "\x82\x61";      // "Ｂ", JIS 2342

std::string FullWidthLetters(int count) {
  std::string t;
  for (int i = 0; i < count; ++i) {
    t += '\x82';
    t += static_cast<char>(0x60 + i);  // "Ａ", "Ｂ", ...
  }
  return t;
}

TEST(TitleCommand, DefaultTitlesOfEveryChannel) {
  for (int ch = 0; ch < kChannels; ++ch) {
    SCOPED_TRACE(testing::Message() << "channel index " << ch);
    RecordingSession r;
    TitleWorkBuffer work;
    ASSERT_EQ(PrepareTitle(r.session.model, ch, work), 1);
    ASSERT_EQ(SendTitle(r.session, ch, work), 0);
    ASSERT_EQ(r.port.frames.size(), 1u);
    EXPECT_EQ(r.port.frames[0], kDefaultTitleCommands[ch]);
    EXPECT_EQ(r.port.frames[0].size(), 46u);
    EXPECT_EQ(EncodeTitle(r.session.model, ch).text, kDefaultTitleCommands[ch]);
  }
}

struct TitleCase {
  const char* what;
  std::string title;  // code page 932 bytes
  int channel;
  int prepared;          // PrepareTitle's result
  const char* expected;  // the command, nullptr when SendTitle must refuse
};

// The case's title in the session's model, prepared into `work`; the
// result of PrepareTitle.
int Prepared(const TitleCase& c, RecordingSession& r, TitleWorkBuffer& work) {
  SetText(r.session.model.title.text[c.channel], c.title);
  return PrepareTitle(r.session.model, c.channel, work);
}

TEST(TitleCommand, PaddingAndConversion) {
  const TitleCase cases[] = {
      {"empty title", "", 2, 1, "CJ032121212121212121212121212121212121212121\r\n"},
      {"nine characters get one blank", FullWidthLetters(9), 0, 1,
       "CJ012341234223432344234523462347234823492121\r\n"},
      {"ten characters unchanged", FullWidthLetters(10), 15, 1,
       "CJ16234123422343234423452346234723482349234A\r\n"},
      {"one character", kA, 4, 1, "CJ052341212121212121212121212121212121212121\r\n"},
      {"blanks kept in place", kBlank + kA + kBlank + kB, 6, 1,
       "CJ072121234121212342212121212121212121212121\r\n"},
      {"kanji level 1 and 2 first and last",
       std::string("\x88\x9f") + "\x98\x72" + "\x98\x9f" + "\xea\xa4", 1, 1,
       "CJ0230214F5350217426212121212121212121212121\r\n"},
      {"NEC special character", "\x87\x40", 9, 1,
       "CJ102D21212121212121212121212121212121212121\r\n"},
      {"IBM small roman one in its IBM form", "\xfa\x40", 0, 1,
       "CJ017C71212121212121212121212121212121212121\r\n"},
      {"same glyph in its NEC-selected form", "\xee\xef", 0, 1,
       "CJ017C71212121212121212121212121212121212121\r\n"},
      {"IBM extension mapped before conversion", "\xfa\x5c", 0, 1,
       "CJ017921212121212121212121212121212121212121\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingSession r;
    TitleWorkBuffer work;
    ASSERT_EQ(Prepared(c, r, work), c.prepared);
    ASSERT_EQ(SendTitle(r.session, c.channel, work), 0);
    ASSERT_EQ(r.port.frames.size(), 1u);
    EXPECT_EQ(r.port.frames[0], c.expected);
    EXPECT_EQ(r.port.frames[0].size(), 46u);
    EXPECT_EQ(EncodeTitle(r.session.model, c.channel).text, c.expected);
  }
}

TEST(TitleCommand, PrepareRefusesOddLengths) {
  const TitleCase cases[] = {
      {"one half-width letter among full-width", kA + "x" + kB, 0, 0, nullptr},
      {"a single half-width letter", "x", 0, 0, nullptr},
      {"nineteen bytes", FullWidthLetters(9) + "x", 3, 0, nullptr},
      {"channel index 16", kA, 16, 0, nullptr},
      {"channel index -1", kA, -1, 0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsModel m;
    if (c.channel >= 0 && c.channel < kChannels) SetText(m.title.text[c.channel], c.title);
    TitleWorkBuffer work;
    work.fill('Z');
    EXPECT_EQ(PrepareTitle(m, c.channel, work), 0);
    EXPECT_EQ(EncodeTitle(m, c.channel).refusal, kStatusCommandError);
  }
}

TEST(TitleCommand, PrepareRefusesAnUnterminatedTitle) {
  SettingsModel m;
  m.title.text[0].fill('\x82');  // 21 bytes, no terminator
  TitleWorkBuffer work;
  EXPECT_EQ(PrepareTitle(m, 0, work), 0);
  EXPECT_EQ(work[kTitleBytes], '\0');
}

TEST(TitleCommand, UnencodableCharactersAreRefusedWithoutStatus) {
  const TitleCase cases[] = {
      {"two half-width letters", kA + "xy", 0, 1, nullptr},
      {"half-width pair at the end", FullWidthLetters(9) + "ab", 0, 1, nullptr},
      {"half-width katakana pair", "\xb1\xb2", 0, 1, nullptr},
      {"user-defined area first code", "\xf0\x40", 0, 1, nullptr},
      {"user-defined area last code", "\xf9\xfc", 0, 1, nullptr},
      {"IBM roman numeral one (no NEC-selected cell)", "\xfa\x4a", 0, 1, nullptr},
      {"IBM code 0xFA58", "\xfa\x58", 0, 1, nullptr},
      {"IBM code above the table", "\xfc\x4c", 0, 1, nullptr},
      {"lead byte with a half-width trail", "\x82\x20", 0, 1, nullptr},
      // Lead byte 0xEF lands in rows 0x7D/0x7E, beyond the unit's last cell.
      {"unassigned code 0xEF40", "\xef\x40", 0, 1, nullptr},
      {"unassigned code 0xEFFC", "\xef\xfc", 0, 1, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingSession r;
    TitleWorkBuffer work;
    ASSERT_EQ(Prepared(c, r, work), c.prepared);
    EXPECT_EQ(SendTitle(r.session, c.channel, work), 1);
    EXPECT_TRUE(r.port.frames.empty());
    // A single Set click only shows the title message: no unit status.
    EXPECT_EQ(r.session.replyWait.unitStatus, kStatusNone);
    EXPECT_EQ(r.session.replyWait.ackPending, 0);
    EXPECT_EQ(EncodeTitle(r.session.model, c.channel).refusal, kStatusCommandError);
  }
}

TEST(TitleCommand, SendTitleOfAnUnpreparedBufferIsRefused) {
  RecordingSession r;
  TitleWorkBuffer work{};
  EXPECT_EQ(SendTitle(r.session, 0, work), 1);
  EXPECT_EQ(SendTitle(r.session, 16, work), 1);
  EXPECT_TRUE(r.port.frames.empty());
}

// The title's offsets as a row's set-up.
template <int kValue>
void Vertical(SettingsModel& m) {
  m.titlePosition.vertical = kValue;
}
template <int kValue>
void Horizontal(SettingsModel& m) {
  m.titlePosition.horizontal = kValue;
}

TEST(TitleCommands, DisplayFontAndOffset) {
  const CommandCase cases[] = {
      {"single display default", nullptr, EncodeTitleDisplaySingle, SendTitleDisplaySingle,
       "CTDSON\r\n"},
      {"single display off", [](SettingsModel& m) { m.titleDisplay.single = 0; },
       EncodeTitleDisplaySingle, SendTitleDisplaySingle, "CTDSOF\r\n"},
      {"single display 2", [](SettingsModel& m) { m.titleDisplay.single = 2; },
       EncodeTitleDisplaySingle, SendTitleDisplaySingle, ""},
      {"split display default", nullptr, EncodeTitleDisplaySplit, SendTitleDisplaySplit,
       "CTDDON\r\n"},
      {"split display off", [](SettingsModel& m) { m.titleDisplay.split = 0; },
       EncodeTitleDisplaySplit, SendTitleDisplaySplit, "CTDDOF\r\n"},
      {"split display -1", [](SettingsModel& m) { m.titleDisplay.split = -1; },
       EncodeTitleDisplaySplit, SendTitleDisplaySplit, ""},
      // Font sizes have no range check: "L" for 1, "S" for anything else.
      {"single font default", nullptr, EncodeFontSizeSingle, SendFontSizeSingle, "CTFSSL\r\n"},
      {"single font small", [](SettingsModel& m) { m.fontSize.single = 0; }, EncodeFontSizeSingle,
       SendFontSizeSingle, "CTFSSS\r\n"},
      {"single font 5", [](SettingsModel& m) { m.fontSize.single = 5; }, EncodeFontSizeSingle,
       SendFontSizeSingle, "CTFSSS\r\n"},
      {"split font default", nullptr, EncodeFontSizeSplit, SendFontSizeSplit, "CTFSDL\r\n"},
      {"split font -1", [](SettingsModel& m) { m.fontSize.split = -1; }, EncodeFontSizeSplit,
       SendFontSizeSplit, "CTFSDS\r\n"},
      {"vertical default", nullptr, EncodeTitleOffsetVertical, SendTitleOffsetVertical,
       "OOV08\r\n"},
      {"vertical 0", Vertical<0>, EncodeTitleOffsetVertical, SendTitleOffsetVertical, "OOV00\r\n"},
      {"vertical 15", Vertical<15>, EncodeTitleOffsetVertical, SendTitleOffsetVertical,
       "OOV15\r\n"},
      {"vertical 16", Vertical<16>, EncodeTitleOffsetVertical, SendTitleOffsetVertical, ""},
      {"vertical -1", Vertical<-1>, EncodeTitleOffsetVertical, SendTitleOffsetVertical, ""},
      {"horizontal default", nullptr, EncodeTitleOffsetHorizontal, SendTitleOffsetHorizontal,
       "OOH08\r\n"},
      {"horizontal 10", Horizontal<10>, EncodeTitleOffsetHorizontal, SendTitleOffsetHorizontal,
       "OOH10\r\n"},
      {"horizontal 16", Horizontal<16>, EncodeTitleOffsetHorizontal, SendTitleOffsetHorizontal, ""},
      {"horizontal -1", Horizontal<-1>, EncodeTitleOffsetHorizontal, SendTitleOffsetHorizontal, ""},
  };
  ExpectCommands(cases);
}

}  // namespace
}  // namespace korvex7
