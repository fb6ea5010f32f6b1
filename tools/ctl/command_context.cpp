#include "tools/ctl/command_context.h"

#include <algorithm>

#include "core/model/settings_store.h"
#include "core/text/escaped_bytes.h"
#include "core/transfer/read_all.h"
#include "platform/atomic_file.h"
#include "tools/ctl/address_list.h"
#include "tools/ctl/report.h"

namespace korvex7::ctl {

namespace {
constexpr std::string_view kProgram = "korvex7ctl";
}  // namespace

int ExitFor(const ExchangeResult& r) {
  switch (r.status) {
    case ExchangeStatus::kAcknowledged:
    case ExchangeStatus::kBroadcast:
      return kExitOk;
    case ExchangeStatus::kRefused:
      return kExitRefused;
    case ExchangeStatus::kNoAnswer:
      return kExitNoAnswer;
    case ExchangeStatus::kUnitError:
    case ExchangeStatus::kUnexpectedAnswer:
      return kExitUnitError;
    case ExchangeStatus::kPortError:
      return kExitPortError;
    case ExchangeStatus::kStopped:
      return kExitStopped;
  }
  return kExitUnitError;
}

CommandContext::CommandContext(const CtlOptions& options, CtlEnvironment& env)
    : o_(options), env_(env), progress_(env.err, env.progressTerminal && !options.noProgress) {}

void CommandContext::Error(std::string_view message) {
  progress_.Clear();
  env_.err << kProgram << ": " << message << '\n';
}

void CommandContext::Say(const Unit& unit, std::string_view message) {
  if (o_.json) return;
  progress_.Clear();
  env_.out << unit.Prefix() << message << '\n';
}

void CommandContext::PrintJson(const Json& json) {
  // Bytes from the line are escaped before they get here; a text that is not
  // UTF-8 all the same is shown with replacement characters, never refused.
  env_.out << json.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

ProgressFn CommandContext::ProgressFor(const Unit& unit, std::string_view action) {
  std::string label =
      unit.label.empty() ? std::string(action) : unit.label + " " + std::string(action);
  return [this, label](int done, int total) { progress_.Show(label, done, total); };
}

bool CommandContext::SelectAll(const std::vector<SavedField>& fields,
                               const std::vector<std::string>& patterns,
                               std::vector<std::size_t>& indexes) {
  for (const auto& pattern : patterns) {
    const FieldSelection s = SelectFields(fields, pattern);
    if (!s.ok()) {
      Error(s.error);
      return false;
    }
    indexes.insert(indexes.end(), s.indexes.begin(), s.indexes.end());
  }
  return true;
}

int CommandContext::ParseAssignments(const std::vector<SavedField>& fields,
                                     std::vector<Assignment>& out) {
  int worst = kExitOk;
  for (const auto& argument : o_.arguments) {
    out.push_back(ParseAssignment(fields, argument));
    const Assignment& a = out.back();
    if (a.error == ArgumentError::kNone) continue;
    Error(a.message);
    worst = std::max(
        worst, static_cast<int>(a.error == ArgumentError::kMalformed ? kExitUsage : kExitRefused));
  }
  return worst;
}

bool CommandContext::LoadComplete(const std::string& path, SettingsModel& model, int& code) {
  const SettingsFileLoad loaded = LoadSettingsFromFile(path, model);
  if (loaded.complete) return true;
  Error(loaded.message);
  code = kExitFileError;
  return false;
}

std::string CommandContext::SaveSettings(const std::string& path, const SettingsModel& model) {
  if (!MayBeSettingsFile(path)) return SettingsFileWriteRefusal(path);
  return platform::ReplaceFileAtomically(PathFromUtf8(path), SettingsFileBytes(model)).message;
}

int CommandContext::NeedPort(std::string_view command) {
  if (!o_.port.empty()) return kExitOk;
  Error(std::string(command) + " talks to the unit: give the serial port with --port");
  return kExitUsage;
}

int CommandContext::ForEachUnit(bool needsAnswers, const std::function<int(Unit&)>& job) {
  std::vector<std::int32_t> addresses;
  if (o_.rs485) {
    const AddressList list = ParseAddressList(o_.addresses);
    if (!list.ok()) {
      Error("--address: " + list.error);
      return kExitUsage;
    }
    addresses = list.addresses;
    if (needsAnswers && addresses.front() == kBroadcastAddress) {
      Error("no unit answers a broadcast (FF): give the address of each unit to read");
      return kExitUsage;
    }
  } else {
    addresses.push_back(-1);
  }
  severalUnits_ = addresses.size() > 1;

  int worst = kExitOk;
  const std::unique_ptr<LinkPort> port = OpenPort(worst);
  if (!port) return worst;

  Json units = Json::array();
  for (const std::int32_t address : addresses) {
    Unit unit;
    SetUpUnit(unit, address);
    const std::unique_ptr<CommandExchange> exchange = ExchangeFor(unit, *port, TimingFor(unit));
    unit.exchange = exchange.get();
    const int code = job(unit);
    progress_.Clear();
    NoteEchoes(*exchange);
    unit.json["ok"] = code == kExitOk || code == kExitDifferent;
    unit.json["exit"] = code;
    unit.json["commands"] = exchange->counters().commands;
    units.push_back(std::move(unit.json));
    worst = std::max(worst, code);
    // A stop ends the run here: the units after this one are not served.
    if (code == kExitStopped || StopAsked()) {
      if (code != kExitStopped && address != addresses.back()) {
        Error("stopped after " + (unit.label.empty() ? std::string("the unit") : unit.label) +
              ": the units after it were not served");
      }
      worst = kExitStopped;
      break;
    }
  }
  if (o_.json) PrintJson(Json{{"units", std::move(units)}});
  return worst;
}

std::unique_ptr<LinkPort> CommandContext::OpenPort(int& code) {
  try {
    return env_.openPort(o_.port);
  } catch (const LinkError& e) {
    Error(e.what());
    code = e.kind() == LinkErrorKind::kUnreliable ? kExitUnreliableLine : kExitPortError;
    return nullptr;
  }
}

bool CommandContext::StopAsked() const {
  return env_.stop != nullptr && env_.stop->load(std::memory_order_relaxed);
}

std::unique_ptr<CommandExchange> CommandContext::ExchangeFor(Unit& unit, LinkPort& port,
                                                             const ExchangeTiming& timing) {
  return std::make_unique<CommandExchange>(unit.session, port, timing, Clock(), env_.stop);
}

void CommandContext::NoteEchoes(const CommandExchange& exchange) {
  if (echoWarned_ || exchange.counters().echoes == 0) return;
  echoWarned_ = true;
  Error(
      "warning: the line echoes what is sent (a 2-wire RS-485 line or the device server): "
      "each echo of a command was recognised and skipped");
}

void CommandContext::SetUpUnit(Unit& unit, std::int32_t address) const {
  unit.address = address;
  if (address >= 0) unit.label = "unit " + AddressName(address);
  unit.session.model.link.mode = o_.rs485 ? kLinkRs485 : kLinkRs232c;
  unit.session.model.link.slaveAddress = address >= 0 ? address : 0;
  unit.json["address"] = address >= 0 ? Json(AddressName(address)) : Json(nullptr);
}

ExchangeTiming CommandContext::TimingFor(const Unit& unit) const {
  ExchangeTiming timing;
  timing.timeout = std::chrono::milliseconds(o_.timeoutMs);
  if (o_.paceMs) {
    timing.pace = std::chrono::milliseconds(*o_.paceMs);
  } else if (unit.broadcast()) {
    timing.pace = kBroadcastPace;
  }
  return timing;
}

ExchangeClock& CommandContext::Clock() {
  return env_.clock != nullptr ? *env_.clock : SystemClock();
}

int CommandContext::ReportFailure(Unit& unit, const JobResult& r, std::string_view stopped) {
  const ExchangeResult& f = r.failure;
  const std::string outcome = OutcomeText(f);
  const std::string total = std::to_string(r.total);
  const std::string where = "command " + std::to_string(r.failedAt + 1) + " of " + total;
  const std::string reply = ShownBytes(f.reply);
  std::string message;
  switch (f.status) {
    case ExchangeStatus::kNoAnswer:
      message = outcome + " (no answer to " + f.command + " within " +
                std::to_string(o_.timeoutMs) + " ms, " + where + ")";
      break;
    case ExchangeStatus::kUnitError:
      message =
          outcome + " (the unit answered \"" + reply + "\" to " + f.command + ", " + where + ")";
      break;
    case ExchangeStatus::kUnexpectedAnswer:
      if (f.afterPrevious) {
        message = outcome + " (\"" + ShownBytes(f.extra) + "\" came after the answer \"" + reply +
                  "\" to " + f.command + ", command " + std::to_string(r.failedAt) + " of " +
                  total + ": the answer may not be the unit's; nothing more was sent)";
      } else if (!f.extra.empty()) {
        message = outcome + " (\"" + ShownBytes(f.extra) + "\" came after the answer \"" + reply +
                  "\" to " + f.command + ", " + where + ": the answer may not be the unit's)";
      } else {
        const std::string_view lead = ReplyLeadOfQuery(f.command + "\r\n");
        message = outcome + " \"" + reply + "\" to " + f.command + " (" + where + "; " +
                  (lead.empty() ? std::string("the unit answers it with GO or a status word")
                                : "the unit answers it with its " + std::string(lead) + " line") +
                  ")";
      }
      break;
    case ExchangeStatus::kRefused:
      message = outcome + " (" + where + ", nothing sent)";
      break;
    case ExchangeStatus::kPortError:
      message = outcome + " (" +
                (f.command.empty() ? std::string() : "while sending " + f.command + ", ") + where +
                ")";
      break;
    case ExchangeStatus::kStopped:
      message = f.sent ? "stopped while waiting for the answer to " + f.command + ", " + where
                       : "stopped at " + where;
      if (!stopped.empty()) message += ": " + std::string(stopped);
      break;
    case ExchangeStatus::kAcknowledged:
    case ExchangeStatus::kBroadcast:
      message = outcome;
      break;
  }
  Error(unit.Prefix() + message);
  unit.json["error"] = outcome;
  unit.json["command"] = EscapeWire(f.command);
  unit.json["reply"] = EscapeWire(f.reply);
  if (!f.extra.empty()) unit.json["after"] = EscapeWire(f.extra);
  if (f.status == ExchangeStatus::kStopped) unit.json["stoppedAt"] = r.failedAt + 1;
  return ExitFor(f);
}

std::string_view StopLeaves(const JobResult& r, std::string_view partly) {
  return r.failedAt > 0 || r.failure.sent ? partly : std::string_view("nothing was sent");
}

int CommandContext::ReportRefusals(std::string_view where, const std::vector<Refusal>& refusals) {
  for (const Refusal& r : refusals) {
    Error(std::string(where) + r.field + ": " + r.message);
  }
  Error("nothing was sent");
  return kExitRefused;
}

}  // namespace korvex7::ctl
