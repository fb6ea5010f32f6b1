// korvex7ctl fields: every field name with the values it takes.
#include "tools/ctl/commands/commands.h"

#include <algorithm>

#include "tools/ctl/field_values.h"

namespace korvex7::ctl {

namespace {

int RunFields(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
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
    if (o.json) {
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
    ctx.env().out << line << '\n';
  }
  if (o.json) ctx.PrintJson(Json{{"fields", list}});
  return kExitOk;
}

}  // namespace

const CtlCommand kFieldsCommand{
    .name = "fields",
    .help = "List the field names and the values they take",
    .run = RunFields,
};

}  // namespace korvex7::ctl
