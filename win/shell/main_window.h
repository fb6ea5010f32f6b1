// The main window: a fixed frame (961 x 141 at 96 DPI, scaled with the
// monitor's DPI, main_window_scale.h) with the menu, the toolbar of 14
// buttons (one per settings dialog) and the two-part status bar with the
// clock. It draws nothing itself; commands go to the menu handler, timers to
// the status display, posted reply lines to the reply assembler, the
// receive thread's report of a failed port and Windows' device notices to
// the port status (port_status.h). The window keeps the App it was created
// for (GWLP_USERDATA) and hands it to them.
#pragma once

#include <windows.h>

#include <string_view>

namespace korvex7::win {

struct App;

inline constexpr UINT_PTR kStatusTimerId = 1;
inline constexpr UINT kStatusTimerMs = 190;
inline constexpr UINT_PTR kReadyTextTimerId = 7;
inline constexpr UINT kReadyTextTimerMs = 50;
inline constexpr UINT_PTR kReopenPortTimerId = 9;
inline constexpr UINT kReopenPortTimerMs = 100;
// Tries an absent or lost port again (port_status.h), every kPortRetryMs.
inline constexpr UINT_PTR kPortRetryTimerId = 10;

inline constexpr wchar_t kReadyText[] = L"ﾚﾃﾞｨ";
inline constexpr wchar_t kMainWindowTitle[] = L"KORVEX-7 ";

// Registers the main window class; false on failure.
bool RegisterMainWindowClass(HINSTANCE instance, const wchar_t* className);

// Creates the (hidden) main window of `app` (its module is app.instance),
// laid out for the DPI of its monitor; the window keeps `app` for its
// lifetime. Null on failure.
HWND CreateMainWindow(App& app, const wchar_t* className, const wchar_t* title);

// Stops the receive thread and closes the port when the session ends. A
// thread that cannot be stopped keeps the port open.
void StopLink(App& app, HWND hwnd);

// Puts text into the first part of the status bar.
void SetStatusText(const App& app, std::wstring_view text);

// Writes the local time as hh:mm:ss into the second part of the status bar.
void UpdateClock(const App& app);

// The status bar's third part: the port in use ("COM3",
// "tcp://10.0.0.5:4001").
inline constexpr WPARAM kPortStatusPart = 2;
void ShowPortInUse(const App& app);

// Puts "ﾚﾃﾞｨ" (or the notice of an absent or lost port) back when the
// pointer has left the toolbar (timer 7).
void RestoreReadyText(App& app);

}  // namespace korvex7::win
