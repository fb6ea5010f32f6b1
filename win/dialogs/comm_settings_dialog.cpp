#include "win/dialogs/comm_settings_dialog.h"

#include <array>
#include <string_view>

#include "platform/win32/serial_port.h"
#include "win/dialogs/dialog_common.h"
#include "win/resources/resource.h"
#include "win/support/message_box.h"

namespace korvex7::win {

namespace {

constexpr std::array<std::wstring_view, 2> kControlItems = {L"RS-232C", L"RS-485"};
// Index 0 is the line as specified, with handshake.
constexpr std::array<std::wstring_view, 2> kHandshakeItems = {L"あり", L"なし"};
constexpr wchar_t kCaption[] = L"通信の設定  ";
constexpr wchar_t kProfileWriteFailed[] = L"通信の設定を保存できませんでした。";

// What the dialog works on, from opening to its end.
struct CommSettingsData {
  LinkProfile opened;
  std::vector<PortChoice> ports;
  const std::function<void(const LinkProfile&)>* apply = nullptr;
};

template <typename Items>
void FillList(HWND dialog, int id, const Items& items, int selected) {
  HWND list = GetDlgItem(dialog, id);
  for (const auto& item : items) {
    const std::wstring text(item);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  // A value outside the list leaves the list without a selection.
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int Selection(HWND dialog, int id) {
  const LRESULT r = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
  return r == CB_ERR ? -1 : static_cast<int>(r);
}

void ApplyAndClose(HWND dialog, const CommSettingsData& data) {
  const DialogContext& context = DialogContextOf(dialog);
  const LinkProfile chosen = ChosenCommSettings(
      data.opened, data.ports, Selection(dialog, IDC_COMM_PORT),
      Selection(dialog, IDC_COMM_CONTROL), Selection(dialog, IDC_COMM_HANDSHAKE));
  const bool profileWritten = WriteProfileEntries(ProfileChanges(data.opened, chosen));
  if (data.apply != nullptr && *data.apply) (*data.apply)(chosen);
  EndDialog(dialog, IDOK);
  if (!profileWritten) {
    ShowMessage(context.owner, kProfileWriteFailed, L"エラー", MB_OK | MB_ICONERROR);
  }
}

void InitLists(HWND dialog, const CommSettingsData& data) {
  std::vector<std::wstring> labels;
  for (const PortChoice& port : data.ports) labels.push_back(port.label);
  FillList(dialog, IDC_COMM_PORT, labels, FindPortChoice(data.ports, data.opened.port));
  FillList(dialog, IDC_COMM_CONTROL, kControlItems, data.opened.mode);
  FillList(dialog, IDC_COMM_HANDSHAKE, kHandshakeItems, data.opened.handshake ? 0 : 1);
}

INT_PTR CALLBACK CommSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      // The data lives in RunCommSettingsDialog's frame.
      const auto* data = reinterpret_cast<const CommSettingsData*>(lParam);
      SetSettingsCaption(dialog, kCaption);
      InitLists(dialog, *data);
      return TRUE;
    }
    case WM_COMMAND: {
      const auto* data = DialogData<const CommSettingsData>(dialog);
      switch (LOWORD(wParam)) {
        case IDC_COMM_OK:
          if (data != nullptr) ApplyAndClose(dialog, *data);
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

LinkProfile ChosenCommSettings(const LinkProfile& opened, const std::vector<PortChoice>& ports,
                               int portSelection, int modeSelection, int handshakeSelection) {
  LinkProfile chosen = opened;
  if (portSelection >= 0 && static_cast<std::size_t>(portSelection) < ports.size()) {
    chosen.port = ports[static_cast<std::size_t>(portSelection)].name;
  }
  if (modeSelection >= 0 && static_cast<std::size_t>(modeSelection) < kControlItems.size()) {
    chosen.mode = modeSelection;
  }
  if (handshakeSelection >= 0 &&
      static_cast<std::size_t>(handshakeSelection) < kHandshakeItems.size()) {
    chosen.handshake = handshakeSelection == 0;
  }
  return chosen;
}

void RunCommSettingsDialog(const DialogContext& context, const LinkProfile& current,
                           const std::function<void(const LinkProfile&)>& apply) {
  CommSettingsData data{current, BuildPortChoices(win32::ListSerialPorts(), current.port), &apply};
  RunSettingsDialog(context, IDD_COMM_SETTINGS, CommSettingsProc, &data);
}

}  // namespace korvex7::win
