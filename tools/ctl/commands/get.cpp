// korvex7ctl get FIELD...: fields read from each unit (or, with --file,
// from a settings file).
#include "tools/ctl/commands/commands.h"

#include "tools/ctl/report.h"

namespace korvex7::ctl {

namespace {

int GetFromFile(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  FieldTable table;
  int code = kExitOk;
  if (!ctx.LoadComplete(o.file, table.model, code)) return code;
  std::vector<std::size_t> indexes;
  if (!ctx.SelectAll(table.fields, o.arguments, indexes)) return kExitUsage;
  if (o.json) {
    ctx.PrintJson(Json{{"file", o.file}, {"fields", FieldsJson(table.fields, indexes)}});
  } else {
    ctx.env().out << FieldsText(table.fields, indexes);
  }
  return kExitOk;
}

}  // namespace

int RunGet(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  if (!o.file.empty()) return GetFromFile(ctx);
  FieldTable table;
  std::vector<std::size_t> indexes;
  if (!ctx.SelectAll(table.fields, o.arguments, indexes)) return kExitUsage;
  std::vector<std::string> notKept;
  const std::vector<int> queries = QueriesFor(table.fields, indexes, &notKept);
  if (!notKept.empty()) {
    for (const auto& name : notKept) {
      ctx.Error(name + " is kept in settings files only; the unit does not report it");
    }
    return kExitUsage;
  }
  if (const int c = ctx.NeedPort("get")) return c;
  return ctx.ForEachUnit(true, [&](Unit& unit) {
    const JobResult r = RunQueries(*unit.exchange, queries, ctx.ProgressFor(unit, "get"));
    if (!r.ok) return ctx.ReportFailure(unit, r);
    const std::vector<SavedField> fields = SavedFields(unit.session.model);
    if (o.json) {
      unit.json["fields"] = FieldsJson(fields, indexes);
    } else {
      ctx.ClearProgress();
      ctx.env().out << FieldsText(fields, indexes, unit.Prefix());
    }
    return static_cast<int>(kExitOk);
  });
}

}  // namespace korvex7::ctl
