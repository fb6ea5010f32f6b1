// The program's port as the main window keeps it (the decisions are
// win/serial/port_watch.h): the operator's opens with the message of each
// failed step, the loss of the port noticed once in the status bar, and its
// return, by itself, on Windows' device notices and on the retry timer.
// Everything here runs on the user-interface thread.
#pragma once

#include <windows.h>
#include <dbt.h>

#include <memory>
#include <string>
#include <string_view>

#include "win/serial/device_server_link.h"

namespace korvex7::win {

struct App;

// Opens the chosen port (App::portName, App::line) and shows one message
// box for every step that failed ("Miss! File Open" ...). A port that then
// does not answer is closed and tried again by itself. A device server is
// connected to off the user-interface thread (OnServerConnected ends it).
void OpenPortAndReport(App& app);

// A connection to a device server has ended (kServerConnectedMessage): the
// link when it connected; the failure of an operator's open in a message
// box; the status bar and the retry timer as for a COM port.
void OnServerConnected(App& app, std::unique_ptr<ServerConnectResult> result);

// The status text while the operator's connection to a device server is
// under way.
std::wstring ConnectingText(std::wstring_view port);

// Closes the port and has timer 9 open it again (OpenPortAndReport) 100 ms
// later: "OK" in the communication settings.
void ClosePortAndReopenLater(App& app);

// The receive thread found the port not answering (kLinkFailedMessage,
// wParam the port's opening number).
void OnLinkFailed(App& app, WPARAM opening);

// WM_DEVICECHANGE.
void OnDeviceChange(App& app, WPARAM event, LPARAM data);

// The retry timer (kPortRetryTimerId).
void OnPortRetryTimer(App& app);

// What the first part of the status bar returns to: "ﾚﾃﾞｨ", or the notice of
// a port that is absent or lost.
std::wstring IdleStatusText(const App& app);

// What a WM_DEVICECHANGE says about `port`.
enum class DeviceNotice {
  kNone,     // nothing for this port
  kArrived,  // the port came (DBT_DEVICEARRIVAL of a port of this name)
  kRemoved,  // the port went (DBT_DEVICEREMOVECOMPLETE of a port of this name)
  kChanged,  // devices were added or removed (DBT_DEVNODES_CHANGED)
};
DeviceNotice ClassifyDeviceChange(WPARAM event, const DEV_BROADCAST_HDR* data,
                                  std::wstring_view port);

}  // namespace korvex7::win
