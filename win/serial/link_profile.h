// The profile file "KORVEX7.ini": the link settings kept between runs, in
// section "KORVEX7_section". The file is named without a folder, so the
// profile functions keep it in their default place (the Windows folder).
//
//   com_port   "0".."5" for COM1..COM6. Any other port is stored as "-",
//              which an earlier version of the program reads as COM1: it
//              takes the first character as a decimal digit, so "12" would
//              have been COM2 to it.
//   port       the port's name: "COM12" (written for COM1..COM6 too). It is
//              read only when "com_port" holds no digit 0..5: an earlier
//              version changes "com_port" alone, and its choice stands. It
//              holds the address of a serial device server too
//              ("tcp://HOST:PORT", "rfc2217://HOST:PORT", HOST a name, an
//              IPv4 address or an IPv6 address in brackets) beside
//              "com_port" = "-", so an earlier version opens COM1 instead.
//   control    "0" RS-232C, "1" RS-485.
//   handshake  "1" (or absent): CTS, DTR and RTS handshake and XON/XOFF, as
//              the unit's line is specified; "0": no handshake.
//
// A missing file or key, or a value that means nothing, gives the default:
// COM1, RS-232C, handshake. Only the keys whose value changed are written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex7::win {

inline constexpr wchar_t kProfileFile[] = L"KORVEX7.ini";
inline constexpr wchar_t kProfileSection[] = L"KORVEX7_section";
inline constexpr wchar_t kComPortKey[] = L"com_port";
inline constexpr wchar_t kPortKey[] = L"port";
inline constexpr wchar_t kControlKey[] = L"control";
inline constexpr wchar_t kHandshakeKey[] = L"handshake";

struct LinkProfile {
  std::wstring port = L"COM1";
  std::int32_t mode = 0;  // 0 RS-232C, 1 RS-485
  bool handshake = true;

  friend bool operator==(const LinkProfile&, const LinkProfile&) = default;
};

// The values as the file holds them; empty when a key is absent.
struct StoredProfile {
  std::optional<std::wstring> comPort;
  std::optional<std::wstring> port;
  std::optional<std::wstring> control;
  std::optional<std::wstring> handshake;
};

// A port name as the profile keeps it: "COM1".."COM256" in capitals without
// leading zeros; nothing for any other text.
std::optional<std::wstring> CanonicalPortName(std::wstring_view text);

// "COM1".."COM6" as their index 0..5; -1 for any other port.
int LegacyComPortIndex(std::wstring_view port);

// What "com_port" stores for a port: "0".."5", or "-".
std::wstring ComPortValue(std::wstring_view port);

LinkProfile ParseLinkProfile(const StoredProfile& stored);

struct ProfileEntry {
  const wchar_t* key;
  std::wstring value;

  friend bool operator==(const ProfileEntry&, const ProfileEntry&) = default;
};

// The keys to write when the settings go from `before` to `after`, in order.
std::vector<ProfileEntry> ProfileChanges(const LinkProfile& before, const LinkProfile& after);

// Reads the profile file; absent keys give the defaults.
LinkProfile ReadLinkProfile();

// Writes the entries; false when one could not be written.
bool WriteProfileEntries(const std::vector<ProfileEntry>& entries);

}  // namespace korvex7::win
