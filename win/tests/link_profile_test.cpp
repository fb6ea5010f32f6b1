// The profile file values: what each stored text means, what a change
// writes, what an earlier version of the program makes of it, and the round
// trip through the real profile functions.
#include "win/serial/link_profile.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

namespace korvex7::win {
namespace {

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

std::optional<std::wstring> V(const wchar_t* text) {
  if (text == nullptr) return std::nullopt;
  return std::wstring(text);
}

TEST(LinkProfileTest, PortNames) {
  const std::pair<const wchar_t*, const wchar_t*> rows[] = {
      {L"COM1", L"COM1"},
      {L"com12", L"COM12"},
      {L"Com256", L"COM256"},
      {L"COM007", L"COM7"},
      {L"COM257", nullptr},
      {L"COM0", nullptr},
      {L"COM", nullptr},
      {L"COM1 ", nullptr},
      {L"COMX", nullptr},
      {L"LPT1", nullptr},
      {L"", nullptr},
      {L"\\\\.\\COM3", nullptr},
      {L"COM99999999999", nullptr},
  };
  for (const auto& [text, name] : rows) {
    SCOPED_TRACE(Narrow(text));
    EXPECT_EQ(CanonicalPortName(text), V(name));
  }
}

struct ParseRow {
  const wchar_t* comPort;  // null: the key is absent
  const wchar_t* port;
  const wchar_t* control;
  const wchar_t* handshake;
  LinkProfile expected;
};

TEST(LinkProfileTest, StoredValues) {
  const ParseRow rows[] = {
      // Nothing stored: COM1, RS-232C, handshake.
      {nullptr, nullptr, nullptr, nullptr, {L"COM1", 0, true}},
      // An earlier version's file: one digit per key.
      {L"0", nullptr, L"0", nullptr, {L"COM1", 0, true}},
      {L"3", nullptr, L"1", nullptr, {L"COM4", 1, true}},
      {L"5", nullptr, L"0", nullptr, {L"COM6", 0, true}},
      // Ports after COM6: "-" and the name.
      {L"-", L"COM12", L"0", nullptr, {L"COM12", 0, true}},
      {L"-", L"com7", L"1", L"0", {L"COM7", 1, false}},
      // An earlier version chose COM3 since: its digit stands.
      {L"2", L"COM12", L"0", nullptr, {L"COM3", 0, true}},
      // The name alone (a hand-written file) is taken too.
      {nullptr, L"COM9", nullptr, nullptr, {L"COM9", 0, true}},
      // Values that mean nothing: the defaults.
      {L"6", nullptr, L"2", L"x", {L"COM1", 0, true}},
      {L"9", nullptr, L"", L"", {L"COM1", 0, true}},
      {L"12", nullptr, L"01", L"1", {L"COM1", 0, true}},
      {L"-", L"COM0", L"-1", L"00", {L"COM1", 0, true}},
      {L"-", L"tcp://", L"a", L"no", {L"COM1", 0, true}},
      {L"", L"", L"1 ", nullptr, {L"COM1", 0, true}},
      {L"\x0661", nullptr, L"\x0661", nullptr, {L"COM1", 0, true}},
      {L"1", nullptr, L"1", L"1", {L"COM2", 1, true}},
      // A serial device server beside "com_port" "-".
      {L"-", L"tcp://10.0.0.5:4001", L"1", nullptr, {L"tcp://10.0.0.5:4001", 1, true}},
      {L"-",
       L"RFC2217://ds1.example:2217",
       L"0",
       nullptr,
       {L"rfc2217://ds1.example:2217", 0, true}},
      {L"-", L"tcp://[fe80::1]:4001", nullptr, nullptr, {L"tcp://[fe80::1]:4001", 0, true}},
      // An earlier version chose COM3 since: its digit stands.
      {L"2", L"tcp://10.0.0.5:4001", L"0", nullptr, {L"COM3", 0, true}},
      // Addresses that are none: COM1.
      {L"-", L"tcp://10.0.0.5:0", nullptr, nullptr, {L"COM1", 0, true}},
      {L"-", L"tcp://10.0.0.5", nullptr, nullptr, {L"COM1", 0, true}},
      {L"-", L"udp://10.0.0.5:4001", nullptr, nullptr, {L"COM1", 0, true}},
      {L"-", L"tcp://fe80::1:4001", nullptr, nullptr, {L"COM1", 0, true}},
  };
  for (const ParseRow& row : rows) {
    SCOPED_TRACE(Narrow(row.comPort ? row.comPort : L"(none)") + " / " +
                 Narrow(row.port ? row.port : L"(none)"));
    const StoredProfile stored{V(row.comPort), V(row.port), V(row.control), V(row.handshake)};
    EXPECT_EQ(ParseLinkProfile(stored), row.expected);
  }
}

// An earlier version reads "com_port" with room for one character and
// takes it as a decimal number; 0..5 is COM1..COM6, anything else COM1.
int EarlierVersionReads(const std::wstring& stored) {
  if (stored.empty() || stored[0] < L'0' || stored[0] > L'9') return 0;
  const int n = stored[0] - L'0';
  return n <= 5 ? n : 0;
}

TEST(LinkProfileTest, AnEarlierVersionFallsBackToCom1) {
  for (int n = 1; n <= 256; ++n) {
    const std::wstring port = L"COM" + std::to_wstring(n);
    SCOPED_TRACE(Narrow(port));
    const std::wstring stored = ComPortValue(port);
    EXPECT_EQ(LegacyComPortIndex(port), n <= 6 ? n - 1 : -1);
    EXPECT_EQ(EarlierVersionReads(stored), n <= 6 ? n - 1 : 0);
    // This version reads back what it wrote.
    EXPECT_EQ(ParseLinkProfile({stored, port, std::nullopt, std::nullopt}).port, port);
  }
}

TEST(LinkProfileTest, AnEarlierVersionOpensCom1ForADeviceServer) {
  for (const wchar_t* server : {L"tcp://10.0.0.5:4001", L"rfc2217://[::1]:2217"}) {
    SCOPED_TRACE(Narrow(server));
    const std::wstring stored = ComPortValue(server);
    EXPECT_EQ(stored, L"-");
    EXPECT_EQ(EarlierVersionReads(stored), 0);
    EXPECT_EQ(ParseLinkProfile({stored, server, std::nullopt, std::nullopt}).port, server);
  }
}

TEST(LinkProfileTest, OnlyChangedValuesAreWritten) {
  struct Row {
    const char* name;
    LinkProfile before;
    LinkProfile after;
    std::vector<ProfileEntry> written;
  };
  const Row rows[] = {
      {"nothing changed", {L"COM3", 1, true}, {L"COM3", 1, true}, {}},
      {"line mode", {L"COM1", 0, true}, {L"COM1", 1, true}, {{kControlKey, L"1"}}},
      {"COM1 to COM3",
       {L"COM1", 0, true},
       {L"COM3", 0, true},
       {{kComPortKey, L"2"}, {kPortKey, L"COM3"}}},
      {"COM3 to COM12",
       {L"COM3", 0, true},
       {L"COM12", 0, true},
       {{kComPortKey, L"-"}, {kPortKey, L"COM12"}}},
      {"COM12 to COM13: com_port stays \"-\"",
       {L"COM12", 0, true},
       {L"COM13", 0, true},
       {{kPortKey, L"COM13"}}},
      {"COM12 to COM6",
       {L"COM12", 1, true},
       {L"COM6", 1, true},
       {{kComPortKey, L"5"}, {kPortKey, L"COM6"}}},
      {"handshake off", {L"COM1", 0, true}, {L"COM1", 0, false}, {{kHandshakeKey, L"0"}}},
      {"handshake on", {L"COM1", 0, false}, {L"COM1", 0, true}, {{kHandshakeKey, L"1"}}},
      {"COM3 to a device server",
       {L"COM3", 0, true},
       {L"tcp://10.0.0.5:4001", 0, true},
       {{kComPortKey, L"-"}, {kPortKey, L"tcp://10.0.0.5:4001"}}},
      {"one device server to another: com_port stays \"-\"",
       {L"tcp://10.0.0.5:4001", 1, true},
       {L"rfc2217://10.0.0.5:4002", 1, true},
       {{kPortKey, L"rfc2217://10.0.0.5:4002"}}},
      {"a device server to COM2",
       {L"rfc2217://10.0.0.5:4002", 0, true},
       {L"COM2", 0, true},
       {{kComPortKey, L"1"}, {kPortKey, L"COM2"}}},
      {"everything",
       {L"COM2", 0, true},
       {L"COM20", 1, false},
       {{kComPortKey, L"-"}, {kPortKey, L"COM20"}, {kControlKey, L"1"}, {kHandshakeKey, L"0"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ProfileChanges(row.before, row.after), row.written);
  }
}

// Keeps the machine's own profile values and puts them back afterwards.
class SavedProfile {
 public:
  SavedProfile() {
    for (int i = 0; i < kCount; ++i) {
      wchar_t buffer[64] = {};
      present_[i] = GetPrivateProfileStringW(kProfileSection, kKeys[i], L"\x01", buffer, 64,
                                             kProfileFile) != 1 ||
                    buffer[0] != L'\x01';
      values_[i] = buffer;
    }
  }
  ~SavedProfile() {
    for (int i = 0; i < kCount; ++i) {
      WritePrivateProfileStringW(kProfileSection, kKeys[i],
                                 present_[i] ? values_[i].c_str() : nullptr, kProfileFile);
    }
  }
  void Clear() {
    for (const wchar_t* key : kKeys) {
      WritePrivateProfileStringW(kProfileSection, key, nullptr, kProfileFile);
    }
  }

 private:
  static constexpr int kCount = 4;
  static constexpr const wchar_t* kKeys[kCount] = {kComPortKey, kPortKey, kControlKey,
                                                   kHandshakeKey};
  bool present_[kCount] = {};
  std::wstring values_[kCount];
};

TEST(LinkProfileTest, WrittenValuesReadBack) {
  SavedProfile keep;
  keep.Clear();
  EXPECT_EQ(ReadLinkProfile(), (LinkProfile{L"COM1", 0, true}));
  const LinkProfile rows[] = {
      {L"COM4", 1, true},
      {L"COM12", 0, false},
      {L"tcp://10.0.0.5:4001", 1, false},
      {L"rfc2217://[2001:db8::7]:2217", 1, true},
      {L"COM256", 1, false},
      {L"COM6", 0, true},
      {L"COM1", 0, true},
  };
  LinkProfile before = ReadLinkProfile();
  for (const LinkProfile& row : rows) {
    SCOPED_TRACE(Narrow(row.port));
    ASSERT_TRUE(WriteProfileEntries(ProfileChanges(before, row)));
    EXPECT_EQ(ReadLinkProfile(), row);
    before = row;
  }
}

TEST(LinkProfileTest, HandEditedValuesMeanTheDefaults) {
  SavedProfile keep;
  keep.Clear();
  const wchar_t* const rows[] = {L"7", L"x", L"99", L""};
  for (const wchar_t* stored : rows) {
    SCOPED_TRACE(Narrow(stored));
    for (const wchar_t* key : {kComPortKey, kPortKey, kControlKey, kHandshakeKey}) {
      ASSERT_TRUE(WritePrivateProfileStringW(kProfileSection, key, stored, kProfileFile));
    }
    EXPECT_EQ(ReadLinkProfile(), (LinkProfile{L"COM1", 0, true}));
  }
}

}  // namespace
}  // namespace korvex7::win
