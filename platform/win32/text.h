// Text at the edge between portable code and Win32: the portable code keeps
// UTF-8 (messages, file names, the operator's port names), every Win32 call
// takes UTF-16. And the operating system's words for an error code.
#pragma once

#include <string>
#include <string_view>

namespace korvex7::win32 {

// Bytes of a code page (CP_UTF8, 932, ...) to UTF-16. Invalid input becomes
// the system's replacement character rather than failing; an empty input
// gives an empty result.
std::wstring CodePageToWide(unsigned codePage, std::string_view text);

// UTF-8 and UTF-16, both directions as lenient as CodePageToWide.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// The system's words for a Win32 error code, in UTF-8: "Access denied.";
// "system error" when the system has none.
std::string OsErrorWords(unsigned long error);

// The same with the code: "Access denied. (5)".
std::string OsErrorText(unsigned long error);

}  // namespace korvex7::win32
