// The program's side of a serial device server: the dialog's fields and the
// address they stand for, the texts of the status bar and of the message
// at connect, and what ユニット検索 shows of a scan.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/transfer/unit_scan.h"
#include "win/dialogs/comm_settings_dialog.h"
#include "win/dialogs/unit_scan_dialog.h"
#include "win/serial/device_server_link.h"
#include "win/serial/port_watch.h"

namespace korvex7::win {
namespace {

std::string Narrow(std::wstring_view text) { return std::string(text.begin(), text.end()); }

TEST(DeviceServerTest, NamesOfDeviceServers) {
  const std::pair<const wchar_t*, bool> rows[] = {
      {L"tcp://10.0.0.5:4001", true}, {L"TCP://h:1", true}, {L"rfc2217://h:2217", true},
      {L"Rfc2217://h:1", true},       {L"COM3", false},     {L"tcp:/h:1", false},
      {L"telnet://h:23", false},      {L"tcp", false},      {L"", false},
  };
  for (const auto& [name, server] : rows) {
    SCOPED_TRACE(Narrow(name));
    EXPECT_EQ(IsDeviceServerName(name), server);
  }
}

TEST(DeviceServerTest, TheFieldsMakeTheAddress) {
  struct Row {
    ServerKind kind;
    const wchar_t* host;
    const wchar_t* port;
    const wchar_t* address;  // null: refused
  };
  const Row rows[] = {
      {ServerKind::kTcp, L"10.0.0.5", L"4001", L"tcp://10.0.0.5:4001"},
      {ServerKind::kRfc2217, L" ds1.example ", L"2217", L"rfc2217://ds1.example:2217"},
      {ServerKind::kTcp, L"fe80::1", L"4001", L"tcp://[fe80::1]:4001"},
      {ServerKind::kRfc2217, L"[::1]", L"23", L"rfc2217://[::1]:23"},
      {ServerKind::kTcp, L"h", L"65535", L"tcp://h:65535"},
      {ServerKind::kTcp, L"h", L"1", L"tcp://h:1"},
      {ServerKind::kTcp, L"", L"4001", nullptr},
      {ServerKind::kTcp, L"h", L"", nullptr},
      {ServerKind::kTcp, L"h", L"0", nullptr},
      {ServerKind::kTcp, L"h", L"65536", nullptr},
      {ServerKind::kTcp, L"a b", L"1", nullptr},
      {ServerKind::kTcp, L"h/x", L"1", nullptr},
      {ServerKind::kTcp, L"h:1", L"2", nullptr},
      {ServerKind::kTcp, L"\x30db\x30b9\x30c8", L"1", nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Narrow(row.host) + " " + Narrow(row.port));
    const std::optional<std::wstring> address = DeviceServerChoice({row.kind, row.host, row.port});
    if (row.address == nullptr) {
      EXPECT_FALSE(address.has_value());
      continue;
    }
    ASSERT_TRUE(address.has_value());
    EXPECT_EQ(*address, row.address);
    // The dialog shows a stored address in the fields it came from.
    const std::optional<ServerFields> fields = ServerFieldsOf(*address);
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->kind, row.kind);
    EXPECT_EQ(DeviceServerChoice(*fields), address);
  }
  EXPECT_FALSE(ServerFieldsOf(L"COM3").has_value());
  EXPECT_EQ(ServerFieldsOf(L"tcp://[2001:db8::7]:4001"),
            (ServerFields{ServerKind::kTcp, L"2001:db8::7", L"4001"}));
}

TEST(DeviceServerTest, StatusTextsNameTheServer) {
  const std::wstring server = L"tcp://10.0.0.5:4001";
  EXPECT_EQ(PortNoticeText(PortNotice::kAbsent, server),
            L"tcp://10.0.0.5:4001 に接続できません。接続を待っています");
  EXPECT_EQ(PortNoticeText(PortNotice::kAbsent, L"COM7"), L"COM7 を開けません。接続を待っています");
  EXPECT_EQ(PortNoticeText(PortNotice::kLost, server),
            L"tcp://10.0.0.5:4001 との接続が切れました。再接続を待っています");
  EXPECT_EQ(PortNoticeText(PortNotice::kBack, server), L"tcp://10.0.0.5:4001 に再接続しました");
  EXPECT_EQ(IdleStatusText(PortState::kAbsent, server),
            PortNoticeText(PortNotice::kAbsent, server));
  EXPECT_EQ(IdleStatusText(PortState::kOpen, server), L"");
}

TEST(DeviceServerTest, EveryConnectFailureHasItsOwnMessage) {
  using links::LinkErrorKind;
  const std::wstring name = L"rfc2217://h:2217";
  struct Row {
    LinkErrorKind kind;
    bool withDetail;  // the link's own words follow
  };
  const Row rows[] = {
      {LinkErrorKind::kFailed, true},
      {LinkErrorKind::kConnectionLost, true},
      {LinkErrorKind::kUnreliable, true},
      {LinkErrorKind::kHostNotFound, true},
      {LinkErrorKind::kNotReached, true},
      {LinkErrorKind::kBusy, false},
      {LinkErrorKind::kTelnetOnRawPort, false},
      {LinkErrorKind::kNoComPortControl, false},
      {LinkErrorKind::kLineSettingsRefused, true},
  };
  std::vector<std::wstring> seen;
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.kind));
    const std::wstring text = ServerConnectFailureText(row.kind, name, "detail (10061)");
    EXPECT_EQ(text.rfind(name + L" ", 0), 0u);
    EXPECT_EQ(text.find(L"\n\ndetail (10061)") != std::wstring::npos, row.withDetail);
    const std::wstring withoutDetail = ServerConnectFailureText(row.kind, name, "");
    EXPECT_EQ(withoutDetail.find(L'\n'), std::wstring::npos);
    seen.push_back(withoutDetail);
  }
  // kFailed and kConnectionLost say the same; every other kind its own.
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::unique(seen.begin(), seen.end()) - seen.begin(), 8);
}

ReceivedLine Line(const std::string& text) { return ReceivedLine{text, false}; }

TEST(UnitScanDialogTest, TheReportListsUnitsNoiseAndEcho) {
  UnitScan scan({2, 5, 9});
  scan.NextFrame();
  scan.Line(Line("02RAM\r\n"));  // the echo
  scan.Line(Line("02AMI\r\n"));
  scan.EndSlot();
  EXPECT_EQ(UnitScanProgress(scan, L"COM3"), L"COM3 を検索しています... 02 (1/3)");
  scan.NextFrame();
  scan.Line(Line("05RAM\r\n"));
  scan.Line(Line("05LOCK\r\n"));
  scan.EndSlot();
  scan.NextFrame();
  scan.Line(Line("\x85?\r\n"));
  scan.EndSlot();
  EXPECT_TRUE(scan.NextFrame().empty());
  EXPECT_EQ(UnitScanProgress(scan, L"COM3"), L"COM3 の検索が終わりました (3 アドレス)");
  EXPECT_EQ(UnitScanReport(scan),
            L"応答したユニット: 2 台\r\n"
            L"  02  応答あり\r\n"
            L"  05  キーロック中 (Lock Display)\r\n"
            L"\r\n"
            L"回線にノイズがありました (1 件)。一覧に載らないユニットがあるかもしれません。\r\n"
            L"  09 の問い合わせ中: \"\\x85?\\r\\n\"\r\n"
            L"回線が問い合わせをそのまま返しています (エコー 2 回、読み飛ばしました)。\r\n");
}

TEST(UnitScanDialogTest, NoUnitOnASilentLine) {
  UnitScan scan({-1});
  scan.NextFrame();
  scan.EndSlot();
  EXPECT_TRUE(scan.NextFrame().empty());
  EXPECT_EQ(UnitScanReport(scan), L"応答したユニットはありません。\r\n");
}

TEST(UnitScanDialogTest, StatesOfTheUnits) {
  EXPECT_EQ(ScanStateText(0), L"応答あり");
  EXPECT_EQ(ScanStateText(1), L"メニュー表示中 (Menu Display)");
  EXPECT_EQ(ScanStateText(8), L"コマンドエラー (Command Error)");
  EXPECT_EQ(ScanStateText(9), L"応答あり");
}

}  // namespace
}  // namespace korvex7::win
