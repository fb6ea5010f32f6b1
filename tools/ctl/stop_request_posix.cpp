#include <signal.h>

#include "tools/ctl/stop_request.h"

namespace korvex7::ctl {

namespace {

std::atomic<bool> g_stop{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the stop flag is set in a signal handler");

extern "C" void OnStopSignal(int signal) { (void)AskStop(signal); }

}  // namespace

const std::atomic<bool>& StopFlag() { return g_stop; }

bool AskStop(int event) {
  if (event != SIGINT && event != SIGTERM) return false;
  g_stop.store(true, std::memory_order_relaxed);
  return true;
}

void InstallStopHandlers() {
  struct sigaction sa {};
  sa.sa_handler = OnStopSignal;
  sigemptyset(&sa.sa_mask);
  for (const int sig : {SIGINT, SIGTERM}) {
    // A SIGINT ignored from the start (a background job of a script, nohup)
    // stays ignored: Ctrl+C at the terminal is not meant for such a run.
    struct sigaction before {};
    if (sig == SIGINT && ::sigaction(sig, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) {
      continue;
    }
    (void)::sigaction(sig, &sa, nullptr);
  }
}

void RunEnded() {}

}  // namespace korvex7::ctl
