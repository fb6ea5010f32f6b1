// The display scale of the program's windows. The per-monitor functions of
// Windows 10 (GetDpiForWindow, AdjustWindowRectExForDpi,
// SystemParametersInfoForDpi, GetSystemMetricsForDpi,
// EnableNonClientDpiScaling) are looked up when first needed: the program
// also runs on Windows 7 and 8, where they are missing and every window has
// the system's DPI.
#pragma once

#include <windows.h>

namespace korvex7::win {

// The DPI of the window: that of its monitor where the system scales per
// monitor, otherwise the system's (the LOGPIXELSY of the screen).
int WindowDpi(HWND window);

// The width and height that the window's frame, caption and menu bar (one
// line) add around its client area at `dpi`. Where the system cannot compute
// them for another DPI, those of its own.
SIZE NonClientSizeAtDpi(HWND window, int dpi);

// The status bar font of the system at `dpi`; false when the system does not
// tell its fonts. Without SystemParametersInfoForDpi the system's font is
// scaled from its DPI.
bool StatusFontAtDpi(int dpi, LOGFONTW& font);

// The work area (the monitor less its taskbars) of the monitor nearest to
// the window.
RECT WorkAreaOf(HWND window);

// Asks Windows to scale the caption, the menu bar and the scroll bars of a
// top-level window with its monitor (EnableNonClientDpiScaling, Windows 10
// 1607 and later; called on WM_NCCREATE). Windows 10 1703 and later do it for
// a PerMonitorV2 window anyway; elsewhere nothing happens.
void EnableNonClientScaling(HWND window);

// The size of the system's large (SM_CXICON) or small (SM_CXSMICON) icons
// at `dpi`: 32 and 16 pixels at 96 DPI.
int IconSizeAtDpi(bool small, int dpi);

}  // namespace korvex7::win
