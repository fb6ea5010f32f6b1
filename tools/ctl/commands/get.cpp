// korvex7ctl get FIELD...: fields read from each unit (or, with --file,
// from a settings file). A field, an array, a group or "all"; from a unit,
// the fields it does not report are left out of an array, a group and "all".
#include "tools/ctl/commands/commands.h"

#include "tools/ctl/report.h"

namespace korvex7::ctl {

namespace {

constexpr std::string_view kFile = "--file";

int GetFromFile(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  const std::string file = o.Value(kFile);
  FieldTable table;
  int code = kExitOk;
  if (!ctx.LoadComplete(file, table.model, code)) return code;
  std::vector<std::size_t> indexes;
  if (!ctx.SelectAll(table.fields, o.arguments, indexes)) return kExitUsage;
  if (o.json) {
    ctx.PrintJson(Json{{"file", file}, {"fields", FieldsJson(table.fields, indexes)}});
  } else {
    ctx.env().out << FieldsText(table.fields, indexes);
  }
  return kExitOk;
}

int RunGet(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  if (!o.Value(kFile).empty()) return GetFromFile(ctx);
  FieldTable table;
  // A field the unit does not report (kept in settings files only) is an
  // error when named on its own; an array, a group or "all" simply leaves it
  // out.
  std::vector<std::size_t> indexes;
  for (const std::string& pattern : o.arguments) {
    std::vector<std::size_t> selected;
    if (!ctx.SelectAll(table.fields, {pattern}, selected)) return kExitUsage;
    std::vector<std::string> notKept;
    QueriesFor(table.fields, selected, &notKept);
    if (notKept.size() == selected.size()) {
      for (const auto& name : notKept) {
        ctx.Error(name + " is kept in settings files only; the unit does not report it");
      }
      return kExitUsage;
    }
    for (const std::size_t i : selected) {
      if (FieldStep(table.fields[i].name) >= 0) indexes.push_back(i);
    }
  }
  const std::vector<int> queries = QueriesFor(table.fields, indexes, nullptr);
  if (const int c = ctx.NeedPort("get")) return c;
  return ctx.ForEachUnit(true, [&](Unit& unit) {
    const JobResult r = RunQueries(*unit.exchange, queries, ctx.ProgressFor(unit, "get"));
    if (!r.ok) return ctx.ReportFailure(unit, r, "nothing was printed");
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

constexpr CtlParameter kParameters[] = {
    Words("fields", "Fields, arrays (videoAdjust.brightness), groups (alarm) or all", 1,
          kAnyNumber),
    Option(kFile, "Read the fields from this settings file, not from the unit"),
};

}  // namespace

const CtlCommand kGetCommand{
    .name = "get",
    .help = "Read fields from the unit (or from a file) and print them",
    .parameters = kParameters,
    .run = RunGet,
};

}  // namespace korvex7::ctl
