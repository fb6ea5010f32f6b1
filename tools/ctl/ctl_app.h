// The command-line tool's commands, run from parsed options. Everything the
// tool touches outside itself (the streams, the port, the clock, the list of
// ports) comes in through CtlEnvironment, so the tests run it against a
// scripted unit.
//
// Several RS-485 addresses are served one after another on the one port;
// each unit's outcome is reported on its own, a failing unit does not stop
// the others, and the exit status is the worst of them.
#pragma once

#include <atomic>
#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "link/link_port.h"
#include "link/network_link.h"
#include "tools/ctl/command_exchange.h"

namespace korvex7::ctl {

// Exit status: 0 only when everything asked for succeeded. When several
// units fail in different ways, the highest code is returned.
enum ExitCode : int {
  kExitOk = 0,
  kExitDifferent = 1,  // diff: the settings differ
  kExitUsage = 2,      // bad arguments: unknown command, field or value name, malformed FIELD=VALUE
  kExitRefused = 3,    // a value refused before anything was sent (range, title characters)
  kExitNoAnswer = 4,   // a unit did not answer ("No Connect")
  kExitUnitError = 5,  // a unit answered with an error ("Command Error", "Lock Display", ...),
                       // or the line brought an answer that belongs to no command
  kExitFileError = 6,  // a settings file could not be read or written
  kExitPortError = 7,  // the serial port could not be opened or failed, the network server
                       // was not reached, its port was busy, or the connection was lost
  kExitUnreliableLine = 8,  // the line is unreliable: scan found noise, or the line did not
                            // fall silent before the first command
  kExitInternal = 9,        // the tool itself failed (out of memory, an unforeseen error)
  kExitStopped = 130,       // stopped by Ctrl+C, Ctrl+Break, SIGTERM or the console closing
};

struct CtlOptions {
  // The command as typed: "read", "scan", or "--list-ports" for the command
  // given as an option (tools/ctl/commands/commands.h lists them). Empty:
  // none.
  std::string command;
  std::string port;
  bool rs485 = false;
  std::string addresses;      // as typed after --address
  std::optional<int> paceMs;  // --pace-ms
  int timeoutMs = static_cast<int>(kReplyTimeout.count());
  bool timeoutGiven = false;  // --timeout-ms was given (scan waits less unless told)
  bool json = false;
  bool noProgress = false;
  // The command's words (files, fields, assignments, the raw command, the
  // picture), in the order its description lists them.
  std::vector<std::string> arguments;
  // The command's own options as given: "--file" with its value, a flag
  // ("--unit", "--now") with an empty one.
  std::map<std::string, std::string, std::less<>> commandOptions;

  bool Given(std::string_view option) const { return commandOptions.contains(option); }
  // The value given to `option`; empty when it was not given.
  std::string Value(std::string_view option) const {
    const auto it = commandOptions.find(option);
    return it == commandOptions.end() ? std::string() : it->second;
  }
};

struct CtlEnvironment {
  CtlEnvironment(std::ostream& output, std::ostream& errors) : out(output), err(errors) {}

  std::ostream& out;
  std::ostream& err;
  bool progressTerminal = false;  // the error stream is a terminal
  std::function<std::unique_ptr<LinkPort>(const std::string&)> openPort = links::OpenPort;
  std::function<std::vector<std::string>()> listPorts = links::ListSerialPorts;
  std::function<std::tm()> localTime;  // the computer's clock; the system's when empty
  ExchangeClock* clock = nullptr;      // the system clock when null
  // Set (from a signal handler) when the operator asks the run to stop; looked
  // at between commands. Null: no stop can be asked.
  const std::atomic<bool>* stop = nullptr;
};

int RunCtl(const CtlOptions& options, CtlEnvironment& env);

}  // namespace korvex7::ctl
