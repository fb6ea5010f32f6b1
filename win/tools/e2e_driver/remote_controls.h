// Reads of another process's common controls, and messages that carry a
// rectangle. SB_GETTEXTW, SB_GETRECT, TB_GETRECT, TB_GETITEMRECT and
// WM_DPICHANGED pass a pointer that the system does not carry across
// processes, so the rectangle or text is kept in memory allocated in the
// window's process and read back from there.
#pragma once

#include <windows.h>

#include <string>

namespace korvex7::e2e {

// The text of part `part` of a status bar; "" when the bar did not answer.
// Fails when the bar's process cannot be opened.
std::wstring RemoteStatusText(HWND bar, int part);

// The rectangle of the toolbar button that sends `command`, in the
// toolbar's client coordinates; false when the toolbar has no such button.
// Fails when the toolbar's process cannot be opened.
bool RemoteToolbarButtonRect(HWND toolbar, int command, RECT& rect);

// Sends `message` with `wParam` and a pointer to a rectangle in the
// window's process that the window fills; false when the window did not
// answer or answered 0. TB_GETITEMRECT and SB_GETRECT are read this way.
bool RemoteRectQuery(HWND window, UINT message, WPARAM wParam, RECT& rect);

// Sends `message` with `wParam` and a pointer to a copy of `rect` in the
// window's process (WM_DPICHANGED's proposed rectangle); false when the
// window did not handle it.
bool RemoteSendRect(HWND window, UINT message, WPARAM wParam, const RECT& rect);

}  // namespace korvex7::e2e
