// CommandExchange: one command out, its one answer back.
//
// The program paces its commands with window timers: a 400 ms tick sends the
// next step, and the status timer gives up after ten ticks of 190 ms. The
// tool has no message loop. It hands a command to the core's SendCommand,
// then blocks on the port until the answer line is complete and returns at
// once, so the next command can go out as soon as the unit has answered. A
// gap (the pace) can be asked for units that need one.
//
// The answer is judged by the core's own reply side (HandleReceivedLine: the
// RS-485 address, "GO", the status words, data replies decoded into the
// model), so the tool reads and settles every reply exactly as the program
// does. No line within the time-out (1.9 s, the program's ten status-timer
// ticks) is "No Connect". Before each command, bytes left over from an earlier
// answer are dropped, so a late answer is never taken for the next one's.
//
// One thread: the exchange, its Session and its LinkPort belong to the
// caller's thread.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/link/line_assembler.h"
#include "core/link/send_command.h"
#include "core/link/session.h"
#include "tools/ctl/link_port.h"

namespace korvex7::ctl {

enum class ExchangeStatus {
  kAcknowledged,  // "GO", or a data reply decoded into the model
  kBroadcast,     // sent to every unit at once; no unit answers a broadcast
  kRefused,       // the encoder refused a value; nothing was sent
  kNoAnswer,      // no line within the time-out ("No Connect")
  kUnitError,     // a status word, or a reply that failed its check
  kPortError,     // the port failed
};

struct ExchangeResult {
  ExchangeStatus status = ExchangeStatus::kAcknowledged;
  std::int32_t unitStatus = 0;  // kRefused, kUnitError: the code the program shows
  std::string command;          // the command sent, without address and CR LF
  std::string reply;            // the answer line without CR LF; empty when none
  std::string portError;        // kPortError: the operating system's words

  bool ok() const {
    return status == ExchangeStatus::kAcknowledged || status == ExchangeStatus::kBroadcast;
  }
};

// The words the program shows for the outcome: "Success", "No Connect",
// "Lock Display", "Command Error", "チャンネルが重複しています。" ...
std::string OutcomeText(const ExchangeResult& result);

// The program's reply time-out: ten ticks of its 190 ms status timer.
inline constexpr std::chrono::milliseconds kReplyTimeout{1900};
// The program's bulk-transfer pace, kept for broadcasts: no unit answers
// them, so without a gap they would follow one another faster than the
// program ever sends.
inline constexpr std::chrono::milliseconds kBroadcastPace{400};

struct ExchangeTiming {
  std::chrono::milliseconds timeout = kReplyTimeout;
  std::chrono::milliseconds pace{0};  // least gap between an answer and the next command
};

struct LinkCounters {
  std::size_t commands = 0;
  std::size_t bytesSent = 0;      // frames, address included
  std::size_t bytesReceived = 0;  // everything read from the port
};

// Time as the exchange sees it; the tests drive it by hand.
class ExchangeClock {
 public:
  virtual ~ExchangeClock() = default;
  virtual std::chrono::steady_clock::time_point Now() = 0;
  virtual void SleepFor(std::chrono::milliseconds duration) = 0;
};
ExchangeClock& SystemClock();

class CommandExchange {
 public:
  // Takes over session.port for its lifetime (and puts the old one back).
  CommandExchange(Session& session, LinkPort& port, ExchangeTiming timing,
                  ExchangeClock& clock = SystemClock());
  ~CommandExchange();
  CommandExchange(const CommandExchange&) = delete;
  CommandExchange& operator=(const CommandExchange&) = delete;

  // Runs `send`, which hands at most one command to SendCommand (an encoder's
  // Send*, or SendCommandCopy with a query), and waits for its answer.
  ExchangeResult Run(const std::function<void(Session&)>& send);

  // An encoded command, or its refusal.
  ExchangeResult Send(const Encoded& command);

  // A query of the read-all run (sent with SendCommandCopy, as the program does).
  ExchangeResult Query(std::string_view query);

  const LinkCounters& counters() const { return counters_; }
  Session& session() { return session_; }

 private:
  class Recorder;

  void KeepPace();
  void Settle();
  ExchangeResult AwaitAnswer(ExchangeResult result);

  Session& session_;
  LinkPort& port_;
  ExchangeTiming timing_;
  ExchangeClock& clock_;
  PortWriter* previousWriter_;
  LineAssembler assembler_;
  LinkCounters counters_;
  std::optional<std::chrono::steady_clock::time_point> lastSettled_;
};

}  // namespace korvex7::ctl
