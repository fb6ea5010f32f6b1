// The main window's timers: the status-bar clock and reply status (timer 1),
// the "ﾚﾃﾞｨ" restore (timer 7) and the reopen of the port after the COM port
// was changed (timer 9). What to show is decided by the core
// (StatusTimerTick); this layer only shows it.
#pragma once

#include <windows.h>

namespace korvex7::win {

void OnMainTimer(HWND hwnd, WPARAM timerId);

// Opens and configures the port named by link.comPort and shows one message
// box for every step that failed ("Miss! File Open" ...).
void OpenPortAndReport();

// The title-character warning, shown by the title dialog and the send-all run
// after they set the unit status themselves.
void ShowInvalidTitleCharacters();

}  // namespace korvex7::win
