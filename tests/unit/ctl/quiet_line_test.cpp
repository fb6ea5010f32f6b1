#include "link/quiet_line.h"

#include <gtest/gtest.h>

#include <deque>

#include "ctl_test_support.h"

namespace korvex7::ctl {
namespace {

using links::NoisyLineError;
using links::QuietLineResult;
using links::QuietLineTiming;
using links::WaitForQuietLine;
using std::chrono::milliseconds;
using testing::FakeClock;

// Delivers bytes at set times after its start; an event without bytes closes
// the connection (LinkErrorKind::kConnectionLost), or fails the port.
class TimedPort final : public LinkPort {
 public:
  struct Event {
    milliseconds at;
    std::string bytes;
    LinkErrorKind failure = LinkErrorKind::kConnectionLost;
  };
  TimedPort(FakeClock& clock, std::vector<Event> events)
      : clock_(clock), start_(clock.Now()), events_(events.begin(), events.end()) {}

  void Write(std::string_view) override {}
  std::size_t Read(char* buffer, std::size_t capacity, milliseconds timeout) override {
    const auto now = clock_.Now();
    if (events_.empty() || start_ + events_.front().at > now + timeout) {
      clock_.Advance(timeout);
      return 0;
    }
    const Event e = events_.front();
    events_.pop_front();
    if (start_ + e.at > now) clock_.Advance(std::chrono::ceil<milliseconds>(start_ + e.at - now));
    if (e.bytes.empty()) throw LinkError("server: the connection was closed", e.failure);
    const std::size_t n = std::min(capacity, e.bytes.size());
    e.bytes.copy(buffer, n);
    return n;
  }
  void DiscardInput() override {}
  std::string TakeWriteError() override { return {}; }

 private:
  FakeClock& clock_;
  std::chrono::steady_clock::time_point start_;
  std::deque<Event> events_;
};

TEST(QuietLine, WaitsForSilenceAndDropsWhatCameBefore) {
  struct Row {
    const char* name;
    std::vector<TimedPort::Event> events;
    QuietLineResult::Outcome outcome;
    milliseconds took;
    std::size_t dropped;
    std::string start;
  };
  std::vector<TimedPort::Event> babble;
  for (int t = 20; t < 3000; t += 50) babble.push_back({milliseconds(t), "E3\r\n"});
  const Row rows[] = {
      {"a quiet line", {}, QuietLineResult::kQuiet, milliseconds(100), 0, ""},
      {"a stale answer held by a server",
       {{milliseconds(30), "GO\r\n"}},
       QuietLineResult::kQuiet,
       milliseconds(130),
       4,
       "GO\r\n"},
      {"the rest of an answer, byte by byte",
       {{milliseconds(1), "A"}, {milliseconds(3), "M"}, {milliseconds(95), "I\r\n"}},
       QuietLineResult::kQuiet,
       milliseconds(195),
       5,
       "AMI\r\n"},
      {"a device that talks unasked", babble, QuietLineResult::kNoisy, milliseconds(1000), 80,
       std::string()},
      {"a busy server",
       {{milliseconds(5), "Port's device already in use\r\n"}, {milliseconds(6), ""}},
       QuietLineResult::kClosed,
       milliseconds(6),
       30,
       "Port's device already in use\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeClock clock;
    TimedPort port(clock, row.events);
    const auto before = clock.Now();
    const QuietLineResult r = WaitForQuietLine(port, QuietLineTiming{}, clock);
    EXPECT_EQ(r.outcome, row.outcome);
    EXPECT_EQ(clock.Now() - before, row.took);
    EXPECT_EQ(r.dropped, row.dropped);
    if (!row.start.empty()) {
      EXPECT_EQ(r.start, row.start);
    }
  }
}

TEST(QuietLine, KeepsOnlyTheStartOfWhatItDrops) {
  FakeClock clock;
  std::vector<TimedPort::Event> flood;
  for (int t = 0; t < 2000; t += 1) flood.push_back({milliseconds(t), std::string(512, 'x')});
  TimedPort port(clock, flood);
  const QuietLineResult r = WaitForQuietLine(port, QuietLineTiming{}, clock);
  EXPECT_EQ(r.outcome, QuietLineResult::kNoisy);
  EXPECT_GT(r.dropped, 400'000u);
  EXPECT_EQ(r.start.size(), 256u);
  const LinkError e = NoisyLineError("tcp://dsv:4001", QuietLineTiming{}, r);
  EXPECT_EQ(e.kind(), LinkErrorKind::kUnreliable);
  EXPECT_NE(std::string(e.what()).find("tcp://dsv:4001: the line does not fall silent: "),
            std::string::npos);
  EXPECT_LT(std::string(e.what()).size(), 400u);
}

TEST(QuietLine, AFailingPortIsThrown) {
  FakeClock clock;
  TimedPort port(clock, {{milliseconds(1), "", LinkErrorKind::kFailed}});
  EXPECT_THROW(WaitForQuietLine(port, QuietLineTiming{}, clock), LinkError);
}

}  // namespace
}  // namespace korvex7::ctl
