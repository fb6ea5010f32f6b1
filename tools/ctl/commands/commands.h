// The commands of korvex7ctl, one file each; ctl_app.cpp runs the one the
// options name.
#pragma once

#include "tools/ctl/command_context.h"

namespace korvex7::ctl {

int RunListPorts(CommandContext& ctx);
int RunFields(CommandContext& ctx);
int RunShow(CommandContext& ctx);
int RunRead(CommandContext& ctx);
int RunWrite(CommandContext& ctx);
int RunGet(CommandContext& ctx);
int RunSet(CommandContext& ctx);
int RunDiff(CommandContext& ctx);
int RunSend(CommandContext& ctx);
int RunSwitch(CommandContext& ctx);
int RunClock(CommandContext& ctx);
int RunScan(CommandContext& ctx);

}  // namespace korvex7::ctl
