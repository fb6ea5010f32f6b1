// Reads of another process's common controls. SB_GETTEXTW and TB_GETRECT
// answer through a pointer that the system does not carry across processes,
// so the answer is written into memory allocated in the control's process
// and read back from there.
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

}  // namespace korvex7::e2e
