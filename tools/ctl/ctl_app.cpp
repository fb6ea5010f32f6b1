#include "tools/ctl/ctl_app.h"

#include <algorithm>
#include <ctime>

#include <nlohmann/json.hpp>

#include "core/commands/date_time_commands.h"
#include "core/commands/screen_split_commands.h"
#include "core/link/send_command.h"
#include "core/model/saved_fields.h"
#include "core/model/settings_store.h"
#include "core/transfer/read_all.h"
#include "core/transfer/send_all_steps.h"
#include "platform/atomic_file.h"
#include "tools/ctl/address_list.h"
#include "tools/ctl/field_args.h"
#include "tools/ctl/field_values.h"
#include "tools/ctl/progress.h"
#include "tools/ctl/report.h"
#include "tools/ctl/unit_jobs.h"

namespace korvex7::ctl {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kProgram = "korvex7ctl";

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

std::tm SystemLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return local;
}

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

class Runner {
 public:
  Runner(const CtlOptions& options, CtlEnvironment& env)
      : o_(options), env_(env), progress_(env.err, env.progressTerminal && !options.noProgress) {}

  int Run();

 private:
  int ListPorts();
  int Fields();
  int Show();
  int Diff();
  int Read();
  int Write();
  int Get();
  int Set();
  int Send();
  int Switch();
  int Clock();

  // Plain words on the error stream, after the progress bar is cleared.
  void Error(std::string_view message) {
    progress_.Clear();
    env_.err << kProgram << ": " << message << '\n';
  }
  // A result line on the output stream (not in JSON mode).
  void Say(const Unit& unit, std::string_view message) {
    if (o_.json) return;
    progress_.Clear();
    env_.out << unit.Prefix() << message << '\n';
  }
  void PrintJson(const Json& json) { env_.out << json.dump(2) << '\n'; }

  ProgressFn ProgressFor(const Unit& unit, std::string_view action) {
    std::string label =
        unit.label.empty() ? std::string(action) : unit.label + " " + std::string(action);
    return [this, label](int done, int total) { progress_.Show(label, done, total); };
  }

  int NeedPort(std::string_view command);
  // Runs `job` on every unit in turn on one open port; returns the worst code.
  int ForEachUnit(bool needsAnswers, const std::function<int(Unit&)>& job);
  int ReportFailure(Unit& unit, const JobResult& r);
  int ReportRefusals(std::string_view where, const std::vector<Refusal>& refusals);
  // Loads a settings file; a file that does not read completely is refused.
  bool LoadComplete(const std::string& path, SettingsModel& model, int& code);
  int GetFromFile();
  int SetInFile();

  const CtlOptions& o_;
  CtlEnvironment& env_;
  ProgressBar progress_;
  bool severalUnits_ = false;
};

int Runner::Run() {
  switch (o_.command) {
    case CtlCommand::kNone:
      Error("no command given (try --help)");
      return kExitUsage;
    case CtlCommand::kListPorts:
      return ListPorts();
    case CtlCommand::kFields:
      return Fields();
    case CtlCommand::kShow:
      return Show();
    case CtlCommand::kDiff:
      return Diff();
    case CtlCommand::kRead:
      return Read();
    case CtlCommand::kWrite:
      return Write();
    case CtlCommand::kGet:
      return Get();
    case CtlCommand::kSet:
      return Set();
    case CtlCommand::kSend:
      return Send();
    case CtlCommand::kSwitch:
      return Switch();
    case CtlCommand::kClock:
      return Clock();
  }
  return kExitUsage;
}

int Runner::ListPorts() {
  const std::vector<std::string> ports = env_.listPorts();
  if (o_.json) {
    PrintJson(Json{{"ports", ports}});
  } else {
    for (const auto& p : ports) env_.out << p << '\n';
  }
  return kExitOk;
}

int Runner::Fields() {
  Json list = Json::array();
  FieldTable table;
  for (const FieldFamily& family : FieldFamilies()) {
    std::size_t entries = 0;
    for (const auto& f : table.fields) {
      if (f.name == family.name || f.name.rfind(std::string(family.name) + "[", 0) == 0) ++entries;
    }
    std::string name(family.name);
    if (entries > 1 || family.stepPerEntry) name += "[0.." + std::to_string(entries - 1) + "]";
    const std::string accepted = AcceptedValues(family);
    if (o_.json) {
      list.push_back({{"field", name},
                      {"values", accepted},
                      {"unit", family.step >= 0},
                      {"description", family.help}});
      continue;
    }
    std::string line = name;
    line.resize(std::max<std::size_t>(line.size() + 1, 34), ' ');
    line += accepted;
    line.resize(std::max<std::size_t>(line.size() + 2, 80), ' ');
    line += family.help;
    if (family.step < 0) line += " (not on the unit)";
    env_.out << line << '\n';
  }
  if (o_.json) PrintJson(Json{{"fields", list}});
  return kExitOk;
}

bool Runner::LoadComplete(const std::string& path, SettingsModel& model, int& code) {
  const SettingsFileLoad loaded = LoadSettingsFromFile(path, model);
  if (loaded.complete) return true;
  Error(loaded.message);
  code = kExitFileError;
  return false;
}

int Runner::Show() {
  const std::string& path = o_.arguments.front();
  FieldTable table;
  const SettingsFileLoad loaded = LoadSettingsFromFile(path, table.model);
  if (!loaded.opened) {
    Error(loaded.message);
    return kExitFileError;
  }
  std::vector<std::size_t> indexes;
  if (o_.arguments.size() == 1) {
    for (std::size_t i = 0; i < table.fields.size(); ++i) indexes.push_back(i);
  }
  for (std::size_t a = 1; a < o_.arguments.size(); ++a) {
    const FieldSelection s = SelectFields(table.fields, o_.arguments[a]);
    if (!s.ok()) {
      Error(s.error);
      return kExitUsage;
    }
    indexes.insert(indexes.end(), s.indexes.begin(), s.indexes.end());
  }
  if (o_.json) {
    PrintJson(Json{{"file", path}, {"fields", FieldsJson(table.fields, indexes)}});
  } else {
    env_.out << FieldsText(table.fields, indexes);
  }
  if (!loaded.complete) {
    // Shown as far as it could be read, but not a success.
    Error(loaded.message);
    return kExitFileError;
  }
  return kExitOk;
}

int Runner::NeedPort(std::string_view command) {
  if (!o_.port.empty()) return kExitOk;
  Error(std::string(command) + " talks to the unit: give the serial port with --port");
  return kExitUsage;
}

int Runner::ForEachUnit(bool needsAnswers, const std::function<int(Unit&)>& job) {
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

  std::unique_ptr<LinkPort> port;
  try {
    port = env_.openPort(o_.port);
  } catch (const LinkError& e) {
    Error(e.what());
    return kExitPortError;
  }

  int worst = kExitOk;
  Json units = Json::array();
  for (const std::int32_t address : addresses) {
    Unit unit;
    unit.address = address;
    if (address >= 0) unit.label = "unit " + AddressName(address);
    unit.session.model.link.mode = o_.rs485 ? kLinkRs485 : kLinkRs232c;
    unit.session.model.link.slaveAddress = address >= 0 ? address : 0;
    ExchangeTiming timing;
    timing.timeout = std::chrono::milliseconds(o_.timeoutMs);
    if (o_.paceMs) {
      timing.pace = std::chrono::milliseconds(*o_.paceMs);
    } else if (unit.broadcast()) {
      timing.pace = kBroadcastPace;
    }
    CommandExchange exchange(unit.session, *port, timing,
                             env_.clock != nullptr ? *env_.clock : SystemClock());
    unit.exchange = &exchange;
    unit.json["address"] = address >= 0 ? Json(AddressName(address)) : Json(nullptr);
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

int Runner::ReportFailure(Unit& unit, const JobResult& r) {
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

int Runner::ReportRefusals(std::string_view where, const std::vector<Refusal>& refusals) {
  for (const Refusal& r : refusals) {
    Error(std::string(where) + r.field + ": " + r.message);
  }
  Error("nothing was sent");
  return kExitRefused;
}

int Runner::Read() {
  if (const int c = NeedPort("read")) return c;
  const std::string& file = o_.arguments.front();
  return ForEachUnit(true, [&](Unit& unit) {
    const JobResult r = ReadAllSettings(*unit.exchange, ProgressFor(unit, "read"));
    if (!r.ok) return ReportFailure(unit, r);
    const std::string path =
        unit.address >= 0 ? UnitFileName(file, unit.address, severalUnits_) : file;
    unit.json["file"] = path;
    const std::string bytes = SettingsFileBytes(unit.session.model);
    const std::string error = platform::ReplaceFileAtomically(PathFromUtf8(path), bytes).message;
    if (!error.empty()) {
      Error(unit.Prefix() + error);
      unit.json["error"] = error;
      return static_cast<int>(kExitFileError);
    }
    Say(unit, "read " + std::to_string(r.total) + " settings queries, saved " + path);
    return static_cast<int>(kExitOk);
  });
}

int Runner::Write() {
  if (const int c = NeedPort("write")) return c;
  const std::string& file = o_.arguments.front();
  SettingsModel settings;
  int code = kExitOk;
  if (!LoadComplete(file, settings, code)) return code;
  const std::vector<Refusal> refusals = CheckSendAll(settings);
  if (!refusals.empty()) return ReportRefusals(file + ": ", refusals);
  return ForEachUnit(false, [&](Unit& unit) {
    const SettingsModel::Link link = unit.session.model.link;
    unit.session.model = settings;
    unit.session.model.link = link;
    const JobResult r = WriteAllSettings(*unit.exchange, ProgressFor(unit, "write"));
    if (!r.ok) return ReportFailure(unit, r);
    Say(unit, unit.broadcast() ? "sent " + std::to_string(r.total) +
                                     " settings to every unit (Broadcast: no unit answers)"
                               : "wrote " + std::to_string(r.total) + " settings from " + file);
    return static_cast<int>(kExitOk);
  });
}

int Runner::GetFromFile() {
  FieldTable table;
  int code = kExitOk;
  if (!LoadComplete(o_.file, table.model, code)) return code;
  std::vector<std::size_t> indexes;
  for (const auto& pattern : o_.arguments) {
    const FieldSelection s = SelectFields(table.fields, pattern);
    if (!s.ok()) {
      Error(s.error);
      return kExitUsage;
    }
    indexes.insert(indexes.end(), s.indexes.begin(), s.indexes.end());
  }
  if (o_.json) {
    PrintJson(Json{{"file", o_.file}, {"fields", FieldsJson(table.fields, indexes)}});
  } else {
    env_.out << FieldsText(table.fields, indexes);
  }
  return kExitOk;
}

int Runner::Get() {
  if (!o_.file.empty()) return GetFromFile();
  FieldTable table;
  std::vector<std::size_t> indexes;
  for (const auto& pattern : o_.arguments) {
    const FieldSelection s = SelectFields(table.fields, pattern);
    if (!s.ok()) {
      Error(s.error);
      return kExitUsage;
    }
    indexes.insert(indexes.end(), s.indexes.begin(), s.indexes.end());
  }
  std::vector<std::string> notKept;
  const std::vector<int> queries = QueriesFor(table.fields, indexes, &notKept);
  if (!notKept.empty()) {
    for (const auto& name : notKept) {
      Error(name + " is kept in settings files only; the unit does not report it");
    }
    return kExitUsage;
  }
  if (const int c = NeedPort("get")) return c;
  return ForEachUnit(true, [&](Unit& unit) {
    const JobResult r = RunQueries(*unit.exchange, queries, ProgressFor(unit, "get"));
    if (!r.ok) return ReportFailure(unit, r);
    const std::vector<SavedField> fields = SavedFields(unit.session.model);
    if (o_.json) {
      unit.json["fields"] = FieldsJson(fields, indexes);
    } else {
      progress_.Clear();
      env_.out << FieldsText(fields, indexes, unit.Prefix());
    }
    return static_cast<int>(kExitOk);
  });
}

int Runner::SetInFile() {
  FieldTable table;
  int code = kExitOk;
  if (!LoadComplete(o_.file, table.model, code)) return code;
  std::vector<Assignment> assignments;
  int worst = kExitOk;
  for (const auto& argument : o_.arguments) {
    assignments.push_back(ParseAssignment(table.fields, argument));
    const Assignment& a = assignments.back();
    if (a.error == ArgumentError::kNone) continue;
    Error(a.message);
    worst = std::max(
        worst, static_cast<int>(a.error == ArgumentError::kMalformed ? kExitUsage : kExitRefused));
  }
  if (worst != kExitOk) {
    Error(o_.file + " was not changed");
    return worst;
  }
  ApplyAssignments(table.fields, assignments);
  // The same checks as before sending: a file must stay sendable.
  const SetPlan plan = PlanSet(table.fields, assignments);
  const BuiltCommands built = BuildCommands(table.model, plan);
  if (!built.refusals.empty()) {
    for (const Refusal& r : built.refusals) Error(r.field + ": " + r.message);
    Error(o_.file + " was not changed");
    return kExitRefused;
  }
  const std::string bytes = SettingsFileBytes(table.model);
  const std::string error = platform::ReplaceFileAtomically(PathFromUtf8(o_.file), bytes).message;
  if (!error.empty()) {
    Error(error);
    return kExitFileError;
  }
  return kExitOk;
}

int Runner::Set() {
  if (!o_.file.empty()) return SetInFile();
  FieldTable table;
  std::vector<Assignment> assignments;
  int worst = kExitOk;
  for (const auto& argument : o_.arguments) {
    assignments.push_back(ParseAssignment(table.fields, argument));
    const Assignment& a = assignments.back();
    if (a.error == ArgumentError::kNone) continue;
    Error(a.message);
    worst = std::max(
        worst, static_cast<int>(a.error == ArgumentError::kMalformed ? kExitUsage : kExitRefused));
  }
  const SetPlan plan = PlanSet(table.fields, assignments);
  for (const auto& e : plan.errors) {
    Error(e);
    worst = std::max(worst, static_cast<int>(kExitUsage));
  }
  if (worst != kExitOk) {
    Error("nothing was sent");
    return worst;
  }
  if (plan.queries.empty()) {
    // Every value is known without asking the unit: check all of them now.
    ApplyAssignments(table.fields, assignments);
    const BuiltCommands built = BuildCommands(table.model, plan);
    if (!built.refusals.empty()) return ReportRefusals("", built.refusals);
  } else if (o_.rs485 && ParseAddressList(o_.addresses).addresses ==
                             std::vector<std::int32_t>{kBroadcastAddress}) {
    for (const PlannedCommand& c : plan.commands) {
      if (std::find(plan.queries.begin(), plan.queries.end(), c.step) == plan.queries.end())
        continue;
      Error("setting part of " + c.fields +
            " needs the unit's current values of the other entries, and no unit answers a "
            "broadcast: give every entry, or address the units one by one");
    }
    return kExitUsage;
  }
  if (const int c = NeedPort("set")) return c;
  return ForEachUnit(false, [&](Unit& unit) {
    if (!plan.queries.empty()) {
      const JobResult r = RunQueries(*unit.exchange, plan.queries, ProgressFor(unit, "read"));
      if (!r.ok) return ReportFailure(unit, r);
    }
    ApplyAssignments(SavedFields(unit.session.model), assignments);
    const BuiltCommands built = BuildCommands(unit.session.model, plan);
    if (!built.refusals.empty()) return ReportRefusals(unit.Prefix(), built.refusals);
    const JobResult r = SendCommands(*unit.exchange, built.commands, ProgressFor(unit, "set"));
    if (!r.ok) return ReportFailure(unit, r);
    Say(unit, "set " + std::to_string(o_.arguments.size()) + " values with " +
                  std::to_string(r.total) + (r.total == 1 ? " command" : " commands") +
                  (unit.broadcast() ? " to every unit (Broadcast: no unit answers)" : ""));
    return static_cast<int>(kExitOk);
  });
}

int Runner::Diff() {
  if (!o_.diffUnit) {
    SettingsModel a;
    SettingsModel b;
    int code = kExitOk;
    if (!LoadComplete(o_.arguments[0], a, code) || !LoadComplete(o_.arguments[1], b, code)) {
      return code;
    }
    const auto differences = DiffModels(a, b, false);
    if (o_.json) {
      PrintJson(Json{
          {"a", o_.arguments[0]}, {"b", o_.arguments[1]}, {"differences", DiffJson(differences)}});
    } else {
      env_.out << DiffText(differences);
    }
    return differences.empty() ? kExitOk : kExitDifferent;
  }
  if (const int c = NeedPort("diff --unit")) return c;
  const std::string& file = o_.arguments.front();
  SettingsModel settings;
  int code = kExitOk;
  if (!LoadComplete(file, settings, code)) return code;
  return ForEachUnit(true, [&](Unit& unit) {
    const JobResult r = ReadAllSettings(*unit.exchange, ProgressFor(unit, "read"));
    if (!r.ok) return ReportFailure(unit, r);
    // Only what the unit reports is compared: reading it cannot fill the rest.
    const auto differences = DiffModels(settings, unit.session.model, true);
    if (o_.json) {
      unit.json["differences"] = DiffJson(differences);
    } else {
      progress_.Clear();
      std::string text = DiffText(differences);
      if (!unit.label.empty()) {
        std::string prefixed;
        std::size_t start = 0;
        for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
          prefixed += unit.Prefix() + text.substr(start, nl + 1 - start);
        }
        text = std::move(prefixed);
      }
      env_.out << text;
    }
    return static_cast<int>(differences.empty() ? kExitOk : kExitDifferent);
  });
}

int Runner::Send() {
  const std::string& raw = o_.arguments.front();
  const bool printable = !raw.empty() && std::all_of(raw.begin(), raw.end(),
                                                     [](char c) { return c >= 0x20 && c <= 0x7E; });
  if (!printable || raw.size() + 2 > kMaxCopiedCommandLength) {
    Error("send takes one command of printable ASCII characters, without CR LF (it is added)");
    return kExitUsage;
  }
  if (const int c = NeedPort("send")) return c;
  const std::string command = raw + "\r\n";
  return ForEachUnit(false, [&](Unit& unit) {
    const ExchangeResult r =
        unit.exchange->Run([&command](Session& s) { SendCommand(s, command); });
    if (r.status == ExchangeStatus::kBroadcast) {
      Say(unit, "sent to every unit (Broadcast: no unit answers)");
      return static_cast<int>(kExitOk);
    }
    if (!r.reply.empty() || r.ok()) {
      if (o_.json) {
        unit.json["reply"] = r.reply;
      } else {
        progress_.Clear();
        env_.out << unit.Prefix() << r.reply << '\n';
      }
    }
    if (r.ok()) return static_cast<int>(kExitOk);
    JobResult failed;
    failed.ok = false;
    failed.failedAt = 0;
    failed.total = 1;
    failed.failure = r;
    return ReportFailure(unit, failed);
  });
}

int Runner::Switch() {
  const auto picture = ParseChoice(PictureChoices(), o_.arguments.front());
  if (!picture) {
    std::string names;
    for (const Choice& c : PictureChoices())
      names += std::string(names.empty() ? "" : " ") + std::string(c.name);
    Error("\"" + o_.arguments.front() + "\" is not a picture; pictures are " + names);
    return kExitUsage;
  }
  if (const int c = NeedPort("switch")) return c;
  SettingsModel model;
  model.screenSwitch.picture = *picture;
  const Encoded command = EncodeScreenSwitch(model);
  return ForEachUnit(false, [&](Unit& unit) {
    const JobResult r = SendCommands(*unit.exchange, {command});
    if (!r.ok) return ReportFailure(unit, r);
    Say(unit, "switched to " + o_.arguments.front());
    return static_cast<int>(kExitOk);
  });
}

int Runner::Clock() {
  if (!o_.clockNow) {
    Error("clock needs --now (it sets the unit's clock from this computer's clock)");
    return kExitUsage;
  }
  if (const int c = NeedPort("clock")) return c;
  const auto localTime = env_.localTime ? env_.localTime : SystemLocalTime;
  return ForEachUnit(false, [&](Unit& unit) {
    // Read per unit, so that a unit served later still gets the right time.
    const std::tm now = localTime();
    const SettingsModel& m = unit.session.model;
    const std::vector<Encoded> commands = {
        EncodeDateYear(m, now.tm_year + 1900 - 2000),
        EncodeDateMonth(m, now.tm_mon),
        EncodeDateDay(m, now.tm_mday - 1),
        EncodeTimeHour(m, now.tm_hour),
        EncodeTimeMinute(m, now.tm_min),
        EncodeTimeSecond(m, std::min(now.tm_sec, 59)),
    };
    for (const Encoded& e : commands) {
      if (!e.ok()) {
        Error(unit.Prefix() + "the computer's clock says year " +
              std::to_string(now.tm_year + 1900) +
              "; the unit keeps the years 2000 to 2099. Nothing was sent");
        return static_cast<int>(kExitRefused);
      }
    }
    const JobResult r = SendCommands(*unit.exchange, commands, ProgressFor(unit, "clock"));
    if (!r.ok) return ReportFailure(unit, r);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &now);
    Say(unit, std::string("clock set to ") + text);
    return static_cast<int>(kExitOk);
  });
}

}  // namespace

int RunCtl(const CtlOptions& options, CtlEnvironment& env) {
  Runner runner(options, env);
  return runner.Run();
}

}  // namespace korvex7::ctl
