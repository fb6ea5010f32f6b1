// The main window's timers: the status-bar clock and reply status (timer 1),
// the "ﾚﾃﾞｨ" restore (timer 7) and the reopen of the port after the COM port
// was changed (timer 9). What to show is decided by the core
// (StatusTimerTick); this layer only shows it.
#pragma once

#include <windows.h>

namespace korvex7::win {

struct App;

void OnMainTimer(App& app, HWND hwnd, WPARAM timerId);

// Opens and configures the port named by link.comPort and shows one message
// box for every step that failed ("Miss! File Open" ...).
void OpenPortAndReport(App& app);

// Closes the port and has timer 9 open it again (OpenPortAndReport) 100 ms
// later: the communication settings named another port.
void ClosePortAndReopenLater(App& app);

}  // namespace korvex7::win
