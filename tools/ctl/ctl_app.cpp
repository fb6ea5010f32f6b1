#include "tools/ctl/ctl_app.h"

#include "tools/ctl/commands/commands.h"

namespace korvex7::ctl {

namespace {

struct CommandEntry {
  CtlCommand command;
  int (*run)(CommandContext&);
};

constexpr CommandEntry kCommands[] = {
    {CtlCommand::kListPorts, RunListPorts},
    {CtlCommand::kFields, RunFields},
    {CtlCommand::kShow, RunShow},
    {CtlCommand::kDiff, RunDiff},
    {CtlCommand::kRead, RunRead},
    {CtlCommand::kWrite, RunWrite},
    {CtlCommand::kGet, RunGet},
    {CtlCommand::kSet, RunSet},
    {CtlCommand::kSend, RunSend},
    {CtlCommand::kSwitch, RunSwitch},
    {CtlCommand::kClock, RunClock},
    {CtlCommand::kScan, RunScan},
};

}  // namespace

int RunCtl(const CtlOptions& options, CtlEnvironment& env) {
  CommandContext ctx(options, env);
  for (const CommandEntry& entry : kCommands) {
    if (entry.command == options.command) return entry.run(ctx);
  }
  ctx.Error("no command given (try --help)");
  return kExitUsage;
}

}  // namespace korvex7::ctl
