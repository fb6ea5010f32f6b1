// The main window at a display scale: the toolbar's picture strip and button
// size, the status bar's font and parts, the window's icons, and its size
// and place, all for the DPI of the monitor the window is on (decided by
// the core's main_window_layout). Run once the window exists, and again on
// WM_DPICHANGED when the window has moved to a monitor of another scale.
#pragma once

#include <windows.h>

namespace korvex7::win {

struct App;

// Lays the window out for `dpi` with its top-left corner near `proposed`,
// inside the work area of the monitor under `proposed` (the rectangle the
// window is to take there).
void ScaleMainWindow(App& app, int dpi, const RECT& proposed);

// Lays the window out for `dpi` in exactly the rectangle `proposed`: while
// the operator drags it to a monitor of another scale, the rectangle that
// Windows proposes keeps it under the pointer. ScaleMainWindow fits it to
// its own size once the drag is over.
void ScaleMainWindowInto(App& app, int dpi, const RECT& proposed);

// Fits the toolbar and the status bar to the client area (WM_SIZE) and
// sets the status bar's parts for the window's DPI.
void LayOutMainWindowChildren(const App& app);

}  // namespace korvex7::win
