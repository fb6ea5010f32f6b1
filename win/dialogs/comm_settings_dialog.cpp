#include "win/dialogs/comm_settings_dialog.h"

#include <array>
#include <string_view>

#include "platform/win32/serial_port.h"
#include "win/dialogs/dialog_common.h"
#include "win/resources/resource.h"
#include "win/serial/device_server_link.h"
#include "win/support/message_box.h"

namespace korvex7::win {

namespace {

constexpr std::array<std::wstring_view, 2> kControlItems = {L"RS-232C", L"RS-485"};
// Index 0 is the line as specified, with handshake.
constexpr std::array<std::wstring_view, 2> kHandshakeItems = {L"あり", L"なし"};
constexpr wchar_t kCaption[] = L"通信の設定  ";
constexpr wchar_t kProfileWriteFailed[] = L"通信の設定を保存できませんでした。";
constexpr std::array<std::wstring_view, 2> kServerKindItems = {L"TCP (生データ)",
                                                               L"RFC 2217 (Telnet)"};
constexpr wchar_t kBadServer[] =
    L"シリアルデバイスサーバーのホスト (名前、IPv4 または IPv6 アドレス) と"
    L"ポート番号 (1～65535) を入力してください。";

// What the dialog works on, from opening to its end.
struct CommSettingsData {
  LinkProfile opened;
  std::vector<PortChoice> ports;
  const std::function<void(const LinkProfile&)>* apply = nullptr;
  const std::function<void(HWND, const LinkProfile&)>* scan = nullptr;
};

std::wstring ItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  const int length = GetWindowTextLengthW(item);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), length + 1)));
  return text;
}

bool ServerChosen(HWND dialog) {
  return IsDlgButtonChecked(dialog, IDC_COMM_USE_SERVER) == BST_CHECKED;
}

// The controls of the kind of port not chosen are disabled.
void ShowPortKind(HWND dialog, bool server) {
  CheckRadioButton(dialog, IDC_COMM_USE_COM, IDC_COMM_USE_SERVER,
                   server ? IDC_COMM_USE_SERVER : IDC_COMM_USE_COM);
  EnableWindow(GetDlgItem(dialog, IDC_COMM_PORT), server ? FALSE : TRUE);
  for (const int id : {IDC_COMM_SERVER_KIND, IDC_COMM_HOST, IDC_COMM_TCP_PORT}) {
    EnableWindow(GetDlgItem(dialog, id), server ? TRUE : FALSE);
  }
}

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

// The settings chosen so far; nothing (and a message) when the device
// server's fields are not valid.
std::optional<LinkProfile> Chosen(HWND dialog, const CommSettingsData& data) {
  LinkProfile chosen = ChosenCommSettings(data.opened, data.ports, Selection(dialog, IDC_COMM_PORT),
                                          Selection(dialog, IDC_COMM_CONTROL),
                                          Selection(dialog, IDC_COMM_HANDSHAKE));
  if (!ServerChosen(dialog)) return chosen;
  ServerFields fields;
  fields.kind =
      Selection(dialog, IDC_COMM_SERVER_KIND) == 1 ? ServerKind::kRfc2217 : ServerKind::kTcp;
  fields.host = ItemText(dialog, IDC_COMM_HOST);
  fields.port = ItemText(dialog, IDC_COMM_TCP_PORT);
  const std::optional<std::wstring> server = DeviceServerChoice(fields);
  if (!server) {
    ShowMessage(dialog, kBadServer, L"エラー", MB_OK | MB_ICONERROR);
    SetFocus(GetDlgItem(dialog, fields.host.empty() ? IDC_COMM_HOST : IDC_COMM_TCP_PORT));
    return std::nullopt;
  }
  chosen.port = *server;
  return chosen;
}

void ApplyAndClose(HWND dialog, const CommSettingsData& data) {
  const DialogContext& context = DialogContextOf(dialog);
  const std::optional<LinkProfile> choice = Chosen(dialog, data);
  if (!choice) return;
  const LinkProfile& chosen = *choice;
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
  const std::optional<ServerFields> server = ServerFieldsOf(data.opened.port);
  // With a device server in use, the COM list offers COM1 should the
  // operator go back to a COM port.
  FillList(dialog, IDC_COMM_PORT, labels,
           server ? 0 : FindPortChoice(data.ports, data.opened.port));
  FillList(dialog, IDC_COMM_CONTROL, kControlItems, data.opened.mode);
  FillList(dialog, IDC_COMM_HANDSHAKE, kHandshakeItems, data.opened.handshake ? 0 : 1);
  const ServerFields fields = server.value_or(ServerFields{});
  FillList(dialog, IDC_COMM_SERVER_KIND, kServerKindItems, static_cast<int>(fields.kind));
  SendDlgItemMessageW(dialog, IDC_COMM_HOST, EM_LIMITTEXT, 253, 0);
  SendDlgItemMessageW(dialog, IDC_COMM_TCP_PORT, EM_LIMITTEXT, 5, 0);
  SetDlgItemTextW(dialog, IDC_COMM_HOST, fields.host.c_str());
  SetDlgItemTextW(dialog, IDC_COMM_TCP_PORT, fields.port.c_str());
  ShowPortKind(dialog, server.has_value());
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
        case IDC_COMM_USE_COM:
        case IDC_COMM_USE_SERVER:
          if (HIWORD(wParam) == BN_CLICKED)
            ShowPortKind(dialog, LOWORD(wParam) == IDC_COMM_USE_SERVER);
          return TRUE;
        case IDC_COMM_SCAN:
          if (data != nullptr && data->scan != nullptr && *data->scan) {
            if (const std::optional<LinkProfile> chosen = Chosen(dialog, *data)) {
              (*data->scan)(dialog, *chosen);
            }
          }
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

std::optional<std::wstring> DeviceServerChoice(const ServerFields& fields) {
  const auto trimmed = [](std::wstring_view text) {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.remove_suffix(1);
    return std::wstring(text);
  };
  std::wstring host = trimmed(fields.host);
  const std::wstring port = trimmed(fields.port);
  if (host.empty() || port.empty()) return std::nullopt;
  // An IPv6 address is typed without brackets, or with them.
  if (host.find(L':') != std::wstring::npos && host.front() != L'[') host = L"[" + host + L"]";
  const wchar_t* scheme = fields.kind == ServerKind::kRfc2217 ? L"rfc2217://" : L"tcp://";
  return CanonicalDeviceServerName(scheme + host + L":" + port);
}

std::optional<ServerFields> ServerFieldsOf(std::wstring_view port) {
  const std::optional<std::wstring> name = CanonicalDeviceServerName(port);
  if (!name) return std::nullopt;
  ServerFields fields;
  std::wstring_view rest(*name);
  if (rest.substr(0, 6) == L"tcp://") {
    rest.remove_prefix(6);
  } else {
    fields.kind = ServerKind::kRfc2217;
    rest.remove_prefix(10);
  }
  const std::size_t colon = rest.rfind(L':');
  std::wstring_view host = rest.substr(0, colon);
  if (host.size() >= 2 && host.front() == L'[') host = host.substr(1, host.size() - 2);
  fields.host = std::wstring(host);
  fields.port = std::wstring(rest.substr(colon + 1));
  return fields;
}

void RunCommSettingsDialog(const DialogContext& context, const LinkProfile& current,
                           const std::function<void(const LinkProfile&)>& apply,
                           const std::function<void(HWND, const LinkProfile&)>& scan) {
  // A device server in use is not a COM port to offer.
  CommSettingsData data{
      current,
      BuildPortChoices(win32::ListSerialPorts(),
                       IsDeviceServerName(current.port) ? std::wstring_view() : current.port),
      &apply, &scan};
  RunSettingsDialog(context, IDD_COMM_SETTINGS, CommSettingsProc, &data);
}

}  // namespace korvex7::win
