// korvex7ctl show FILE [FIELD...]: the settings of a settings file.
#include "tools/ctl/commands/commands.h"

#include "core/model/settings_store.h"
#include "tools/ctl/report.h"

namespace korvex7::ctl {

namespace {

int RunShow(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  const std::string& path = o.arguments.front();
  FieldTable table;
  const SettingsFileLoad loaded = LoadSettingsFromFile(path, table.model);
  if (!loaded.opened) {
    ctx.Error(loaded.message);
    return kExitFileError;
  }
  std::vector<std::size_t> indexes;
  if (o.arguments.size() == 1) {
    for (std::size_t i = 0; i < table.fields.size(); ++i) indexes.push_back(i);
  }
  const std::vector<std::string> patterns(o.arguments.begin() + 1, o.arguments.end());
  if (!ctx.SelectAll(table.fields, patterns, indexes)) return kExitUsage;
  if (o.json) {
    ctx.PrintJson(Json{{"file", path}, {"fields", FieldsJson(table.fields, indexes)}});
  } else {
    ctx.env().out << FieldsText(table.fields, indexes);
  }
  if (!loaded.complete) {
    // Shown as far as it could be read, but not a success.
    ctx.Error(loaded.message);
    return kExitFileError;
  }
  return kExitOk;
}

constexpr CtlParameter kParameters[] = {
    Words("file", "Settings file (.dat)"),
    Words("fields", "Only these fields, arrays or groups", 0, kAnyNumber),
};

}  // namespace

const CtlCommand kShowCommand{
    .name = "show",
    .help = "Print the settings of a settings file",
    .parameters = kParameters,
    .run = RunShow,
};

}  // namespace korvex7::ctl
