// korvex7ctl diff A B, diff --unit FILE: the fields that differ between two
// settings files, or between a file and each unit.
#include "tools/ctl/commands/commands.h"

#include "tools/ctl/report.h"

namespace korvex7::ctl {

namespace {

constexpr std::string_view kUnit = "--unit";

int RunDiff(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  if (!o.Given(kUnit)) {
    SettingsModel a;
    SettingsModel b;
    int code = kExitOk;
    if (!ctx.LoadComplete(o.arguments[0], a, code) || !ctx.LoadComplete(o.arguments[1], b, code)) {
      return code;
    }
    const auto differences = DiffModels(a, b, false);
    if (o.json) {
      ctx.PrintJson(Json{
          {"a", o.arguments[0]}, {"b", o.arguments[1]}, {"differences", DiffJson(differences)}});
    } else {
      ctx.env().out << DiffText(differences);
    }
    return differences.empty() ? kExitOk : kExitDifferent;
  }
  if (const int c = ctx.NeedPort("diff --unit")) return c;
  const std::string& file = o.arguments.front();
  SettingsModel settings;
  int code = kExitOk;
  if (!ctx.LoadComplete(file, settings, code)) return code;
  return ctx.ForEachUnit(true, [&](Unit& unit) {
    const JobResult r = ReadAllSettings(*unit.exchange, ctx.ProgressFor(unit, "read"));
    if (!r.ok) return ctx.ReportFailure(unit, r, "nothing was compared");
    // Only what the unit reports is compared: reading it cannot fill the rest.
    const auto differences = DiffModels(settings, unit.session.model, true);
    if (o.json) {
      unit.json["differences"] = DiffJson(differences);
    } else {
      ctx.ClearProgress();
      std::string text = DiffText(differences);
      if (!unit.label.empty()) {
        std::string prefixed;
        std::size_t start = 0;
        for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
          prefixed += unit.Prefix() + text.substr(start, nl + 1 - start);
        }
        text = std::move(prefixed);
      }
      ctx.env().out << text;
    }
    return static_cast<int>(differences.empty() ? kExitOk : kExitDifferent);
  });
}

constexpr CtlParameter kParameters[] = {
    Words("files", "A.dat B.dat, or FILE.dat with --unit", 1, 2),
    Flag(kUnit, "Compare the file with the settings read from the unit"),
};

std::string UsageError(const CtlOptions& o) {
  if (o.arguments.size() == (o.Given(kUnit) ? 1u : 2u)) return {};
  return "diff takes two settings files, or one with --unit";
}

}  // namespace

const CtlCommand kDiffCommand{
    .name = "diff",
    .help =
        "Show the fields that differ between two settings files, "
        "or between a file and the unit (--unit)",
    .parameters = kParameters,
    .run = RunDiff,
    .usageError = UsageError,
};

}  // namespace korvex7::ctl
