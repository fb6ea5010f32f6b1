// The communication-settings dialog (dialog 118): the port, the line mode
// and the handshake. The port is a COM port, from a list of every serial
// port of the computer (win/serial/port_choices.h), or a serial device
// server: raw TCP or RFC 2217, its host (a name, an IPv4 or an IPv6
// address) and TCP port. "ユニット検索" finds the units on the line
// (`scan`); it changes no setting. "OK" writes each changed value to the profile
// file (win/serial/link_profile.h) and hands the settings to `apply`, which
// reopens the port: the main window closes it and opens it 100 ms later
// (timer 9). It does so on every "OK", a changed choice or not, so that
// "OK" is also the way to try a port again at once. Closing the dialog any
// other way discards the choices.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win/dialogs/dialog_context.h"
#include "win/serial/link_profile.h"
#include "win/serial/port_choices.h"

namespace korvex7::win {

// `scan` runs ユニット検索 for the settings chosen so far, over the
// dialog as owner.
void RunCommSettingsDialog(const DialogContext& context, const LinkProfile& current,
                           const std::function<void(const LinkProfile&)>& apply,
                           const std::function<void(HWND, const LinkProfile&)>& scan);

// The device server's fields of the dialog.
enum class ServerKind { kTcp = 0, kRfc2217 = 1 };
struct ServerFields {
  ServerKind kind = ServerKind::kTcp;
  std::wstring host;  // an IPv6 address without brackets
  std::wstring port;

  friend bool operator==(const ServerFields&, const ServerFields&) = default;
};

// The address the fields stand for ("tcp://10.0.0.5:4001",
// "rfc2217://[fe80::1]:2217"), as the profile keeps it; nothing when the
// host or the port is missing or not valid.
std::optional<std::wstring> DeviceServerChoice(const ServerFields& fields);

// The fields a stored port name fills in; nothing for a COM port.
std::optional<ServerFields> ServerFieldsOf(std::wstring_view port);

// The settings "OK" stands for, given those on opening, the ports offered
// and the selections of the three lists (-1, nothing selected, keeps the
// value from opening).
LinkProfile ChosenCommSettings(const LinkProfile& opened, const std::vector<PortChoice>& ports,
                               int portSelection, int modeSelection, int handshakeSelection);

}  // namespace korvex7::win
