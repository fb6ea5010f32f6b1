// Text at the edge between portable code and Win32: the portable code keeps
// UTF-8 (messages, file names, the operator's port names) and code-page-932
// bytes (titles), every Win32 call takes UTF-16. And the operating system's
// words for an error code.
//
// The one pair of conversions between a code page and UTF-16, in two
// strengths:
//   lenient  bytes that are not text of the code page become the system's
//            replacement character, and characters the code page lacks its
//            default character ("?"); never fails.
//   exact    nothing (std::nullopt) for bytes that are not text of the code
//            page or a character the code page lacks: no replacement, no
//            best-fit look-alike, no default character.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvex7::win32 {

inline constexpr unsigned kCodePageShiftJis = 932;
inline constexpr unsigned kCodePageUtf8 = 65001;  // CP_UTF8

// Lenient; an empty input gives an empty result.
std::wstring CodePageToWide(unsigned codePage, std::string_view text);
std::string WideToCodePage(unsigned codePage, std::wstring_view text);

// Exact; an empty input gives an empty result.
std::optional<std::wstring> CodePageToWideExact(unsigned codePage, std::string_view text);
std::optional<std::string> WideToCodePageExact(unsigned codePage, std::wstring_view text);

// UTF-8 and UTF-16, lenient.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// The system's words for a Win32 error code, in UTF-8: "Access denied.";
// "system error" when the system has none.
std::string OsErrorWords(unsigned long error);

// The same with the code: "Access denied. (5)".
std::string OsErrorText(unsigned long error);

}  // namespace korvex7::win32
