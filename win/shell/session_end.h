// Sign-out, shut-down and restarts for updates. Before Windows ends the
// session it asks every top-level window (WM_QUERYENDSESSION), then tells
// it whether the session ends (WM_ENDSESSION).
//
// With unsaved settings the main window holds the end: it gives Windows its
// reason (ShutdownBlockReasonCreate), which Windows shows beside the
// program's name with the choice to end the session anyway or to cancel,
// answers at once, and then offers the save prompt of New, Open and Exit
// (posted, so the answer is not kept waiting). Once the prompt is answered
// (saved, or not to be saved) the reason is withdrawn, and the next
// sign-out goes through. A question that comes while the prompt or a file
// command is open holds the end without a second prompt.
//
// When the session ends the receive thread is stopped and the port closed
// before Windows ends the process.
#pragma once

#include <windows.h>

namespace korvex7::win {

struct App;

// Posted by the main window to itself: offer to save before the session ends.
inline constexpr UINT kOfferSaveMessage = WM_APP + 3;  // after the receive thread's two

// The reason Windows shows while the program holds the end of the session.
inline constexpr wchar_t kSessionEndReason[] = L"保存されていない設定があります。";

// WM_QUERYENDSESSION: TRUE when the session may end.
BOOL OnQueryEndSession(App& app, HWND hwnd, LPARAM flags);

// WM_ENDSESSION: `ending` is its wParam.
void OnEndSession(App& app, HWND hwnd, bool ending);

// kOfferSaveMessage: the save prompt, then the reason withdrawn.
void OfferSaveBeforeSessionEnd(App& app, HWND hwnd);

// Withdraws the reason once nothing asks the operator any more (after a
// file command has ended).
void ReleaseSessionEndIfAnswered(App& app, HWND hwnd);

}  // namespace korvex7::win
