// korvex7ctl switch PICTURE: the picture each unit shows now.
#include "tools/ctl/commands/commands.h"

#include "core/commands/screen_split_commands.h"
#include "tools/ctl/field_values.h"

namespace korvex7::ctl {

namespace {

int RunSwitch(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  const auto picture = ParseChoice(PictureChoices(), o.arguments.front());
  if (!picture) {
    std::string names;
    for (const Choice& c : PictureChoices())
      names += std::string(names.empty() ? "" : " ") + std::string(c.name);
    ctx.Error("\"" + o.arguments.front() + "\" is not a picture; pictures are " + names);
    return kExitUsage;
  }
  if (const int c = ctx.NeedPort("switch")) return c;
  SettingsModel model;
  model.screenSwitch.picture = *picture;
  const Encoded command = EncodeScreenSwitch(model);
  return ctx.ForEachUnit(false, [&](Unit& unit) {
    const JobResult r = SendCommands(*unit.exchange, {command});
    if (!r.ok) return ctx.ReportFailure(unit, r, StopLeaves(r, "the command went out"));
    ctx.Say(unit, "switched to " + o.arguments.front());
    return static_cast<int>(kExitOk);
  });
}

constexpr CtlParameter kParameters[] = {
    Words("picture", "ch.01 .. ch.16, split4A .. split16, auto"),
};

}  // namespace

const CtlCommand kSwitchCommand{
    .name = "switch",
    .help = "Switch the picture the unit shows now",
    .parameters = kParameters,
    .run = RunSwitch,
};

}  // namespace korvex7::ctl
