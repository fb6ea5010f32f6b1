#include "win/serial/link_profile.h"

#include <windows.h>

#include <iterator>

namespace korvex7::win {

namespace {

std::int32_t SingleDigit(std::wstring_view value, wchar_t highest) {
  if (value.size() != 1 || value[0] < L'0' || value[0] > highest) return -1;
  return value[0] - L'0';
}

std::wstring_view ReadValue(const wchar_t* key, wchar_t (&buffer)[16]) {
  const DWORD n = GetPrivateProfileStringW(kProfileSection, key, L"0", buffer,
                                           static_cast<DWORD>(std::size(buffer)), kProfileFile);
  return std::wstring_view(buffer, n);
}

}  // namespace

std::int32_t ParseComPortValue(std::wstring_view value) {
  const std::int32_t port = SingleDigit(value, L'5');
  return port < 0 ? 0 : port;
}

std::int32_t ParseControlValue(std::wstring_view value) {
  return SingleDigit(value, L'1') == 1 ? 1 : 0;
}

wchar_t ProfileDigit(std::int32_t value) {
  if (value < 0 || value > 9) return L'0';
  return static_cast<wchar_t>(L'0' + value);
}

LinkProfile ReadLinkProfile() {
  LinkProfile profile;
  wchar_t buffer[16] = {};
  profile.comPort = ParseComPortValue(ReadValue(kComPortKey, buffer));
  profile.mode = ParseControlValue(ReadValue(kControlKey, buffer));
  return profile;
}

bool WriteLinkProfileValue(const wchar_t* key, std::int32_t value) {
  const wchar_t digit[2] = {ProfileDigit(value), L'\0'};
  return WritePrivateProfileStringW(kProfileSection, key, digit, kProfileFile) != FALSE;
}

}  // namespace korvex7::win
