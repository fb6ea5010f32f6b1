// Text conversion at the edge between the core and the windows. The core
// keeps UTF-8 (messages, file names) and code-page-932 bytes (titles); every
// Win32 call takes UTF-16. UTF-8 comes from the platform layer
// (platform/win32/text.h).
#pragma once

#include <string>
#include <string_view>

#include "platform/win32/text.h"

namespace korvex7::win {

using win32::kCodePageShiftJis;
using win32::Utf8ToWide;
using win32::WideToUtf8;

// Code page 932 (Shift_JIS) bytes, as the titles are stored, to UTF-16;
// invalid bytes become the system's replacement character.
std::wstring Cp932ToWide(std::string_view text);

}  // namespace korvex7::win
