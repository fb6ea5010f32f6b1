#include "tools/sim/run/stop_signal.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>
#include <string>

namespace korvex7::sim {

namespace {

int g_stopPipe[2] = {-1, -1};

extern "C" void OnStopSignal(int) {
  const int saved = errno;
  const char c = 1;
  (void)!::write(g_stopPipe[1], &c, 1);
  errno = saved;
}

}  // namespace

void InstallStopSignals() {
  if (::pipe(g_stopPipe) != 0) {
    throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
  }
  for (int fd : g_stopPipe) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  struct sigaction sa {};
  sa.sa_handler = OnStopSignal;
  sigemptyset(&sa.sa_mask);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(sig, &sa, nullptr);
  ::signal(SIGPIPE, SIG_IGN);
}

int StopSignalFd() { return g_stopPipe[0]; }

bool WaitUntilOrStop(SteadyTime deadline) {
  for (;;) {
    const auto left = deadline - std::chrono::steady_clock::now();
    if (left <= std::chrono::nanoseconds(0)) return true;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    timespec ts{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
    pollfd p{g_stopPipe[0], POLLIN, 0};
    const int r = ::ppoll(&p, 1, &ts, nullptr);
    if (r > 0) return false;
    if (r < 0 && errno != EINTR) return true;
  }
}

}  // namespace korvex7::sim
