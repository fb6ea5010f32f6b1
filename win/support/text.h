// Text conversion at the edge between the core and Win32. The core keeps
// UTF-8 (messages, file names) and code-page-932 bytes (titles); every Win32
// call takes UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace korvex7::win {

inline constexpr unsigned kCodePageShiftJis = 932;

// Both directions replace invalid input by the system's replacement
// character rather than failing; an empty input gives an empty result.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// Code page 932 (Shift_JIS) bytes, as the titles are stored, to UTF-16.
std::wstring Cp932ToWide(std::string_view text);

// Text of a Win32 error code, for diagnostics.
std::wstring SystemErrorText(unsigned long error);

}  // namespace korvex7::win
