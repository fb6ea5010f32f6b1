#include "tools/ctl/ctl_app.h"

#include <algorithm>

#include "tools/ctl/commands/commands.h"

namespace korvex7::ctl {

namespace {

#define KORVEX7_CTL_COMMAND_ADDRESS(Name) &k##Name##Command,
constexpr const CtlCommand* kCommands[] = {KORVEX7_CTL_COMMANDS(KORVEX7_CTL_COMMAND_ADDRESS)};
#undef KORVEX7_CTL_COMMAND_ADDRESS

}  // namespace

std::span<const CtlCommand* const> Commands() { return kCommands; }

const CtlCommand* FindCommand(std::string_view name) {
  const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                  [name](const CtlCommand* c) { return c->name == name; });
  return found == std::end(kCommands) ? nullptr : *found;
}

int RunCtl(const CtlOptions& options, CtlEnvironment& env) {
  CommandContext ctx(options, env);
  if (const CtlCommand* command = FindCommand(options.command)) return command->run(ctx);
  ctx.Error("no command given (try --help)");
  return kExitUsage;
}

}  // namespace korvex7::ctl
