// The profile file values: what each stored text means, and the round trip
// through the real profile functions.
#include "win/serial/link_profile.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

namespace korvex7::win {
namespace {

struct ParseRow {
  const wchar_t* stored;
  std::int32_t comPort;
  std::int32_t mode;
};

TEST(LinkProfileTest, StoredValues) {
  const ParseRow rows[] = {
      {L"0", 0, 0},
      {L"1", 1, 1},
      {L"2", 2, 0},
      {L"3", 3, 0},
      {L"4", 4, 0},
      {L"5", 5, 0},
      // Out of range or not one digit: COM1, RS-232C.
      {L"6", 0, 0},
      {L"9", 0, 0},
      {L"", 0, 0},
      {L"12", 0, 0},
      {L"10", 0, 0},
      {L"-1", 0, 0},
      {L"a", 0, 0},
      {L"1 ", 0, 0},
      {L"01", 0, 0},
      {L"\x0661", 0, 0},
  };
  for (const ParseRow& row : rows) {
    SCOPED_TRACE(std::wstring(L"stored \"") + row.stored + L"\"");
    EXPECT_EQ(ParseComPortValue(row.stored), row.comPort);
    EXPECT_EQ(ParseControlValue(row.stored), row.mode);
  }
}

TEST(LinkProfileTest, DigitsWritten) {
  const std::pair<std::int32_t, wchar_t> rows[] = {
      {0, L'0'}, {1, L'1'}, {5, L'5'}, {9, L'9'}, {-1, L'0'}, {10, L'0'}, {32, L'0'},
  };
  for (const auto& [value, digit] : rows) {
    SCOPED_TRACE(value);
    EXPECT_EQ(ProfileDigit(value), digit);
  }
}

// Keeps the machine's own profile values and puts them back afterwards.
class SavedProfile {
 public:
  SavedProfile() {
    for (int i = 0; i < 2; ++i) {
      wchar_t buffer[32] = {};
      present_[i] = GetPrivateProfileStringW(kProfileSection, kKeys[i], L"\x01", buffer, 32,
                                             kProfileFile) != 1 ||
                    buffer[0] != L'\x01';
      values_[i] = buffer;
    }
  }
  ~SavedProfile() {
    for (int i = 0; i < 2; ++i) {
      WritePrivateProfileStringW(kProfileSection, kKeys[i],
                                 present_[i] ? values_[i].c_str() : nullptr, kProfileFile);
    }
  }

 private:
  static constexpr const wchar_t* kKeys[2] = {kComPortKey, kControlKey};
  bool present_[2] = {};
  std::wstring values_[2];
};

TEST(LinkProfileTest, WrittenValuesReadBack) {
  SavedProfile keep;
  const std::pair<std::int32_t, std::int32_t> rows[] = {{0, 0}, {3, 1}, {5, 0}, {1, 1}};
  for (const auto& [port, mode] : rows) {
    SCOPED_TRACE(port * 10 + mode);
    ASSERT_TRUE(WriteLinkProfileValue(kComPortKey, port));
    ASSERT_TRUE(WriteLinkProfileValue(kControlKey, mode));
    const LinkProfile read = ReadLinkProfile();
    EXPECT_EQ(read.comPort, port);
    EXPECT_EQ(read.mode, mode);
  }
}

TEST(LinkProfileTest, HandEditedValuesMeanTheDefaults) {
  SavedProfile keep;
  const wchar_t* const rows[] = {L"7", L"x", L"99", L""};
  for (const wchar_t* stored : rows) {
    SCOPED_TRACE(stored);
    ASSERT_TRUE(WritePrivateProfileStringW(kProfileSection, kComPortKey, stored, kProfileFile));
    ASSERT_TRUE(WritePrivateProfileStringW(kProfileSection, kControlKey, stored, kProfileFile));
    const LinkProfile read = ReadLinkProfile();
    EXPECT_EQ(read.comPort, 0);
    EXPECT_EQ(read.mode, 0);
  }
}

TEST(LinkProfileTest, AbsentKeysMeanTheDefaults) {
  SavedProfile keep;
  ASSERT_TRUE(WritePrivateProfileStringW(kProfileSection, kComPortKey, nullptr, kProfileFile));
  ASSERT_TRUE(WritePrivateProfileStringW(kProfileSection, kControlKey, nullptr, kProfileFile));
  const LinkProfile read = ReadLinkProfile();
  EXPECT_EQ(read.comPort, 0);
  EXPECT_EQ(read.mode, 0);
}

}  // namespace
}  // namespace korvex7::win
