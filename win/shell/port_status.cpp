#include "win/shell/port_status.h"

#include <cstddef>
#include <cwchar>

#include "platform/win32/text.h"
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

void Carry(App& app, const PortDecision& decision) {
  if (decision.close) app.port.Close();
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

// A silent attempt to open the port again: no message, whatever fails.
void AttemptOpen(App& app) {
  if (app.portOpening || app.linkStopped || !app.portWatch.WantsAttempt()) return;
  const bool clean = app.port.OpenEveryStep(win32::WideToUtf8(app.portName), app.line).empty() &&
                     app.port.Answers();
  Carry(app, app.portWatch.AfterAttempt(clean));
}

void OnFailure(App& app) { Carry(app, app.portWatch.AfterFailure()); }

}  // namespace

void OpenPortAndReport(App& app) {
  // The boxes below run their own message loops: nothing else opens or
  // closes the port meanwhile.
  app.portOpening = true;
  if (app.mainWindow != nullptr) KillTimer(app.mainWindow, kPortRetryTimerId);
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

void ClosePortAndReopenLater(App& app) {
  app.port.Close();
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
  if (app.portOpening || app.linkStopped || opening != static_cast<WPARAM>(app.port.openNumber()))
    return;
  // Asked once more: a failed look at the port that it answers now was a
  // moment's trouble, not a lost port.
  if (app.portWatch.state() == PortState::kOpen && !app.port.Answers()) OnFailure(app);
}

void OnDeviceChange(App& app, WPARAM event, LPARAM data) {
  if (app.portOpening || app.linkStopped) return;
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
