#include <windows.h>

#include "tools/ctl/stop_request.h"

namespace korvex7::ctl {

namespace {

std::atomic<bool> g_stop{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the stop flag is set by the console");
// Signalled by RunEnded; a closing console's handler waits for it.
HANDLE g_runEnded = nullptr;

// Windows ends the process when the handler of these events returns, and at
// the latest about 5 s after the event.
constexpr DWORD kCloseWaitMs = 4500;

BOOL WINAPI OnConsoleControl(DWORD event) {
  if (!AskStop(static_cast<int>(event))) return FALSE;
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    if (g_runEnded != nullptr) (void)WaitForSingleObject(g_runEnded, kCloseWaitMs);
  }
  return TRUE;
}

}  // namespace

const std::atomic<bool>& StopFlag() { return g_stop; }

bool AskStop(int event) {
  switch (static_cast<DWORD>(event)) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      g_stop.store(true, std::memory_order_relaxed);
      return true;
    default:
      return false;
  }
}

void InstallStopHandlers() {
  g_runEnded = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  (void)SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void RunEnded() {
  if (g_runEnded != nullptr) (void)SetEvent(g_runEnded);
}

}  // namespace korvex7::ctl
