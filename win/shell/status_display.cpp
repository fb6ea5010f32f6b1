#include "win/shell/status_display.h"

#include "core/link/status_timer.h"
#include "win/shell/app.h"
#include "win/shell/main_window.h"
#include "win/support/message_box.h"

namespace korvex7::win {

void OnMainTimer(App& app, HWND hwnd, WPARAM timerId) {
  switch (timerId) {
    case kStatusTimerId: {
      UpdateClock(app);
      // The core settles ReplyWait before the box is shown, so the ticks
      // that keep arriving while it is open do not show it again. Those ticks
      // decide nothing else either: a unit or a device that keeps sending
      // lines would otherwise stack one box on the other, each in the message
      // loop of the one below, until the stack runs out. What arrives
      // meanwhile is shown once the box has been closed.
      static bool messageShown = false;
      if (messageShown) break;
      if (const auto message = StatusTimerTick(app.session.replyWait)) {
        messageShown = true;
        ShowStatusMessage(*message);
        messageShown = false;
      }
      break;
    }
    case kReadyTextTimerId:
      RestoreReadyText(app);
      break;
    case kReopenPortTimerId:
      KillTimer(hwnd, kReopenPortTimerId);
      OpenPortAndReport(app);
      break;
    default:
      break;
  }
}

void OpenPortAndReport(App& app) {
  for (const OpenStep step : app.port.Open(app.session.model.link.comPort)) {
    ::MessageBeep(MB_ICONQUESTION);
    ShowMessage(nullptr, OpenStepMessage(step), L"Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  }
}

void ClosePortAndReopenLater(App& app) {
  app.port.Close();
  if (app.mainWindow == nullptr ||
      SetTimer(app.mainWindow, kReopenPortTimerId, kReopenPortTimerMs, nullptr) == 0) {
    // Without the timer the port is opened at once.
    OpenPortAndReport(app);
  }
}

}  // namespace korvex7::win
