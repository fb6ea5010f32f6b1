// korvex7ctl --list-ports: the serial ports of this computer, from the list
// the program's communication settings take theirs from, each with the
// device's own name where the system gives one ("COM7 (USB Serial Port)").
#include "tools/ctl/commands/commands.h"

namespace korvex7::ctl {

namespace {

int RunListPorts(CommandContext& ctx) {
  const CtlOptions& o = ctx.options();
  const std::vector<std::string> ports = ctx.env().listPorts();
  if (o.json) {
    ctx.PrintJson(Json{{"ports", ports}});
  } else {
    for (const auto& p : ports) ctx.env().out << p << '\n';
  }
  return kExitOk;
}

}  // namespace

const CtlCommand kListPortsCommand{
    .name = "--list-ports",
    .help = "List the serial ports of this computer",
    .run = RunListPorts,
};

}  // namespace korvex7::ctl
