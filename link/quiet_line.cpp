#include "link/quiet_line.h"

#include <algorithm>

#include "core/text/escaped_bytes.h"

namespace korvex7::links {

namespace {
constexpr std::size_t kKeptBytes = 256;
}  // namespace

QuietLineResult WaitForQuietLine(LinkPort& port, const QuietLineTiming& timing,
                                 ExchangeClock& clock) {
  QuietLineResult result;
  const auto start = clock.Now();
  const auto limit = start + timing.limit;
  auto lastByte = start;
  char buffer[512];
  for (;;) {
    const auto now = clock.Now();
    const auto quietAt = lastByte + timing.quiet;
    if (now >= quietAt) return result;
    if (now >= limit) {
      result.outcome = QuietLineResult::kNoisy;
      return result;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(std::min(quietAt, limit) - now);
    std::size_t n = 0;
    try {
      n = port.Read(buffer, sizeof buffer, wait);
    } catch (const LinkError& e) {
      if (e.kind() != LinkErrorKind::kConnectionLost) throw;
      result.outcome = QuietLineResult::kClosed;
      result.closeError = e.what();
      return result;
    }
    if (n == 0) continue;
    result.dropped += n;
    if (result.start.size() < kKeptBytes) {
      result.start.append(buffer, std::min(n, kKeptBytes - result.start.size()));
    }
    lastByte = clock.Now();
  }
}

LinkError NoisyLineError(const std::string& portName, const QuietLineTiming& timing,
                         const QuietLineResult& result) {
  std::string start = EscapeWire(result.start.substr(0, 64));
  if (result.start.size() > 64) start += "...";
  return LinkError(portName + ": the line does not fall silent: " + std::to_string(result.dropped) +
                       " bytes arrived within " + std::to_string(timing.limit.count()) +
                       " ms without a pause of " + std::to_string(timing.quiet.count()) +
                       " ms before anything was sent (noise on the line, or a device talking "
                       "unasked), beginning \"" +
                       start + "\"",
                   LinkErrorKind::kUnreliable);
}

}  // namespace korvex7::links
