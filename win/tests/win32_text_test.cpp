// The one pair of conversions between a code page and UTF-16: the exact
// strength refuses what the lenient one replaces, and each gives back what it
// was given when the text is whole.
#include "platform/win32/text.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace korvex7::win32 {
namespace {

const std::wstring kLoneSurrogate(1, static_cast<wchar_t>(0xD840));

TEST(Win32TextTest, ToUtf16) {
  struct Row {
    const char* name;
    unsigned codePage;
    std::string bytes;
    std::optional<std::wstring> exact;  // nothing: refused
  };
  const Row rows[] = {
      {"empty", kCodePageShiftJis, "", L""},
      {"kana", kCodePageShiftJis, "\x82\xa0\x83\x4a", L"あカ"},
      {"half-width", kCodePageShiftJis, "a\xb1", L"aｱ"},
      {"NEC special", kCodePageShiftJis, "\x87\x40", L"①"},
      {"lead byte alone", kCodePageShiftJis, "A\x82", std::nullopt},
      {"UTF-8", kCodePageUtf8, "\xe5\x85\xa5\xe5\x8f\xa3", L"入口"},
      {"broken UTF-8", kCodePageUtf8, "a\xff", std::nullopt},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(CodePageToWideExact(r.codePage, r.bytes), r.exact);
    // The lenient strength gives the same for whole text, and something for
    // broken text.
    const std::wstring lenient = CodePageToWide(r.codePage, r.bytes);
    if (r.exact) {
      EXPECT_EQ(lenient, *r.exact);
    } else {
      EXPECT_FALSE(lenient.empty());
    }
  }
  EXPECT_EQ(Utf8ToWide("\xe5\x85\xa5"), L"入");
}

TEST(Win32TextTest, FromUtf16) {
  struct Row {
    const char* name;
    unsigned codePage;
    std::wstring text;
    std::optional<std::string> exact;  // nothing: refused
  };
  const Row rows[] = {
      {"empty", kCodePageShiftJis, L"", ""},
      {"kanji", kCodePageShiftJis, L"入口", "\x93\xfc\x8c\xfb"},
      {"NEC special", kCodePageShiftJis, L"①", "\x87\x40"},
      // Look-alikes a best-fit conversion would give another character's code.
      {"wave dash", kCodePageShiftJis, L"〜", std::nullopt},
      {"e acute", kCodePageShiftJis, L"é", std::nullopt},
      {"euro sign", kCodePageShiftJis, L"€", std::nullopt},
      {"UTF-8", kCodePageUtf8, L"入口", "\xe5\x85\xa5\xe5\x8f\xa3"},
      {"lone surrogate to UTF-8", kCodePageUtf8, kLoneSurrogate, std::nullopt},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(WideToCodePageExact(r.codePage, r.text), r.exact);
    if (r.exact) {
      EXPECT_EQ(WideToCodePage(r.codePage, r.text), *r.exact);
    }
  }
  // The lenient strength puts the code page's default character where the
  // exact one refuses.
  EXPECT_EQ(WideToCodePage(kCodePageShiftJis, L"A€B"), "A?B");
  EXPECT_EQ(WideToUtf8(L"入"), "\xe5\x85\xa5");
}

}  // namespace
}  // namespace korvex7::win32
