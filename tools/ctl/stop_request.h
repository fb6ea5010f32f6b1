// Stopping a run from outside: Ctrl+C and SIGTERM on POSIX; Ctrl+C,
// Ctrl+Break and the console window closing on Windows. The handler only
// sets a flag (a lock-free atomic, safe in a signal handler); the run looks at
// it between commands and while it awaits an answer, and ends with a message
// that says where it stopped, exit status 130 and no file half-written.
#pragma once

#include <atomic>

namespace korvex7::ctl {

// Set once a stop was asked.
const std::atomic<bool>& StopFlag();

// Installs the handlers for this process.
void InstallStopHandlers();

// What the handlers do on the signal or console event `event` (SIGINT or
// SIGTERM; CTRL_C_EVENT, CTRL_BREAK_EVENT, CTRL_CLOSE_EVENT, ...): true when
// it asks the run to stop. Called by the installed handlers; the tests call
// it directly.
bool AskStop(int event);

// At the end of the run, before the process exits. On Windows the system ends
// the process as soon as the handler of a closing console returns, so that
// handler waits (a few seconds at most) for the run to end first.
void RunEnded();

}  // namespace korvex7::ctl
