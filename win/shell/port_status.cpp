#include "win/shell/port_status.h"

#include <cstddef>
#include <cwchar>

#include "platform/win32/text.h"
#include "win/serial/device_server_link.h"
#include "win/serial/port_messages.h"
#include "win/serial/port_watch.h"
#include "win/shell/app.h"
#include "win/shell/main_window.h"
#include "win/support/message_box.h"

namespace korvex7::win {

namespace {

bool SameName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

void CloseLink(App& app) {
  app.port.Close();
  app.server.Close();
}

void Carry(App& app, const PortDecision& decision) {
  if (decision.close) CloseLink(app);
  if (app.mainWindow != nullptr) {
    if (decision.retry) {
      SetTimer(app.mainWindow, kPortRetryTimerId, kPortRetryMs, nullptr);
    } else {
      KillTimer(app.mainWindow, kPortRetryTimerId);
    }
  }
  switch (decision.notice) {
    case PortNotice::kNone:
      break;
    case PortNotice::kReady:
      SetStatusText(app, kReadyText);
      break;
    case PortNotice::kAbsent:
    case PortNotice::kLost:
    case PortNotice::kBack:
      SetStatusText(app, PortNoticeText(decision.notice, app.portName));
      break;
  }
}

// Connects to the device server on a thread of its own; OnServerConnected
// takes the result. `byOperator`: a failure is shown in a message box.
void StartServerConnect(App& app, bool byOperator) {
  app.connecting = true;
  app.connectByOperator = byOperator;
  ++app.connectAttempt;
  if (app.mainWindow == nullptr ||
      !DeviceServerLink::StartConnect(app.portName, app.mainWindow, app.connectAttempt)) {
    app.connecting = false;
    Carry(app,
          byOperator ? app.portWatch.AfterOperatorOpen(false) : app.portWatch.AfterAttempt(false));
  }
}

// A silent attempt to open the port again: no message, whatever fails.
void AttemptOpen(App& app) {
  if (app.portOpening || app.linkStopped || !app.portWatch.WantsAttempt()) return;
  if (IsDeviceServerName(app.portName)) {
    if (!app.connecting) StartServerConnect(app, false);
    return;
  }
  const bool clean = app.port.OpenEveryStep(win32::WideToUtf8(app.portName), app.line).empty() &&
                     app.port.Answers();
  Carry(app, app.portWatch.AfterAttempt(clean));
}

void OnFailure(App& app) { Carry(app, app.portWatch.AfterFailure()); }

}  // namespace

void OpenPortAndReport(App& app) {
  // The boxes below run their own message loops: nothing else opens or
  // closes the port meanwhile.
  if (app.mainWindow != nullptr) KillTimer(app.mainWindow, kPortRetryTimerId);
  if (IsDeviceServerName(app.portName)) {
    app.portOpening = false;
    SetStatusText(app, ConnectingText(app.portName));
    StartServerConnect(app, true);
    return;
  }
  app.portOpening = true;
  bool opened = true;
  for (const win32::OpenStepFailure& failure :
       app.port.OpenEveryStep(win32::WideToUtf8(app.portName), app.line)) {
    if (failure.step == win32::OpenStep::kOpen) opened = false;
    ::MessageBeep(MB_ICONQUESTION);
    ShowMessage(nullptr, OpenStepMessage(failure.step), L"Error",
                MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  }
  app.portOpening = false;
  Carry(app, app.portWatch.AfterOperatorOpen(opened && app.port.Answers()));
}

void OnServerConnected(App& app, std::unique_ptr<ServerConnectResult> result) {
  // A result for an attempt since given up (another port chosen, the
  // session ending) is dropped, its connection closed with it.
  if (!result || result->attempt != app.connectAttempt || !app.connecting) return;
  app.connecting = false;
  if (app.linkStopped || !IsDeviceServerName(app.portName)) return;
  const bool connected = result->port != nullptr;
  if (connected) app.server.Install(std::move(result->port));
  if (!app.connectByOperator) {
    Carry(app, app.portWatch.AfterAttempt(connected));
    return;
  }
  if (!connected) {
    // The box runs its own message loop: nothing else opens the port meanwhile.
    app.portOpening = true;
    ::MessageBeep(MB_ICONQUESTION);
    ShowMessage(nullptr, ServerConnectFailureText(result->kind, app.portName, result->detail),
                L"エラー", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    app.portOpening = false;
  }
  Carry(app, app.portWatch.AfterOperatorOpen(connected));
}

std::wstring ConnectingText(std::wstring_view port) {
  return std::wstring(port) + L" に接続しています...";
}

void ClosePortAndReopenLater(App& app) {
  CloseLink(app);
  // A connection under way is for the port chosen before.
  app.connecting = false;
  if (app.mainWindow == nullptr ||
      SetTimer(app.mainWindow, kReopenPortTimerId, kReopenPortTimerMs, nullptr) == 0) {
    // Without the timer the port is opened at once.
    OpenPortAndReport(app);
    return;
  }
  KillTimer(app.mainWindow, kPortRetryTimerId);
  app.portOpening = true;
}

void OnLinkFailed(App& app, WPARAM opening) {
  if (app.portOpening || app.linkStopped) return;
  if (IsDeviceServerName(app.portName)) {
    // The connection was closed or reset: there is nothing to ask again.
    if (opening == static_cast<WPARAM>(app.server.openNumber()) &&
        app.portWatch.state() == PortState::kOpen) {
      OnFailure(app);
    }
    return;
  }
  if (opening != static_cast<WPARAM>(app.port.openNumber())) return;
  // Asked once more: a failed look at the port that it answers now was a
  // moment's trouble, not a lost port.
  if (app.portWatch.state() == PortState::kOpen && !app.port.Answers()) OnFailure(app);
}

void OnDeviceChange(App& app, WPARAM event, LPARAM data) {
  if (app.portOpening || app.linkStopped || IsDeviceServerName(app.portName)) return;
  switch (
      ClassifyDeviceChange(event, reinterpret_cast<const DEV_BROADCAST_HDR*>(data), app.portName)) {
    case DeviceNotice::kNone:
      break;
    case DeviceNotice::kRemoved:
      OnFailure(app);
      break;
    case DeviceNotice::kArrived:
      AttemptOpen(app);
      break;
    case DeviceNotice::kChanged:
      if (app.portWatch.WantsAttempt()) {
        AttemptOpen(app);
      } else if (!app.port.Answers()) {
        OnFailure(app);
      }
      break;
  }
}

void OnPortRetryTimer(App& app) {
  if (app.portOpening) return;
  if (!app.portWatch.WantsAttempt()) {
    KillTimer(app.mainWindow, kPortRetryTimerId);
    return;
  }
  AttemptOpen(app);
}

std::wstring IdleStatusText(const App& app) {
  // The operator's connection to a device server is still under way.
  if (app.connecting && app.connectByOperator && app.portWatch.state() != PortState::kOpen) {
    return ConnectingText(app.portName);
  }
  std::wstring text = IdleStatusText(app.portWatch.state(), app.portName);
  return text.empty() ? std::wstring(kReadyText) : text;
}

DeviceNotice ClassifyDeviceChange(WPARAM event, const DEV_BROADCAST_HDR* data,
                                  std::wstring_view port) {
  if (event == DBT_DEVNODES_CHANGED) return DeviceNotice::kChanged;
  if ((event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) || data == nullptr ||
      data->dbch_devicetype != DBT_DEVTYP_PORT ||
      data->dbch_size < offsetof(DEV_BROADCAST_PORT_W, dbcp_name) + sizeof(wchar_t)) {
    return DeviceNotice::kNone;
  }
  const auto* portData = reinterpret_cast<const DEV_BROADCAST_PORT_W*>(data);
  const std::size_t room =
      (data->dbch_size - offsetof(DEV_BROADCAST_PORT_W, dbcp_name)) / sizeof(wchar_t);
  const std::wstring_view name(portData->dbcp_name, wcsnlen(portData->dbcp_name, room));
  if (!SameName(name, port)) return DeviceNotice::kNone;
  return event == DBT_DEVICEARRIVAL ? DeviceNotice::kArrived : DeviceNotice::kRemoved;
}

}  // namespace korvex7::win
