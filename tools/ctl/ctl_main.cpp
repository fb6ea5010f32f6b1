// korvex7ctl: the command-line tool for operators with many units and for
// installation scripts. See "korvex7ctl --help" and docs/USER-GUIDE.md.
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/text.h"
#endif

#include "tools/ctl/cli.h"
#include "tools/ctl/ctl_app.h"
#include "tools/ctl/progress.h"

namespace {

int Main(const std::vector<std::string>& arguments) {
  using namespace korvex7::ctl;
  const CommandLine commandLine = ParseCommandLine(arguments, std::cout, std::cerr);
  if (!commandLine.options) return commandLine.exitCode;
  CtlEnvironment env(std::cout, std::cerr);
  env.progressTerminal = StandardErrorIsTerminal();
  const int code = RunCtl(*commandLine.options, env);
  std::cout.flush();
  return code;
}

}  // namespace

#ifdef _WIN32
// The arguments arrive as UTF-16 and go on as UTF-8; the console shows UTF-8.
int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(korvex7::win32::WideToUtf8(argv[i]));
  return Main(arguments);
}
#else
int main(int argc, char** argv) { return Main(std::vector<std::string>(argv, argv + argc)); }
#endif
