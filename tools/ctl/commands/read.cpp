// korvex7ctl read FILE: every setting of each unit into a settings file
// (one per unit on an RS-485 list), written only when every query succeeded.
#include "tools/ctl/commands/commands.h"

#include "core/model/settings_store.h"

namespace korvex7::ctl {

namespace {

int RunRead(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  if (const int c = ctx.NeedPort("read")) return c;
  const std::string& file = o.arguments.front();
  return ctx.ForEachUnit(true, [&](Unit& unit) {
    const JobResult r = ReadAllSettings(*unit.exchange, ctx.ProgressFor(unit, "read"));
    if (!r.ok) return ctx.ReportFailure(unit, r, "no file was written");
    const std::string path =
        unit.address >= 0 ? UnitFileName(file, unit.address, ctx.severalUnits()) : file;
    unit.json["file"] = path;
    const std::string error = CommandContext::SaveSettings(path, unit.session.model);
    if (!error.empty()) {
      ctx.Error(unit.Prefix() + error);
      unit.json["error"] = error;
      return static_cast<int>(kExitFileError);
    }
    ctx.Say(unit, "read " + std::to_string(r.total) + " settings queries, saved " + path);
    return static_cast<int>(kExitOk);
  });
}

constexpr CtlParameter kParameters[] = {
    Words("file",
          "Settings file (.dat) to write; with several units, "
          "\"-NN\" is added to the name, or {addr} replaced"),
};

}  // namespace

const CtlCommand kReadCommand{
    .name = "read",
    .help = "Read every setting from the unit into a settings file",
    .parameters = kParameters,
    .run = RunRead,
};

}  // namespace korvex7::ctl
