#include "win/shell/status_display.h"

#include "core/link/status_timer.h"
#include "win/shell/app.h"
#include "win/shell/main_window.h"
#include "win/shell/port_status.h"
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
    case kPortRetryTimerId:
      OnPortRetryTimer(app);
      break;
    default:
      break;
  }
}

}  // namespace korvex7::win
