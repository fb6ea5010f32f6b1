// What every korvex7ctl command runs on: the parsed options, the
// environment (streams, port opener, clock), the progress bar, and the
// shared steps of a command: messages and JSON on the right stream, the port
// opened once and each RS-485 unit served in turn, failures reported with
// where they happened. Each command is a function of its own over this
// context (tools/ctl/commands/).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/link/session.h"
#include "core/model/saved_fields.h"
#include "tools/ctl/command_exchange.h"
#include "tools/ctl/ctl_app.h"
#include "tools/ctl/field_args.h"
#include "tools/ctl/progress.h"
#include "tools/ctl/unit_jobs.h"

namespace korvex7::ctl {

using Json = nlohmann::ordered_json;

// The exit status that an exchange's outcome stands for.
int ExitFor(const ExchangeResult& r);

// What a stopped job leaves on the unit: `partly` when something had been
// sent, else "nothing was sent".
std::string_view StopLeaves(const JobResult& r, std::string_view partly);

// A field table over a model of its own, for name lookups.
struct FieldTable {
  SettingsModel model;
  std::vector<SavedField> fields = SavedFields(model);
};

// One unit while a command runs on it.
struct Unit {
  std::int32_t address = -1;  // -1: RS-232C, no address
  std::string label;          // "unit 05", empty for RS-232C
  Session session;
  CommandExchange* exchange = nullptr;
  Json json = Json::object();

  bool broadcast() const { return address == kBroadcastAddress; }
  std::string Prefix() const { return label.empty() ? std::string() : label + ": "; }
};

class CommandContext {
 public:
  CommandContext(const CtlOptions& options, CtlEnvironment& env);

  const CtlOptions& options() const { return o_; }
  CtlEnvironment& env() { return env_; }
  bool severalUnits() const { return severalUnits_; }

  // Plain words on the error stream, after the progress bar is cleared.
  void Error(std::string_view message);
  // A result line on the output stream (not in JSON mode).
  void Say(const Unit& unit, std::string_view message);
  void PrintJson(const Json& json);
  void ClearProgress() { progress_.Clear(); }
  ProgressFn ProgressFor(const Unit& unit, std::string_view action);

  // kExitOk when a port was given, else the usage error (reported).
  int NeedPort(std::string_view command);
  // Opens the port of --port; on failure reports it, sets `code` (7, or 8
  // for a line that does not fall silent) and returns null.
  std::unique_ptr<LinkPort> OpenPort(int& code);
  // True once the operator asked the run to stop (Ctrl+C, SIGTERM).
  bool StopAsked() const;
  // A new exchange for `unit` on `port` with the run's timing, clock and stop.
  std::unique_ptr<CommandExchange> ExchangeFor(Unit& unit, LinkPort& port,
                                               const ExchangeTiming& timing);
  // Warns, once per run, that the line echoes what is sent, when an exchange
  // met an echo.
  void NoteEchoes(const CommandExchange& exchange);
  // Prepares `unit` for `address` (-1: RS-232C) on the line of the options.
  void SetUpUnit(Unit& unit, std::int32_t address) const;
  // The pacing and time-out of --pace-ms and --timeout-ms for `unit`.
  ExchangeTiming TimingFor(const Unit& unit) const;
  ExchangeClock& Clock();
  // Opens the port once and runs `job` on every unit of --address in turn
  // (or on the one RS-232C unit); returns the worst exit status. In JSON
  // mode prints the "units" list: each unit's address, ok, exit status,
  // commands sent and what the job added.
  int ForEachUnit(bool needsAnswers, const std::function<int(Unit&)>& job);
  // Reports a failed job (what happened, at which command) and returns its
  // exit status. `stopped` says what a stop leaves behind, when the job had
  // sent something ("the unit holds part of the file").
  int ReportFailure(Unit& unit, const JobResult& r, std::string_view stopped = {});
  int ReportRefusals(std::string_view where, const std::vector<Refusal>& refusals);
  // The fields `patterns` select, appended to `indexes` in order; false when
  // a pattern selects nothing (reported).
  bool SelectAll(const std::vector<SavedField>& fields, const std::vector<std::string>& patterns,
                 std::vector<std::size_t>& indexes);
  // The FIELD=VALUE arguments of the command line; every malformed or refused
  // one is reported, and the worst exit status returned (kExitOk when none).
  int ParseAssignments(const std::vector<SavedField>& fields, std::vector<Assignment>& out);
  // Loads a settings file; a file that does not read completely is refused
  // (reported, `code` set).
  bool LoadComplete(const std::string& path, SettingsModel& model, int& code);
  // Writes the model's settings file at `path` (a device's name refused
  // before anything is made); the failure's message, empty when written.
  static std::string SaveSettings(const std::string& path, const SettingsModel& model);

 private:
  const CtlOptions& o_;
  CtlEnvironment& env_;
  ProgressBar progress_;
  bool severalUnits_ = false;
  bool echoWarned_ = false;
};

}  // namespace korvex7::ctl
