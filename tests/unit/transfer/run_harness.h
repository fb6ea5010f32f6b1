// A deterministic bench for the paced runs: the program's session on one
// side, a simulated unit on the other, and a clock that fires the status
// timer (190 ms) and the run's pacing timer as the program's message loop
// would. Answers reach the session through the real line and reply assembly
// after a configurable delay; message boxes are collected instead of shown.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/link/line_assembler.h"
#include "core/link/reply_assembler.h"
#include "core/link/status_timer.h"
#include "core/transfer/bulk_run.h"
#include "tools/sim/sim_unit.h"

namespace korvex7::runtest {

struct Shown {
  std::string text;
  std::string caption;
  friend bool operator==(const Shown&, const Shown&) = default;
};

class SimulatedLine : public PortWriter {
 public:
  explicit SimulatedLine(std::optional<int> address = std::nullopt) : unit(address) {}

  void Write(std::string_view frame) override {
    frames.emplace_back(frame);
    if (silentFromFrame && frames.size() >= *silentFromFrame) return;
    if (statusFromFrame && frames.size() == statusFromFrame->first) {
      unit.SetForcedStatus(statusFromFrame->second);
    }
    const auto r = unit.HandleFrame(frame);
    if (r.answer) pending.push_back({now + replyDelayMs, *r.answer});
  }

  sim::SimUnit unit;
  std::vector<std::string> frames;
  std::deque<std::pair<int, std::string>> pending;  // delivery time, bytes
  int now = 0;
  int replyDelayMs = 20;
  std::optional<std::size_t> silentFromFrame;                          // 1-based frame number
  std::optional<std::pair<std::size_t, std::string>> statusFromFrame;  // frame, status word
};

struct RunResult {
  BulkTick::Kind end = BulkTick::kNotRunning;
  std::vector<Shown> shown;   // every message box, in order
  std::vector<int> percents;  // after each step sent
  int elapsedMs = 0;
};

class RunBench {
 public:
  explicit RunBench(SimulatedLine& line) : line_(line) { session.port = &line_; }

  // Runs from Start until the run finishes or `limitMs` passes. `cancelAt`
  // presses Cancel once when that many steps have been started.
  RunResult Run(BulkSequence seq, int periodMs, std::optional<int> cancelAtStep = std::nullopt,
                int limitMs = 120000) {
    RunResult result;
    BulkRun run(std::move(seq));
    if (!run.Start(session)) return result;
    for (int t = 1; t <= limitMs; ++t) {
      line_.now = t;
      Deliver(t);
      if (t % 190 == 0) Status(result);
      if (t % periodMs == 0) {
        const BulkTick tick = run.Tick(session);
        if (tick.kind == BulkTick::kStepSent) {
          result.percents.push_back(tick.percent);
          if (tick.showTitleCharacterMessage) {
            const auto m = InvalidTitleCharactersMessage();
            result.shown.push_back({std::string(m.text), std::string(m.caption)});
          }
        } else if (tick.kind == BulkTick::kSucceeded) {
          result.shown.push_back({std::string(run.sequence().successText),
                                  std::string(run.sequence().successCaption)});
          result.end = tick.kind;
          result.elapsedMs = t;
          return result;
        } else if (tick.kind == BulkTick::kFailed) {
          result.end = tick.kind;
          result.elapsedMs = t;
          return result;
        }
      }
      if (cancelAtStep && session.replyWait.bulkStep == *cancelAtStep &&
          session.replyWait.waitTicks == 0 && t % periodMs == periodMs / 2) {
        cancelAtStep.reset();
        lastCancel = run.Cancel(session);
        if (lastCancel == BulkCancel::kCancelled) {
          result.shown.push_back({"中止しました", "キャンセル"});
          result.end = BulkTick::kFailed;
          result.elapsedMs = t;
          return result;
        }
      }
    }
    return result;
  }

  Session session;
  BulkCancel lastCancel = BulkCancel::kNotRunning;

 private:
  void Deliver(int t) {
    while (!line_.pending.empty() && line_.pending.front().first <= t) {
      for (const auto& line : assembler_.Feed(line_.pending.front().second)) {
        HandleReceivedLine(session, line);
      }
      line_.pending.pop_front();
    }
  }
  void Status(RunResult& result) {
    if (auto m = StatusTimerTick(session.replyWait)) {
      result.shown.push_back({std::string(m->text), std::string(m->caption)});
    }
  }

  SimulatedLine& line_;
  LineAssembler assembler_;
};

}  // namespace korvex7::runtest
