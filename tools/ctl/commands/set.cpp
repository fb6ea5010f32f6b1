// korvex7ctl set FIELD=VALUE...: fields set on each unit (or, with --file,
// in a settings file). Setting part of a table reads the unit's table first.
#include "tools/ctl/commands/commands.h"

#include <algorithm>

#include "core/model/settings_store.h"
#include "tools/ctl/address_list.h"
#include "tools/ctl/field_args.h"

namespace korvex7::ctl {

namespace {

constexpr std::string_view kFile = "--file";

int SetInFile(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  const std::string file = o.Value(kFile);
  FieldTable table;
  int code = kExitOk;
  if (!ctx.LoadComplete(file, table.model, code)) return code;
  std::vector<Assignment> assignments;
  const int worst = ctx.ParseAssignments(table.fields, assignments);
  if (worst != kExitOk) {
    ctx.Error(file + " was not changed");
    return worst;
  }
  ApplyAssignments(table.fields, assignments);
  // The same checks as before sending: a file must stay sendable.
  const SetPlan plan = PlanSet(table.fields, assignments);
  const BuiltCommands built = BuildCommands(table.model, plan);
  if (!built.refusals.empty()) {
    for (const Refusal& r : built.refusals) ctx.Error(r.field + ": " + r.message);
    ctx.Error(file + " was not changed");
    return kExitRefused;
  }
  const std::string error = CommandContext::SaveSettings(file, table.model);
  if (!error.empty()) {
    ctx.Error(error);
    return kExitFileError;
  }
  return kExitOk;
}

int RunSet(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  if (!o.Value(kFile).empty()) return SetInFile(ctx);
  FieldTable table;
  std::vector<Assignment> assignments;
  int worst = ctx.ParseAssignments(table.fields, assignments);
  const SetPlan plan = PlanSet(table.fields, assignments);
  for (const auto& e : plan.errors) {
    ctx.Error(e);
    worst = std::max(worst, static_cast<int>(kExitUsage));
  }
  if (worst != kExitOk) {
    ctx.Error("nothing was sent");
    return worst;
  }
  if (plan.queries.empty()) {
    // Every value is known without asking the unit: check all of them now.
    ApplyAssignments(table.fields, assignments);
    const BuiltCommands built = BuildCommands(table.model, plan);
    if (!built.refusals.empty()) return ctx.ReportRefusals("", built.refusals);
  } else if (o.rs485 && ParseAddressList(o.addresses).addresses ==
                            std::vector<std::int32_t>{kBroadcastAddress}) {
    for (const PlannedCommand& c : plan.commands) {
      if (std::find(plan.queries.begin(), plan.queries.end(), c.step) == plan.queries.end())
        continue;
      ctx.Error("setting part of " + c.fields +
                " needs the unit's current values of the other entries, and no unit answers a "
                "broadcast: give every entry, or address the units one by one");
    }
    return kExitUsage;
  }
  if (const int c = ctx.NeedPort("set")) return c;
  return ctx.ForEachUnit(false, [&](Unit& unit) {
    if (!plan.queries.empty()) {
      const JobResult r = RunQueries(*unit.exchange, plan.queries, ctx.ProgressFor(unit, "read"));
      if (!r.ok) return ctx.ReportFailure(unit, r, "nothing was set");
    }
    ApplyAssignments(SavedFields(unit.session.model), assignments);
    const BuiltCommands built = BuildCommands(unit.session.model, plan);
    if (!built.refusals.empty()) return ctx.ReportRefusals(unit.Prefix(), built.refusals);
    const JobResult r = SendCommands(*unit.exchange, built.commands, ctx.ProgressFor(unit, "set"));
    if (!r.ok)
      return ctx.ReportFailure(unit, r, StopLeaves(r, "the unit holds part of the values"));
    ctx.Say(unit, "set " + std::to_string(o.arguments.size()) + " values with " +
                      std::to_string(r.total) + (r.total == 1 ? " command" : " commands") +
                      (unit.broadcast() ? " to every unit (Broadcast: no unit answers)" : ""));
    return static_cast<int>(kExitOk);
  });
}

constexpr CtlParameter kParameters[] = {
    Words("assignments",
          "FIELD=VALUE, e.g. alarm.mode=external "
          "videoAdjust.brightness[3]=-1 title.text[1]=入口",
          1, kAnyNumber),
    Option(kFile, "Change this settings file instead of the unit"),
};

}  // namespace

const CtlCommand kSetCommand{
    .name = "set",
    .help = "Set fields on the unit (or in a file)",
    .parameters = kParameters,
    .run = RunSet,
};

}  // namespace korvex7::ctl
