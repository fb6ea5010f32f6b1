#include "tools/ctl/command_exchange.h"

#include <algorithm>
#include <vector>

#include "core/link/answer_check.h"
#include "core/link/reply_assembler.h"
#include "core/link/status_timer.h"
#include "core/text/escaped_bytes.h"
#include "core/transfer/read_all.h"

namespace korvex7::ctl {

namespace {

// The line as messages show it: without its CR LF (a line that ends
// otherwise keeps what it has).
std::string WithoutLineEnd(std::string_view line) {
  if (line.ends_with("\r\n")) line.remove_suffix(2);
  return std::string(line);
}

// What a line stands for in a message or a report: its bytes, or a note for a
// line too long to be kept.
std::string LineBytes(const ReceivedLine& line) {
  return line.overlong ? std::string("(a line longer than 599 bytes)") : line.text;
}

// What is kept of bytes for a message: their start.
constexpr std::size_t kKeptBytes = 256;

void Keep(std::string& kept, std::string_view bytes) {
  if (kept.size() < kKeptBytes) kept.append(bytes.substr(0, kKeptBytes - kept.size()));
}

}  // namespace

std::string ShownBytes(std::string_view bytes, std::size_t limit) {
  if (bytes.size() <= limit) return EscapeWire(bytes);
  return EscapeWire(bytes.substr(0, limit)) + "... (" + std::to_string(bytes.size()) + " bytes)";
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
    case ExchangeStatus::kUnexpectedAnswer:
      return "unexpected answer";
    case ExchangeStatus::kStopped:
      return "stopped";
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
                                 ExchangeClock& clock, const std::atomic<bool>* stop)
    : session_(session),
      port_(port),
      timing_(timing),
      clock_(clock),
      stop_(stop),
      previousWriter_(session.port) {}

CommandExchange::~CommandExchange() { session_.port = previousWriter_; }

bool CommandExchange::StopAsked() const {
  return stop_ != nullptr && stop_->load(std::memory_order_relaxed);
}

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

std::string CommandExchange::Drain() {
  std::vector<ReceivedLine> lines;
  std::size_t total = 0;
  char buffer[512];
  while (total < kDrainLimit) {
    const std::size_t n = port_.Read(buffer, std::min(sizeof buffer, kDrainLimit - total),
                                     std::chrono::milliseconds(0));
    if (n == 0) break;
    total += n;
    assembler_.Feed(std::string_view(buffer, n), lines);
  }
  counters_.bytesReceived += total;
  counters_.bytesDropped += total;
  std::string stray;
  for (const ReceivedLine& line : lines) {
    if (TakeEcho(session_, line)) {
      ++counters_.echoes;
    } else {
      Keep(stray, LineBytes(line));
    }
  }
  KeepPending(stray);
  assembler_.Clear();
  port_.DiscardInput();
  return stray;
}

void CommandExchange::KeepPending(std::string& kept) const {
  if (!assembler_.MidLine()) return;
  Keep(kept, assembler_.Pending().empty()
                 ? std::string_view("(part of a line longer than 599 bytes)")
                 : assembler_.Pending());
}

ExchangeResult CommandExchange::AfterPrevious(std::string extra) const {
  ExchangeResult r;
  r.status = ExchangeStatus::kUnexpectedAnswer;
  r.command = lastCommand_;
  r.reply = lastReply_;
  r.extra = std::move(extra);
  r.afterPrevious = true;
  r.answerAccepted = true;
  return r;
}

ExchangeResult CommandExchange::Run(const std::function<void(Session&)>& send) {
  ExchangeResult result;
  if (StopAsked()) {
    result.status = ExchangeStatus::kStopped;
    return result;
  }
  KeepPace();
  try {
    std::string stray = Drain();
    if (!stray.empty()) {
      if (answered_) {
        answered_ = false;
        return AfterPrevious(std::move(stray));
      }
      result.dropped = std::move(stray);
    }
  } catch (const LinkError& e) {
    result.status = ExchangeStatus::kPortError;
    result.portError = e.what();
    return result;
  }
  answered_ = false;
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
  const std::string_view commandText = std::string_view(frame).substr(addressed ? 2 : 0);
  result.command = WithoutLineEnd(commandText);
  result.sent = true;
  lastCommand_ = result.command;
  lastReply_.clear();
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
  return AwaitAnswer(std::move(result), ReplyLeadOfQuery(commandText));
}

ExchangeResult CommandExchange::AwaitAnswer(ExchangeResult result, std::string_view lead) {
  const auto deadline = clock_.Now() + timing_.timeout;
  std::vector<ReceivedLine> lines;
  std::optional<ReceivedLine> answer;
  std::string extra;
  char buffer[256];
  while (!answer) {
    const auto now = clock_.Now();
    if (now >= deadline) {
      result.status = ExchangeStatus::kNoAnswer;
      Settle();
      return result;
    }
    auto remaining = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    if (stop_ != nullptr) remaining = std::min(remaining, kStopPoll);
    std::size_t n = 0;
    try {
      n = port_.Read(buffer, sizeof buffer, remaining);
    } catch (const LinkError& e) {
      result.status = ExchangeStatus::kPortError;
      result.portError = e.what();
      Settle();
      return result;
    }
    if (n == 0) {
      // Looked at when nothing came: an answer already there is taken.
      if (StopAsked()) {
        result.status = ExchangeStatus::kStopped;
        Settle();
        return result;
      }
      continue;
    }
    counters_.bytesReceived += n;
    lines.clear();
    assembler_.Feed(std::string_view(buffer, n), lines);
    for (const ReceivedLine& line : lines) {
      if (!answer) {
        // The core's reply side skips the echo of the frame and settles the
        // answer as the program would.
        if (HandleReceivedLine(session_, line)) {
          answer = line;
        } else {
          ++counters_.echoes;
        }
      } else if (TakeEcho(session_, line)) {
        ++counters_.echoes;
      } else {
        Keep(extra, LineBytes(line));
      }
    }
  }
  // A further line already begun counts as well: the unit sends one line.
  KeepPending(extra);

  result.reply = answer->overlong ? LineBytes(*answer) : WithoutLineEnd(answer->text);
  lastReply_ = result.reply;
  const AnswerCheck check = CheckAnswer(session_.model.link, lead, *answer);
  switch (check.kind) {
    case AnswerKind::kAccepted:
      result.answerAccepted = true;
      if (extra.empty()) {
        result.status = ExchangeStatus::kAcknowledged;
      } else {
        result.status = ExchangeStatus::kUnexpectedAnswer;
        result.extra = std::move(extra);
      }
      break;
    case AnswerKind::kStatusWord:
      result.status = ExchangeStatus::kUnitError;
      result.unitStatus = check.unitStatus;
      break;
    case AnswerKind::kUnexpected:
      result.status = ExchangeStatus::kUnexpectedAnswer;
      result.extra = std::move(extra);
      break;
  }
  answered_ = result.status == ExchangeStatus::kAcknowledged;
  lastWasSet_ = lead.empty();
  Settle();
  return result;
}

ExchangeResult CommandExchange::ConfirmQuiet() {
  ExchangeResult quiet;
  quiet.status = ExchangeStatus::kAcknowledged;
  if (!answered_ || !lastWasSet_) return quiet;
  const auto deadline = clock_.Now() + timing_.quietAfterSet;
  std::vector<ReceivedLine> lines;
  std::string stray;
  char buffer[256];
  for (;;) {
    const auto now = clock_.Now();
    if (now >= deadline) break;
    std::size_t n = 0;
    try {
      n = port_.Read(buffer, sizeof buffer,
                     std::chrono::ceil<std::chrono::milliseconds>(deadline - now));
    } catch (const LinkError&) {
      // Nothing more can come: the answer stands.
      break;
    }
    if (n == 0) continue;
    counters_.bytesReceived += n;
    lines.clear();
    assembler_.Feed(std::string_view(buffer, n), lines);
    for (const ReceivedLine& line : lines) {
      if (TakeEcho(session_, line)) {
        ++counters_.echoes;
      } else {
        Keep(stray, LineBytes(line));
      }
    }
    KeepPending(stray);
    if (!stray.empty()) break;
  }
  assembler_.Clear();
  answered_ = false;
  if (stray.empty()) return quiet;
  return AfterPrevious(std::move(stray));
}

ExchangeResult CommandExchange::Send(const Encoded& command) {
  return Run([&command](Session& s) { SendEncoded(s, command); });
}

ExchangeResult CommandExchange::Query(std::string_view query) {
  return Run([query](Session& s) { SendCommandCopy(s, query); });
}

}  // namespace korvex7::ctl
