// The main window's timers: the status-bar clock and reply status (timer 1),
// the "ﾚﾃﾞｨ" restore (timer 7), the reopen of the port after "OK" in the
// communication settings (timer 9) and the retry of an absent or lost port
// (timer 10, port_status.h). What to show is decided by the core
// (StatusTimerTick); this layer only shows it.
#pragma once

#include <windows.h>

namespace korvex7::win {

struct App;

void OnMainTimer(App& app, HWND hwnd, WPARAM timerId);

}  // namespace korvex7::win
