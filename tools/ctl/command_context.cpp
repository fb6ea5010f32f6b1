#include "tools/ctl/command_context.h"

#include <algorithm>

#include "core/model/settings_store.h"
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
      return kExitUnitError;
    case ExchangeStatus::kPortError:
      return kExitPortError;
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

void CommandContext::PrintJson(const Json& json) { env_.out << json.dump(2) << '\n'; }

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

  const std::unique_ptr<LinkPort> port = OpenPort();
  if (!port) return kExitPortError;

  int worst = kExitOk;
  Json units = Json::array();
  for (const std::int32_t address : addresses) {
    Unit unit;
    SetUpUnit(unit, address);
    CommandExchange exchange(unit.session, *port, TimingFor(unit), Clock());
    unit.exchange = &exchange;
    const int code = job(unit);
    progress_.Clear();
    unit.json["ok"] = code == kExitOk || code == kExitDifferent;
    unit.json["exit"] = code;
    unit.json["commands"] = exchange.counters().commands;
    units.push_back(std::move(unit.json));
    worst = std::max(worst, code);
  }
  if (o_.json) PrintJson(Json{{"units", std::move(units)}});
  return worst;
}

std::unique_ptr<LinkPort> CommandContext::OpenPort() {
  try {
    return env_.openPort(o_.port);
  } catch (const LinkError& e) {
    Error(e.what());
    return nullptr;
  }
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

int CommandContext::ReportFailure(Unit& unit, const JobResult& r) {
  const ExchangeResult& f = r.failure;
  const std::string outcome = OutcomeText(f);
  std::string where =
      "command " + std::to_string(r.failedAt + 1) + " of " + std::to_string(r.total);
  std::string detail;
  switch (f.status) {
    case ExchangeStatus::kNoAnswer:
      detail =
          "no answer to " + f.command + " within " + std::to_string(o_.timeoutMs) + " ms, " + where;
      break;
    case ExchangeStatus::kUnitError:
      detail = "the unit answered \"" + f.reply + "\" to " + f.command + ", " + where;
      break;
    case ExchangeStatus::kRefused:
      detail = where + ", nothing sent";
      break;
    case ExchangeStatus::kPortError:
      detail = (f.command.empty() ? std::string() : "while sending " + f.command + ", ") + where;
      break;
    case ExchangeStatus::kAcknowledged:
    case ExchangeStatus::kBroadcast:
      break;
  }
  Error(unit.Prefix() + outcome + " (" + detail + ")");
  unit.json["error"] = outcome;
  unit.json["command"] = f.command;
  unit.json["reply"] = f.reply;
  return ExitFor(f);
}

int CommandContext::ReportRefusals(std::string_view where, const std::vector<Refusal>& refusals) {
  for (const Refusal& r : refusals) {
    Error(std::string(where) + r.field + ": " + r.message);
  }
  Error("nothing was sent");
  return kExitRefused;
}

}  // namespace korvex7::ctl
