#include "win/dialogs/unit_scan_dialog.h"

#include <array>
#include <chrono>
#include <memory>
#include <utility>
#include <vector>

#include "core/link/status_messages.h"
#include "core/text/escaped_bytes.h"
#include "platform/win32/text.h"
#include "win/resources/resource.h"
#include "win/serial/device_server_link.h"
#include "win/serial/receive_thread.h"

namespace korvex7::win {

namespace {

constexpr UINT_PTR kSlotTimerId = 1;
constexpr std::int32_t kHighestAddress = 31;

// The status words 1..8 in the operator's words.
constexpr std::array<std::wstring_view, 8> kStateTexts = {
    L"メニュー表示中",     L"アラーム表示中", L"キーロック中",       L"モードエラー",
    L"フレーミングエラー", L"パリティエラー", L"オーバーランエラー", L"コマンドエラー"};

std::wstring AddressText(std::int32_t address) {
  if (address < 0) return L"ユニット";
  const wchar_t digits[3] = {static_cast<wchar_t>(L'0' + address / 10),
                             static_cast<wchar_t>(L'0' + address % 10), L'\0'};
  return digits;
}

struct ScanDialogState {
  ScanDialogState(const UnitScanLine& l, std::vector<std::int32_t> addresses)
      : line(&l), scan(std::move(addresses)) {}

  const UnitScanLine* line = nullptr;
  UnitScan scan;
  bool running = false;
  // The dialog's own port (UnitScanLine::own) and its reader.
  DeviceServerLink own;
  ServerReceiveSource ownSource{own};
  std::unique_ptr<ReceiveThread> reader;
};

void ReleaseLine(ScanDialogState& state) {
  if (!state.running) return;
  state.running = false;
  if (!state.line->own && state.line->setLineSink) state.line->setLineSink({});
}

// Ends the dialog's own reader and port; lines and results still queued for
// the dialog are freed.
void CloseOwnLink(HWND dialog, ScanDialogState& state) {
  if (state.reader && !state.reader->Stop()) return;  // ended with the process
  state.reader.reset();
  state.own.Close();
  DiscardPostedLines(dialog);
  DiscardConnectResults(dialog);
}

void Write(ScanDialogState& state, std::string_view frame) {
  if (state.line->own) {
    state.own.Write(frame);
  } else if (state.line->write) {
    state.line->write(frame);
  }
}

void ShowProgress(HWND dialog, const ScanDialogState& state) {
  SetDlgItemTextW(dialog, IDC_SCAN_STATUS,
                  UnitScanProgress(state.scan, state.line->portName).c_str());
}

// Ends the current slot and asks the next address, or ends the scan.
void NextSlot(HWND dialog, ScanDialogState& state) {
  state.scan.EndSlot();
  const std::string frame = state.scan.NextFrame();
  if (frame.empty()) {
    KillTimer(dialog, kSlotTimerId);
    ReleaseLine(state);
    ShowProgress(dialog, state);
    SetDlgItemTextW(dialog, IDC_SCAN_RESULT, UnitScanReport(state.scan).c_str());
    return;
  }
  Write(state, frame);
  ShowProgress(dialog, state);
}

// Asks the first address; the slot timer does the rest.
void BeginScan(HWND dialog, ScanDialogState& state) {
  state.running = true;
  if (!state.line->own && state.line->setLineSink) {
    ScanDialogState* s = &state;
    state.line->setLineSink([s](const ReceivedLine& line) { s->scan.Line(line); });
  }
  Write(state, state.scan.NextFrame());
  ShowProgress(dialog, state);
  SetTimer(dialog, kSlotTimerId, static_cast<UINT>(kScanSlot.count()), nullptr);
}

// The dialog's own port has opened, or could not be.
void OnOwnConnected(HWND dialog, ScanDialogState& state,
                    std::unique_ptr<ServerConnectResult> result) {
  if (!result) return;
  if (!result->port) {
    SetDlgItemTextW(dialog, IDC_SCAN_STATUS,
                    (state.line->portName + L" を開けませんでした").c_str());
    SetDlgItemTextW(
        dialog, IDC_SCAN_RESULT,
        ServerConnectFailureText(result->kind, state.line->portName, result->detail).c_str());
    return;
  }
  state.own.Install(std::move(result->port));
  state.reader = std::make_unique<ReceiveThread>(state.ownSource, dialog);
  if (!state.reader->Start()) {
    state.reader.reset();
    SetDlgItemTextW(dialog, IDC_SCAN_STATUS, L"error creating read thread");
    return;
  }
  BeginScan(dialog, state);
}

INT_PTR CALLBACK UnitScanProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<ScanDialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      state = reinterpret_cast<ScanDialogState*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      if (!state->line->own) {
        BeginScan(dialog, *state);
      } else {
        SetDlgItemTextW(dialog, IDC_SCAN_STATUS,
                        (state->line->portName + L" に接続しています...").c_str());
        if (!DeviceServerLink::StartConnect(state->line->portName, dialog, 1)) {
          SetDlgItemTextW(dialog, IDC_SCAN_STATUS, L"error creating read thread");
        }
      }
      return TRUE;
    }
    case kServerConnectedMessage:
      if (state != nullptr) OnOwnConnected(dialog, *state, TakeConnectResult(lParam));
      return TRUE;
    case kLineReceivedMessage: {
      const auto line = TakePostedLine(lParam);
      if (line && state != nullptr && state->running) state->scan.Line(*line);
      return TRUE;
    }
    case WM_TIMER:
      if (wParam == kSlotTimerId && state != nullptr && state->running) NextSlot(dialog, *state);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_SCAN_CLOSE || LOWORD(wParam) == IDCANCEL) {
        KillTimer(dialog, kSlotTimerId);
        if (state != nullptr) ReleaseLine(*state);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      break;
    case WM_CLOSE:
      KillTimer(dialog, kSlotTimerId);
      if (state != nullptr) ReleaseLine(*state);
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    case WM_DESTROY:
      KillTimer(dialog, kSlotTimerId);
      if (state != nullptr) {
        ReleaseLine(*state);
        CloseOwnLink(dialog, *state);
      }
      break;
    default:
      break;
  }
  return FALSE;
}

std::vector<std::int32_t> ScanAddresses(std::int32_t mode) {
  if (mode != 1) return {-1};
  std::vector<std::int32_t> addresses;
  for (std::int32_t a = 0; a <= kHighestAddress; ++a) addresses.push_back(a);
  return addresses;
}

}  // namespace

std::wstring ScanStateText(std::int32_t unitStatus) {
  if (unitStatus < 1 || unitStatus > static_cast<std::int32_t>(kStateTexts.size())) {
    return L"応答あり";
  }
  return std::wstring(kStateTexts[static_cast<std::size_t>(unitStatus - 1)]) + L" (" +
         win32::Utf8ToWide(UnitStatusText(unitStatus)) + L")";
}

std::wstring UnitScanReport(const UnitScan& scan) {
  std::wstring text;
  const auto say = [&text](const std::wstring& line) { text += line + L"\r\n"; };
  if (scan.units().empty()) {
    say(L"応答したユニットはありません。");
  } else {
    say(L"応答したユニット: " + std::to_wstring(scan.units().size()) + L" 台");
    for (const UnitScan::Unit& unit : scan.units()) {
      say(L"  " + AddressText(unit.address) + L"  " + ScanStateText(unit.unitStatus));
    }
  }
  if (scan.noiseCount() > 0) {
    say(L"");
    say(L"回線にノイズがありました (" + std::to_wstring(scan.noiseCount()) +
        L" 件)。一覧に載らないユニットがあるかもしれません。");
    for (const UnitScan::Noise& noise : scan.noise()) {
      const std::wstring when = noise.asking < 0
                                    ? std::wstring(noise.before ? L"問い合わせ前" : L"問い合わせ中")
                                    : AddressText(noise.asking) +
                                          (noise.before ? L" の問い合わせ前" : L" の問い合わせ中");
      say(L"  " + when + L": \"" + win32::Utf8ToWide(EscapeWire(noise.bytes)) + L"\"");
    }
    if (scan.noiseCount() > scan.noise().size()) {
      say(L"  ほか " + std::to_wstring(scan.noiseCount() - scan.noise().size()) + L" 件");
    }
  }
  for (const std::int32_t address : scan.late()) {
    say(AddressText(address) +
        L" は待ち時間のあとに応答したかもしれません。もう一度検索してください。");
  }
  if (scan.echoes() > 0) {
    say(L"回線が問い合わせをそのまま返しています (エコー " + std::to_wstring(scan.echoes()) +
        L" 回、読み飛ばしました)。");
  }
  return text;
}

std::wstring UnitScanProgress(const UnitScan& scan, std::wstring_view port) {
  const std::wstring where(port);
  if (scan.Finished()) {
    return where + L" の検索が終わりました (" + std::to_wstring(scan.Asked()) + L" アドレス)";
  }
  const std::size_t asking = scan.Asked() == 0 ? 0 : scan.Asked() - 1;
  const std::int32_t address = scan.addresses()[asking];
  return where + L" を検索しています... " + AddressText(address) + L" (" +
         std::to_wstring(scan.Asked()) + L"/" + std::to_wstring(scan.addresses().size()) + L")";
}

void RunUnitScanDialog(HINSTANCE instance, HWND owner, const UnitScanLine& line) {
  ScanDialogState state(line, ScanAddresses(line.mode));
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_UNIT_SCAN), owner, UnitScanProc,
                  reinterpret_cast<LPARAM>(&state));
  ReleaseLine(state);
}

}  // namespace korvex7::win
