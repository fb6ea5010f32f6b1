// The profile file "KORVEX7.ini": the COM port and the line mode, the only
// settings kept between runs. Section "KORVEX7_section", keys "com_port"
// ("0".."5" for COM1..COM6) and "control" ("0" RS-232C, "1" RS-485). The file
// is named without a folder, so the profile functions keep it in their
// default place (the Windows folder).
#pragma once

#include <cstdint>
#include <string_view>

namespace korvex7::win {

inline constexpr wchar_t kProfileFile[] = L"KORVEX7.ini";
inline constexpr wchar_t kProfileSection[] = L"KORVEX7_section";
inline constexpr wchar_t kComPortKey[] = L"com_port";
inline constexpr wchar_t kControlKey[] = L"control";

struct LinkProfile {
  std::int32_t comPort = 0;  // 0..5
  std::int32_t mode = 0;     // 0 RS-232C, 1 RS-485
};

// A stored "com_port" value: "0".."5" give that port; anything else (absent,
// empty, out of range, not a digit, more than one character) means COM1.
std::int32_t ParseComPortValue(std::wstring_view value);

// A stored "control" value: "1" is RS-485; anything else is RS-232C.
std::int32_t ParseControlValue(std::wstring_view value);

// The digit stored for a value ("0".."9"); values outside 0..9 store "0".
wchar_t ProfileDigit(std::int32_t value);

// Reads both keys from the profile file; absent keys give the defaults.
LinkProfile ReadLinkProfile();

// Writes one key as a single digit; false when the profile file could not be
// written.
bool WriteLinkProfileValue(const wchar_t* key, std::int32_t value);

}  // namespace korvex7::win
