// The title box's characters in code page 932: exact codes only, never a
// best-fit look-alike; what cannot be stored is refused by the title encoder.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "core/commands/title_commands.h"
#include "core/ui/title_dialog_logic.h"
#include "win/dialogs/title_characters.h"

namespace korvex7::win {
namespace {

TEST(TitleCharactersTest, EachCharacterGetsItsExactCode) {
  struct Row {
    const wchar_t* name;
    std::wstring typed;
    std::string cp932;  // empty: no exact code
  };
  const Row rows[] = {
      {L"katakana", L"カ", "\x83\x4a"},
      {L"full-width letter", L"Ａ", "\x82\x60"},
      {L"full-width blank", L"　", "\x81\x40"},
      {L"kanji", L"亜", "\x88\x9f"},
      {L"half-width letter", L"a", "a"},
      {L"half-width katakana", L"ｱ", "\xb1"},
      {L"NEC special character", L"①", "\x87\x40"},
      {L"IBM extension", L"ⅰ", "\xfa\x40"},
      {L"full-width tilde", L"～", "\x81\x60"},
      // Look-alikes that a best-fit conversion would turn into another code.
      {L"wave dash", L"〜", ""},
      {L"minus sign", L"−", ""},
      {L"e acute", L"é", ""},
      {L"a character outside the BMP", L"\U0002000B", ""},
      {L"a lone high surrogate", std::wstring(1, static_cast<wchar_t>(0xD840)), ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto chars = TitleCharacters(row.typed);
    ASSERT_EQ(chars.size(), 1u);
    EXPECT_EQ(chars[0].cp932, row.cp932);
    EXPECT_EQ(TypedText(chars), row.typed);
  }
}

TEST(TitleCharactersTest, ATextSplitsIntoItsCharacters) {
  const std::wstring typed = L"カフェé\U0002000Ba";
  const auto chars = TitleCharacters(typed);
  ASSERT_EQ(chars.size(), 6u);
  EXPECT_EQ(chars[4].typed.size(), 2u);
  EXPECT_EQ(TypedText(chars), typed);
  EXPECT_EQ(CharacterUnits(typed, 4), 2u);
  EXPECT_EQ(CharacterUnits(typed, 0), 1u);
}

// From the box to the wire: a title with a character the code page cannot
// hold is stored so that the encoder refuses it; the same title without that
// character goes out.
TEST(TitleCharactersTest, AnUncodableCharacterIsRefusedNotReplaced) {
  const std::wstring titles[] = {L"カフェ〜", L"〜カフェ", L"ＡＢ−ＣＤ", L"é", L"\U0002000B"};
  for (const std::wstring& typed : titles) {
    SCOPED_TRACE(testing::Message() << typed.size() << " units");
    const auto chars = TitleCharacters(typed);
    const TitleText932 stored = ComposeTitle(std::span<const TitleCharacter>(chars));
    EXPECT_TRUE(stored.unencodable);
    SettingsModel m;
    SetText(m.title.text[0], stored.bytes);
    EXPECT_FALSE(EncodeTitle(m, 0).ok());
  }
  const auto chars = TitleCharacters(L"カフェ");
  SettingsModel m;
  SetText(m.title.text[0], ComposeTitle(std::span<const TitleCharacter>(chars)).bytes);
  EXPECT_EQ(EncodeTitle(m, 0).text, "CJ01252B255525272121212121212121212121212121\r\n");
}

}  // namespace
}  // namespace korvex7::win
