#include "win/serial/link_profile.h"

#include <windows.h>

#include "win/serial/device_server_link.h"

#include <iterator>

namespace korvex7::win {

namespace {

constexpr int kHighestComPort = 256;
constexpr wchar_t kOtherPortValue[] = L"-";
// Stands for an absent key: a profile value never holds it.
constexpr wchar_t kAbsent[] = L"\x01";

std::optional<std::wstring> ReadValue(const wchar_t* key) {
  wchar_t buffer[512] = {};
  const DWORD n = GetPrivateProfileStringW(kProfileSection, key, kAbsent, buffer,
                                           static_cast<DWORD>(std::size(buffer)), kProfileFile);
  const std::wstring value(buffer, n);
  if (value == kAbsent) return std::nullopt;
  return value;
}

bool IsDigitValue(const std::optional<std::wstring>& value, wchar_t highest) {
  return value && value->size() == 1 && (*value)[0] >= L'0' && (*value)[0] <= highest;
}

}  // namespace

std::optional<std::wstring> CanonicalPortName(std::wstring_view text) {
  const auto upper = [](wchar_t c) { return c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c; };
  if (text.size() < 4 || upper(text[0]) != L'C' || upper(text[1]) != L'O' ||
      upper(text[2]) != L'M') {
    return std::nullopt;
  }
  int number = 0;
  for (const wchar_t c : text.substr(3)) {
    if (c < L'0' || c > L'9') return std::nullopt;
    number = number * 10 + (c - L'0');
    if (number > kHighestComPort) return std::nullopt;
  }
  if (number == 0) return std::nullopt;
  return L"COM" + std::to_wstring(number);
}

int LegacyComPortIndex(std::wstring_view port) {
  const std::optional<std::wstring> name = CanonicalPortName(port);
  if (!name || name->size() != 4 || (*name)[3] < L'1' || (*name)[3] > L'6') return -1;
  return (*name)[3] - L'1';
}

std::wstring ComPortValue(std::wstring_view port) {
  const int index = LegacyComPortIndex(port);
  if (index < 0) return kOtherPortValue;
  return std::wstring(1, static_cast<wchar_t>(L'0' + index));
}

LinkProfile ParseLinkProfile(const StoredProfile& stored) {
  LinkProfile profile;
  if (IsDigitValue(stored.comPort, L'5')) {
    profile.port = L"COM" + std::to_wstring((*stored.comPort)[0] - L'0' + 1);
  } else if (stored.port) {
    // Any other "com_port" (an out-of-range digit of a hand-edited file
    // included) defers to "port" when it names a port, else means COM1.
    if (const std::optional<std::wstring> name = CanonicalPortName(*stored.port)) {
      profile.port = *name;
    } else if (const std::optional<std::wstring> server = CanonicalDeviceServerName(*stored.port)) {
      profile.port = *server;
    }
  }
  profile.mode = IsDigitValue(stored.control, L'1') && (*stored.control)[0] == L'1' ? 1 : 0;
  profile.handshake = !(stored.handshake && *stored.handshake == L"0");
  return profile;
}

std::vector<ProfileEntry> ProfileChanges(const LinkProfile& before, const LinkProfile& after) {
  std::vector<ProfileEntry> entries;
  if (before.port != after.port) {
    if (ComPortValue(before.port) != ComPortValue(after.port)) {
      entries.push_back({kComPortKey, ComPortValue(after.port)});
    }
    entries.push_back({kPortKey, after.port});
  }
  if (before.mode != after.mode) entries.push_back({kControlKey, after.mode == 1 ? L"1" : L"0"});
  if (before.handshake != after.handshake) {
    entries.push_back({kHandshakeKey, after.handshake ? L"1" : L"0"});
  }
  return entries;
}

LinkProfile ReadLinkProfile() {
  StoredProfile stored;
  stored.comPort = ReadValue(kComPortKey);
  stored.port = ReadValue(kPortKey);
  stored.control = ReadValue(kControlKey);
  stored.handshake = ReadValue(kHandshakeKey);
  return ParseLinkProfile(stored);
}

bool WriteProfileEntries(const std::vector<ProfileEntry>& entries) {
  bool written = true;
  for (const ProfileEntry& entry : entries) {
    written &= WritePrivateProfileStringW(kProfileSection, entry.key, entry.value.c_str(),
                                          kProfileFile) != FALSE;
  }
  return written;
}

}  // namespace korvex7::win
