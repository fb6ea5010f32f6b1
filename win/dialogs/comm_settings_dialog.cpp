#include "win/dialogs/comm_settings_dialog.h"

#include <array>
#include <string_view>

#include "win/dialogs/dialog_common.h"
#include "win/resources/resource.h"
#include "win/serial/link_profile.h"
#include "win/support/message_box.h"

namespace korvex7::win {

namespace {

constexpr std::array<std::wstring_view, 6> kPortItems = {L"COM1", L"COM2", L"COM3",
                                                         L"COM4", L"COM5", L"COM6"};
constexpr std::array<std::wstring_view, 2> kControlItems = {L"RS-232C", L"RS-485"};
constexpr wchar_t kCaption[] = L"通信の設定  ";
constexpr wchar_t kProfileWriteFailed[] = L"通信の設定を保存できませんでした。";

struct Opened {
  std::int32_t comPort = 0;
  std::int32_t mode = 0;
};

template <std::size_t N>
void FillList(HWND dialog, int id, const std::array<std::wstring_view, N>& items, int selected) {
  HWND list = GetDlgItem(dialog, id);
  for (std::wstring_view item : items) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.data()));
  }
  // A value outside the list leaves the list without a selection.
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int Selection(HWND dialog, int id) {
  const LRESULT r = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
  return r == CB_ERR ? -1 : static_cast<int>(r);
}

void ApplyAndClose(HWND dialog, const Opened& opened) {
  const DialogContext& context = DialogContextOf(dialog);
  const CommSettingsChange change =
      DecideCommSettings(opened.comPort, opened.mode, Selection(dialog, IDC_COMM_PORT),
                         Selection(dialog, IDC_COMM_CONTROL));
  SettingsModel::Link& link = context.session.model.link;
  link.mode = change.mode;
  link.comPort = change.comPort;
  bool profileWritten = true;
  if (change.writeControl) profileWritten &= WriteLinkProfileValue(kControlKey, change.mode);
  if (change.writeComPort) {
    profileWritten &= WriteLinkProfileValue(kComPortKey, change.comPort);
    if (context.reopenPort) context.reopenPort();
  }
  EndDialog(dialog, IDOK);
  if (!profileWritten) {
    ShowMessage(context.owner, kProfileWriteFailed, L"エラー", MB_OK | MB_ICONERROR);
  }
}

INT_PTR CALLBACK CommSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      // The values on opening live in RunCommSettingsDialog's frame.
      const auto* opened = reinterpret_cast<const Opened*>(lParam);
      SetSettingsCaption(dialog, kCaption);
      FillList(dialog, IDC_COMM_PORT, kPortItems, opened->comPort);
      FillList(dialog, IDC_COMM_CONTROL, kControlItems, opened->mode);
      return TRUE;
    }
    case WM_COMMAND: {
      const auto* opened = DialogData<const Opened>(dialog);
      switch (LOWORD(wParam)) {
        case IDC_COMM_OK:
          if (opened != nullptr) ApplyAndClose(dialog, *opened);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          break;
      }
      break;
    }
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

CommSettingsChange DecideCommSettings(std::int32_t openedComPort, std::int32_t openedMode,
                                      int selectedComPort, int selectedMode) {
  CommSettingsChange c;
  c.comPort = selectedComPort < 0 ? openedComPort : selectedComPort;
  c.mode = selectedMode < 0 ? openedMode : selectedMode;
  c.writeControl = c.mode != openedMode;
  c.writeComPort = c.comPort != openedComPort;
  return c;
}

void RunCommSettingsDialog(const DialogContext& context) {
  const SettingsModel::Link& link = context.session.model.link;
  Opened opened{link.comPort, link.mode};
  RunSettingsDialog(context, IDD_COMM_SETTINGS, CommSettingsProc, &opened);
}

}  // namespace korvex7::win
