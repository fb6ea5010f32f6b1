#include "link/link_port.h"

#include <thread>

namespace korvex7::links {

namespace {

class SteadyClock final : public ExchangeClock {
 public:
  std::chrono::steady_clock::time_point Now() override { return std::chrono::steady_clock::now(); }
  void SleepFor(std::chrono::milliseconds duration) override {
    std::this_thread::sleep_for(duration);
  }
};

}  // namespace

ExchangeClock& SystemClock() {
  static SteadyClock clock;
  return clock;
}

}  // namespace korvex7::links
