#include "win/shell/session_end.h"

#include "core/ui/session_end.h"
#include "win/shell/app.h"
#include "win/shell/main_window.h"
#include "win/shell/menu_commands.h"

namespace korvex7::win {

namespace {

// The prompt goes over whatever window of the program the operator last
// used (a settings dialog, the read-all run), so that it is seen and that
// window waits for it.
HWND PromptOwner(HWND main) {
  HWND popup = GetLastActivePopup(main);
  if (popup == nullptr || !IsWindowVisible(popup) || !IsWindowEnabled(popup)) return main;
  return popup;
}

void HoldSessionEnd(App& app, HWND hwnd) {
  // Windows before Vista has no reasons; Wine accepts none. The answer
  // holds the end all the same.
  if (!app.sessionEndHeld) {
    app.sessionEndHeld = ShutdownBlockReasonCreate(hwnd, kSessionEndReason) != FALSE;
  }
}

}  // namespace

BOOL OnQueryEndSession(App& app, HWND hwnd, LPARAM flags) {
  const bool alreadyAsked = app.fileCommandsOpen > 0 || app.saveOfferPosted;
  const SessionEndAnswer answer = AnswerSessionEndQuery(
      app.session.model.document.modified != 0, (flags & ENDSESSION_CRITICAL) != 0, alreadyAsked);
  if (answer == SessionEndAnswer::kAllow) return TRUE;
  HoldSessionEnd(app, hwnd);
  if (answer == SessionEndAnswer::kHoldAndOfferSave &&
      PostMessageW(hwnd, kOfferSaveMessage, 0, 0)) {
    app.saveOfferPosted = true;
  }
  return FALSE;
}

void OnEndSession(App& app, HWND hwnd, bool ending) {
  if (!ending) return;
  // The process ends once this returns: the port is left closed, not in the
  // middle of a read.
  StopLink(app, hwnd);
}

void OfferSaveBeforeSessionEnd(App& app, HWND hwnd) {
  if (app.saveOfferPosted) {
    app.saveOfferPosted = false;
    ++app.fileCommandsOpen;
    (void)ConfirmDiscardOwnedBy(app, hwnd, PromptOwner(hwnd), MB_SETFOREGROUND);
    --app.fileCommandsOpen;
  }
  ReleaseSessionEndIfAnswered(app, hwnd);
}

void ReleaseSessionEndIfAnswered(App& app, HWND hwnd) {
  if (!app.sessionEndHeld || app.fileCommandsOpen > 0 || app.saveOfferPosted) return;
  ShutdownBlockReasonDestroy(hwnd);
  app.sessionEndHeld = false;
}

}  // namespace korvex7::win
