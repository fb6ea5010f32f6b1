// korvex7ctl: the command-line tool for operators with many units and for
// installation scripts. See "korvex7ctl --help" and docs/USER-GUIDE.md.
//
// main is the tool's edge: it installs the stop handlers (Ctrl+C, SIGTERM;
// on Windows also Ctrl+Break and the console closing), and catches every
// exception that reaches it with a documented exit status (9), so that
// nothing ends the tool without a message.
#include <exception>
#include <functional>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/text.h"
#include "tools/ctl/console_text.h"
#endif

#include "tools/ctl/cli.h"
#include "tools/ctl/ctl_app.h"
#include "tools/ctl/progress.h"
#include "tools/ctl/stop_request.h"

namespace {

int Run(const std::vector<std::string>& arguments) {
  using namespace korvex7::ctl;
  const CommandLine commandLine = ParseCommandLine(arguments, std::cout, std::cerr);
  if (!commandLine.options) return commandLine.exitCode;
  CtlEnvironment env(std::cout, std::cerr);
  env.progressTerminal = StandardErrorIsTerminal();
  env.stop = &StopFlag();
  const int code = RunCtl(*commandLine.options, env);
  std::cout.flush();
  return code;
}

int Main(const std::function<std::vector<std::string>()>& arguments) {
  using korvex7::ctl::kExitInternal;
  korvex7::ctl::InstallStopHandlers();
  int code = kExitInternal;
  try {
    code = Run(arguments());
  } catch (const std::bad_alloc&) {
    std::cerr << "\nkorvex7ctl: out of memory; the run ended where it was (nothing half-written)\n";
  } catch (const std::exception& e) {
    std::cerr << "\nkorvex7ctl: the tool failed: " << e.what()
              << "; the run ended where it was (nothing half-written)\n";
  } catch (...) {
    std::cerr
        << "\nkorvex7ctl: the tool failed; the run ended where it was (nothing half-written)\n";
  }
  std::cerr.flush();
  korvex7::ctl::RunEnded();
  return code;
}

}  // namespace

#ifdef _WIN32
// The arguments arrive as UTF-16 and go on as UTF-8. A console gets the text
// through WriteConsoleW and keeps its code page; a pipe or a file gets UTF-8.
int wmain(int argc, wchar_t** argv) {
  const korvex7::ctl::ConsoleText console;
  return Main([argc, argv] {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) arguments.push_back(korvex7::win32::WideToUtf8(argv[i]));
    return arguments;
  });
}
#else
int main(int argc, char** argv) {
  return Main([argc, argv] { return std::vector<std::string>(argv, argv + argc); });
}
#endif
