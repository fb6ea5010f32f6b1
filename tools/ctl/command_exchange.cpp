#include "tools/ctl/command_exchange.h"

#include <thread>
#include <vector>

#include "core/link/reply_assembler.h"
#include "core/link/status_timer.h"

namespace korvex7::ctl {

namespace {

class SteadyClock final : public ExchangeClock {
 public:
  std::chrono::steady_clock::time_point Now() override { return std::chrono::steady_clock::now(); }
  void SleepFor(std::chrono::milliseconds duration) override {
    std::this_thread::sleep_for(duration);
  }
};

std::string WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return std::string(line);
}

}  // namespace

ExchangeClock& SystemClock() {
  static SteadyClock clock;
  return clock;
}

std::string OutcomeText(const ExchangeResult& result) {
  switch (result.status) {
    case ExchangeStatus::kAcknowledged:
    case ExchangeStatus::kBroadcast:
      return "Success";
    case ExchangeStatus::kNoAnswer:
      return "No Connect";
    case ExchangeStatus::kPortError:
      return result.portError;
    case ExchangeStatus::kRefused:
      if (result.unitStatus == kStatusDuplicateChannel) {
        return "チャンネルが重複しています。 (a channel is used twice)";
      }
      return std::string(UnitStatusText(kStatusCommandError)) + " (value refused, nothing sent)";
    case ExchangeStatus::kUnitError: {
      const std::string_view text = UnitStatusText(result.unitStatus);
      return text.empty() ? "Command Error" : std::string(text);
    }
  }
  return {};
}

// Stands between SendCommand and the port: keeps the frame for the report and
// the byte count.
class CommandExchange::Recorder final : public PortWriter {
 public:
  explicit Recorder(LinkPort& port) : port_(port) {}
  void Write(std::string_view frame) override {
    frames.emplace_back(frame);
    port_.Write(frame);
  }
  std::vector<std::string> frames;

 private:
  LinkPort& port_;
};

CommandExchange::CommandExchange(Session& session, LinkPort& port, ExchangeTiming timing,
                                 ExchangeClock& clock)
    : session_(session),
      port_(port),
      timing_(timing),
      clock_(clock),
      previousWriter_(session.port) {}

CommandExchange::~CommandExchange() { session_.port = previousWriter_; }

void CommandExchange::KeepPace() {
  if (timing_.pace.count() <= 0 || !lastSettled_) return;
  const auto due = *lastSettled_ + timing_.pace;
  const auto now = clock_.Now();
  if (now < due) {
    clock_.SleepFor(std::chrono::ceil<std::chrono::milliseconds>(due - now));
  }
}

void CommandExchange::Settle() {
  ResetReplyWait(session_.replyWait);
  session_.replyWait.outcome = kOutcomeNone;
  lastSettled_ = clock_.Now();
}

ExchangeResult CommandExchange::Run(const std::function<void(Session&)>& send) {
  KeepPace();
  ExchangeResult result;
  try {
    port_.DiscardInput();
  } catch (const LinkError& e) {
    result.status = ExchangeStatus::kPortError;
    result.portError = e.what();
    return result;
  }
  assembler_.Clear();
  ReplyWait& w = session_.replyWait;
  ResetReplyWait(w);
  w.outcome = kOutcomeNone;
  w.transferMode = kTransferSingle;

  Recorder recorder(port_);
  session_.port = &recorder;
  send(session_);
  session_.port = previousWriter_;

  if (recorder.frames.empty()) {
    result.status = ExchangeStatus::kRefused;
    result.unitStatus = w.unitStatus != kStatusNone ? w.unitStatus : kStatusCommandError;
    Settle();
    return result;
  }
  const std::string& frame = recorder.frames.back();
  const bool addressed = session_.model.link.mode == kLinkRs485 && frame.size() >= 2;
  result.command = WithoutLineEnd(std::string_view(frame).substr(addressed ? 2 : 0));
  ++counters_.commands;
  for (const auto& f : recorder.frames) counters_.bytesSent += f.size();

  const std::string writeError = port_.TakeWriteError();
  if (!writeError.empty()) {
    result.status = ExchangeStatus::kPortError;
    result.portError = writeError;
    Settle();
    return result;
  }
  if (w.ackPending == 0) {
    // A broadcast: SendCommand settled the wait itself.
    result.status = ExchangeStatus::kBroadcast;
    Settle();
    return result;
  }
  return AwaitAnswer(std::move(result));
}

ExchangeResult CommandExchange::AwaitAnswer(ExchangeResult result) {
  ReplyWait& w = session_.replyWait;
  const auto deadline = clock_.Now() + timing_.timeout;
  std::vector<ReceivedLine> lines;
  char buffer[256];
  while (w.ackPending != 0) {
    const auto now = clock_.Now();
    if (now >= deadline) {
      result.status = ExchangeStatus::kNoAnswer;
      Settle();
      return result;
    }
    const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    std::size_t n = 0;
    try {
      n = port_.Read(buffer, sizeof buffer, remaining);
    } catch (const LinkError& e) {
      result.status = ExchangeStatus::kPortError;
      result.portError = e.what();
      Settle();
      return result;
    }
    if (n == 0) continue;
    counters_.bytesReceived += n;
    lines.clear();
    assembler_.Feed(std::string_view(buffer, n), lines);
    for (const ReceivedLine& line : lines) {
      // Any complete line ends the wait; lines after it belong to nothing
      // and are dropped with the rest before the next command.
      HandleReceivedLine(session_, line);
      result.reply = line.overlong ? std::string("(overlong line)") : WithoutLineEnd(line.text);
      if (w.ackPending == 0) break;
    }
  }
  if (w.unitStatus != kStatusNone) {
    result.status = ExchangeStatus::kUnitError;
    result.unitStatus = w.unitStatus;
  } else {
    result.status = ExchangeStatus::kAcknowledged;
  }
  Settle();
  return result;
}

ExchangeResult CommandExchange::Send(const Encoded& command) {
  return Run([&command](Session& s) { SendEncoded(s, command); });
}

ExchangeResult CommandExchange::Query(std::string_view query) {
  return Run([query](Session& s) { SendCommandCopy(s, query); });
}

}  // namespace korvex7::ctl
