// korvex7ctl write FILE: every setting of a settings file to each unit,
// after the whole file has been checked.
#include "tools/ctl/commands/commands.h"

namespace korvex7::ctl {

namespace {

int RunWrite(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  if (const int c = ctx.NeedPort("write")) return c;
  const std::string& file = o.arguments.front();
  SettingsModel settings;
  int code = kExitOk;
  if (!ctx.LoadComplete(file, settings, code)) return code;
  const std::vector<Refusal> refusals = CheckSendAll(settings);
  if (!refusals.empty()) return ctx.ReportRefusals(file + ": ", refusals);
  return ctx.ForEachUnit(false, [&](Unit& unit) {
    const SettingsModel::Link link = unit.session.model.link;
    unit.session.model = settings;
    unit.session.model.link = link;
    const JobResult r = WriteAllSettings(*unit.exchange, ctx.ProgressFor(unit, "write"));
    if (!r.ok) {
      return ctx.ReportFailure(unit, r, StopLeaves(r, "the unit holds part of the file"));
    }
    ctx.Say(unit, unit.broadcast() ? "sent " + std::to_string(r.total) +
                                         " settings to every unit (Broadcast: no unit answers)"
                                   : "wrote " + std::to_string(r.total) + " settings from " + file);
    return static_cast<int>(kExitOk);
  });
}

constexpr CtlParameter kParameters[] = {
    Words("file", "Settings file (.dat) to send"),
};

}  // namespace

const CtlCommand kWriteCommand{
    .name = "write",
    .help = "Send every setting of a settings file to the unit",
    .parameters = kParameters,
    .run = RunWrite,
};

}  // namespace korvex7::ctl
