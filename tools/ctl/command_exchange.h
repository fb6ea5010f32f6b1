// CommandExchange: one command out, its one answer back.
//
// The program paces its commands with window timers: a 400 ms tick sends the
// next step, and the status timer gives up after ten ticks of 190 ms. The
// tool has no message loop. It hands a command to the core's SendCommand,
// then blocks on the port until the answer line is complete and returns at
// once, so the next command can go out as soon as the unit has answered. A
// gap (the pace) can be asked for units that need one.
//
// Each line goes through the core's reply side (HandleReceivedLine: the
// line's echo skipped, the RS-485 address, "GO", the status words, data
// replies decoded into the model), so the tool settles every reply as the
// program does. The tool then asks more of it (the core's CheckAnswer): a
// Set is answered only by "GO" or a status word, a query only by its own
// well-formed data line; anything else is an unexpected answer, a fault of
// the line, never success. No line within the time-out (1.9 s, the
// program's ten status-timer ticks) is "No Connect". Every wait ends by its
// deadline whatever the port delivers, and what is kept of it is bounded.
//
// One answer per command. Before each command, what has arrived since the
// last one is read and dropped (up to kDrainLimit bytes, the rest discarded
// by the port), so a late answer is never taken for the next one's. After an
// answer was accepted, anything but the echo that follows it (in the same
// read, or found before the next command, or within the quiet time after the
// last Set, ConfirmQuiet) means the line added or repeated a line: the
// answer just taken may not be the unit's, and the exchange reports it as
// unexpected. A device server that re-sends an answer late would otherwise
// hide a refusal behind a repeated "GO".
//
// One thread: the exchange, its Session and its LinkPort belong to the
// caller's thread. The stop flag may be set from a signal handler or another
// thread; it is only read here, between commands and while an answer is
// awaited.
#pragma once

#include <atomic>
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
#include "link/link_port.h"

namespace korvex7::ctl {

// The tool's ports are the link library's (link/), shared with the program.
using links::ExchangeClock;
using links::LinkError;
using links::LinkErrorKind;
using links::LinkPort;
using links::SystemClock;

enum class ExchangeStatus {
  kAcknowledged,      // "GO" to a Set, or the query's own data line decoded into the model
  kBroadcast,         // sent to every unit at once; no unit answers a broadcast
  kRefused,           // the encoder refused a value; nothing was sent
  kNoAnswer,          // no line within the time-out ("No Connect")
  kUnitError,         // a status word: the unit refused the command
  kUnexpectedAnswer,  // a line that is no answer to the command, or more than one answer
  kPortError,         // the port failed
  kStopped,           // a stop was asked (Ctrl+C, SIGTERM)
};

struct ExchangeResult {
  ExchangeStatus status = ExchangeStatus::kAcknowledged;
  std::int32_t unitStatus = 0;  // kRefused, kUnitError: the code the program shows
  std::string command;          // the command sent, without address and CR LF
  std::string reply;            // the answer line, its CR LF removed; empty when none
  std::string extra;            // kUnexpectedAnswer: what came after the answer
  std::string dropped;          // bytes dropped before the command went out (their start)
  std::string portError;        // kPortError: the operating system's words
  bool sent = false;            // the command went out
  // The answer line was the one the command asks for ("GO" to a Set, the
  // query's data line), whatever came after it.
  bool answerAccepted = false;
  // kUnexpectedAnswer found before this command went out: the line that
  // followed the answer to the previous command (`command` and `reply` are
  // that command's), so nothing more was sent.
  bool afterPrevious = false;

  bool ok() const {
    return status == ExchangeStatus::kAcknowledged || status == ExchangeStatus::kBroadcast;
  }
};

// The words the program shows for the outcome: "Success", "No Connect",
// "Lock Display", "Command Error", "チャンネルが重複しています。" ...; and the
// tool's own for what the program has no words for: "unexpected answer",
// "stopped".
std::string OutcomeText(const ExchangeResult& result);

// Bytes from the line as people read them (\r, \n, \xNN), cut to `limit`
// bytes of the input with the whole count after it when longer.
std::string ShownBytes(std::string_view bytes, std::size_t limit = 64);

// The program's reply time-out: ten ticks of its 190 ms status timer.
inline constexpr std::chrono::milliseconds kReplyTimeout{1900};
// The program's bulk-transfer pace, kept for broadcasts: no unit answers
// them, so without a gap they would follow one another faster than the
// program ever sends.
inline constexpr std::chrono::milliseconds kBroadcastPace{400};
// How long the line must stay silent after the last Set's answer before its
// run counts as done (ConfirmQuiet); the same quiet time the port waits for
// after it is opened (quiet_line.h).
inline constexpr std::chrono::milliseconds kAnswerQuietTime{100};
// The most read and dropped before a command; the port discards the rest.
inline constexpr std::size_t kDrainLimit = 4096;
// While a stop may be asked, the answer is awaited in slices this long.
inline constexpr std::chrono::milliseconds kStopPoll{100};

struct ExchangeTiming {
  std::chrono::milliseconds timeout = kReplyTimeout;
  std::chrono::milliseconds pace{0};  // least gap between an answer and the next command
  std::chrono::milliseconds quietAfterSet = kAnswerQuietTime;
};

struct LinkCounters {
  std::size_t commands = 0;
  std::size_t bytesSent = 0;      // frames, address included
  std::size_t bytesReceived = 0;  // everything read from the port
  std::size_t echoes = 0;         // lines that were the echo of a frame sent
  std::size_t bytesDropped = 0;   // read and dropped before a command
};

class CommandExchange {
 public:
  // Takes over session.port for its lifetime (and puts the old one back).
  // `stop`, when given, is looked at between commands and while an answer
  // is awaited.
  CommandExchange(Session& session, LinkPort& port, ExchangeTiming timing,
                  ExchangeClock& clock = SystemClock(), const std::atomic<bool>* stop = nullptr);
  ~CommandExchange();
  CommandExchange(const CommandExchange&) = delete;
  CommandExchange& operator=(const CommandExchange&) = delete;

  // Runs `send`, which hands at most one command to SendCommand (an encoder's
  // Send*, or SendCommandCopy with a query), and waits for its answer. A
  // command that is one of the read-all queries is answered by its data
  // line; any other by "GO" or a status word.
  ExchangeResult Run(const std::function<void(Session&)>& send);

  // An encoded command, or its refusal.
  ExchangeResult Send(const Encoded& command);

  // A query of the read-all run (sent with SendCommandCopy, as the program does).
  ExchangeResult Query(std::string_view query);

  // After the last command of a run: when it was a Set that was accepted,
  // waits up to the quiet time for anything more from the line. Anything but
  // its echo makes the answer doubtful and is reported as an unexpected
  // answer (afterPrevious); otherwise, or when there is nothing to confirm,
  // the result is kAcknowledged.
  ExchangeResult ConfirmQuiet();

  const LinkCounters& counters() const { return counters_; }
  Session& session() { return session_; }

 private:
  class Recorder;

  bool StopAsked() const;
  void KeepPace();
  void Settle();
  // Reads what has arrived (at most kDrainLimit bytes) and discards the rest;
  // echo lines are counted, everything else is returned.
  std::string Drain();
  ExchangeResult AwaitAnswer(ExchangeResult result, std::string_view lead);
  // Appends the start of a line begun and not ended to `kept`.
  void KeepPending(std::string& kept) const;
  // A line followed the accepted answer to the previous command.
  ExchangeResult AfterPrevious(std::string extra) const;

  Session& session_;
  LinkPort& port_;
  ExchangeTiming timing_;
  ExchangeClock& clock_;
  const std::atomic<bool>* stop_;
  PortWriter* previousWriter_;
  LineAssembler assembler_;
  LinkCounters counters_;
  std::optional<std::chrono::steady_clock::time_point> lastSettled_;
  // The last command's accepted answer; anything after it is suspect.
  bool answered_ = false;
  bool lastWasSet_ = false;
  std::string lastCommand_;
  std::string lastReply_;
};

}  // namespace korvex7::ctl
