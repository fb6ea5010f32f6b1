// The command line of korvex7ctl, parsed with CLI11 into CtlOptions: the
// global options here, each command with its own words and options from its
// description (tools/ctl/commands/commands.h).
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/ctl/ctl_app.h"

namespace korvex7::ctl {

struct CommandLine {
  std::optional<CtlOptions> options;  // empty after --help, --version or an error
  int exitCode = 0;                   // when options is empty
};

// Parses the arguments (UTF-8, program name first). Help goes to `out`, errors
// to `err`; a malformed command line gives exit code kExitUsage.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                             std::ostream& err);

}  // namespace korvex7::ctl
