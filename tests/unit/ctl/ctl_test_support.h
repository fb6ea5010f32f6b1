// Test doubles for the command-line tool: a clock moved by hand, a port that
// answers from a script, and a port with simulated units on it (the
// simulator's own unit logic, without a pseudo-terminal).
#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "link/link_port.h"
#include "tools/ctl/command_exchange.h"
#include "tools/sim/sim_unit.h"

namespace korvex7::ctl::testing {

// Time passes only when the code under test waits or sleeps.
class FakeClock final : public ExchangeClock {
 public:
  std::chrono::steady_clock::time_point Now() override { return now_; }
  void SleepFor(std::chrono::milliseconds d) override {
    now_ += d;
    slept_ += d;
  }
  void Advance(std::chrono::milliseconds d) { now_ += d; }
  std::chrono::milliseconds slept() const { return slept_; }

 private:
  std::chrono::steady_clock::time_point now_{};
  std::chrono::milliseconds slept_{0};
};

// Answers each written frame with the next scripted answer, delivered in the
// given pieces (one read each). A frame without a scripted answer gets none:
// the read then waits out its whole time-out on the fake clock.
class ScriptedPort final : public LinkPort {
 public:
  explicit ScriptedPort(FakeClock& clock) : clock_(clock) {}

  // The answer to the next frame, as the reads will return it.
  void Answer(std::vector<std::string> pieces) { script_.push_back(std::move(pieces)); }
  void NoAnswer() { script_.push_back({}); }
  // Bytes already waiting before anything is written (a late answer).
  void Leftover(std::string bytes) { pending_.push_back(std::move(bytes)); }
  void FailNextWrite(std::string error) { writeFailure_ = std::move(error); }

  void Write(std::string_view frame) override {
    frames.emplace_back(frame);
    writeTimes.push_back(clock_.Now());
    if (writeFailure_) {
      writeError_ = *writeFailure_;
      writeFailure_.reset();
      return;
    }
    if (script_.empty()) return;
    for (auto& piece : script_.front()) pending_.push_back(std::move(piece));
    script_.pop_front();
  }

  std::size_t Read(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout) override {
    ++reads;
    if (pending_.empty()) {
      clock_.Advance(timeout);
      return 0;
    }
    std::string piece = std::move(pending_.front());
    pending_.pop_front();
    const std::size_t n = std::min(capacity, piece.size());
    piece.copy(buffer, n);
    if (n < piece.size()) pending_.push_front(piece.substr(n));
    return n;
  }

  void DiscardInput() override {
    ++discards;
    pending_.clear();
  }

  std::string TakeWriteError() override { return std::exchange(writeError_, std::string()); }

  std::vector<std::string> frames;
  std::vector<std::chrono::steady_clock::time_point> writeTimes;
  int reads = 0;
  int discards = 0;

 private:
  FakeClock& clock_;
  std::deque<std::vector<std::string>> script_;
  std::deque<std::string> pending_;
  std::optional<std::string> writeFailure_;
  std::string writeError_;
};

// A serial line with simulated units on it: every frame goes to every unit,
// and their answers come back in one read. Time passes on the fake clock only
// when nobody answers.
class SimulatedBus final : public LinkPort {
 public:
  explicit SimulatedBus(FakeClock& clock) : clock_(clock) {}

  sim::SimUnit& AddUnit(std::optional<int> address = std::nullopt) {
    units.emplace_back(address);
    return units.back();
  }

  void Write(std::string_view frame) override {
    frames.emplace_back(frame);
    for (sim::SimUnit& unit : units) {
      const sim::FrameResult r = unit.HandleFrame(frame);
      if (r.answer) pending_ += *r.answer;
    }
  }

  std::size_t Read(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout) override {
    if (pending_.empty()) {
      clock_.Advance(timeout);
      return 0;
    }
    const std::size_t n = std::min(capacity, pending_.size());
    pending_.copy(buffer, n);
    pending_.erase(0, n);
    return n;
  }

  void DiscardInput() override { pending_.clear(); }
  std::string TakeWriteError() override { return {}; }

  std::deque<sim::SimUnit> units;
  std::vector<std::string> frames;

 private:
  FakeClock& clock_;
  std::string pending_;
};

}  // namespace korvex7::ctl::testing
