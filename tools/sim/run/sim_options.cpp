#include "tools/sim/run/sim_options.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <set>

#include "core/link/port_address.h"
#include "core/model/settings_model.h"
#include "korvex7_version.h"

namespace korvex7::sim {

namespace {

std::optional<int> ParseAddress(const std::string& text) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  if (v > kMaxUnitAddress) return std::nullopt;
  return v;
}

// --listen takes raw TCP only: the simulator is the line, not a device server.
std::string CheckListen(const std::string& text) {
  const ParsedPortAddress parsed = ParsePortAddress(text, true);
  if (!parsed.address) return parsed.error;
  if (parsed.address->kind != PortAddress::Kind::kTcp) {
    return text + ": --listen takes tcp://HOST:PORT";
  }
  return {};
}

}  // namespace

ParsedSimOptions ParseSimOptions(int argc, char** argv) {
  SimOptions o;
  std::vector<std::string> addresses;
  CLI::App app{"korvex7-sim: a KORVEX7 display unit on a serial line (9600 baud, 8E1)"};
  app.set_version_flag("--version", "korvex7-sim " KORVEX7_VERSION);
  app.footer(
      "Examples:\n"
      "  korvex7-sim --pty /tmp/korvex7-com1\n"
      "  korvex7-sim --pty /tmp/korvex7-com1 --address 05 --load site.dat --dump unit.dat\n"
      "  korvex7-sim --port /dev/ttyUSB0 --address 01,02,03 --log -\n"
      "  korvex7-sim --listen tcp://127.0.0.1:7001 --address 03,07\n"
      "Stop with Ctrl-C (or SIGTERM): the link is removed and the dump written.");
  auto* ptyOpt = app.add_option("--pty", o.pty,
                                "create a pseudo-terminal and make PATH a symbolic link to it "
                                "(removed on exit)")
                     ->type_name("PATH");
  auto* portOpt = app.add_option("--port", o.port, "use an existing serial device instead")
                      ->type_name("DEVICE");
  ptyOpt->excludes(portOpt);
  app.add_option("--listen", o.listen,
                 "serve the same units on a TCP port as well (or alone): tcp://HOST:PORT, an "
                 "IPv6 host in brackets; port 0 lets the system choose (printed at start). One "
                 "connection at a time, like a line; repeat for several addresses")
      ->type_name("tcp://HOST:PORT")
      ->check(CheckListen);
  app.add_option("--address", addresses,
                 "act as RS-485 unit NN (00..31); repeat or separate by commas for several "
                 "units on one line. Without it: RS-232C")
      ->type_name("NN")
      ->delimiter(',');
  app.add_option("--load", o.load, "start with the settings of this settings file")
      ->type_name("FILE")
      ->check(CLI::ExistingFile);
  app.add_option("--dump", o.dump,
                 "write the unit's settings to this settings file at start, whenever they "
                 "change and on exit (several units: FILE-NN.ext, or {addr} in FILE)")
      ->type_name("FILE");
  app.add_option("--log", o.log,
                 "log every frame received (RX) and answer sent (TX) to FILE ('-': standard "
                 "output)")
      ->type_name("FILE");
  app.add_option("--reply-delay-ms", o.replyDelayMs, "wait N ms before answering")
      ->type_name("N")
      ->check(CLI::Range(0, 600000));
  app.add_flag("--silent", o.silent, "act on commands but never answer");
  app.add_option("--status", o.status,
                 "answer every command with this status word and change nothing")
      ->type_name("WORD")
      ->check(CLI::IsMember({"MENU", "ALARM", "LOCK", "GN", "E0", "E1", "E2", "E3"}));
  app.add_flag("--chunked", o.chunked, "send each answer byte by byte in separate writes");
  app.add_option("--garble-every", o.garbleEvery, "change one byte of every N-th answer")
      ->type_name("N")
      ->check(CLI::PositiveNumber);
  app.add_option("--line-rate", o.lineRate,
                 "deliver answers no faster than a real line at BAUD would (11 bits a "
                 "character)")
      ->type_name("BAUD")
      ->check(CLI::Range(50, 4000000));
  app.add_flag("--echo", o.echo,
               "send every byte received straight back, before any answer, as a 2-wire RS-485 "
               "adapter or an echoing device server does");
  app.add_flag("--duplicate-answers", o.duplicateAnswers,
               "send the previous answer again just before each answer, as a device server "
               "that repeats data late");
  app.add_option("--stale-answer", o.staleAnswerMs,
                 "(--listen) deliver the last answer of a connection again MS ms after the next "
                 "connection is taken, as a device server that held a late answer")
      ->type_name("MS")
      ->check(CLI::Range(0, 60000));
  app.add_flag("--noise", o.noise,
               "send noise without a line end, without a pause, on the line and to every "
               "connection");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // Help and version end with 0; every usage error with 2.
    return {std::nullopt, app.exit(e) == 0 ? 0 : 2};
  }
  if (o.pty.empty() && o.port.empty() && o.listen.empty()) {
    std::cerr << "korvex7-sim: give --pty PATH (a new pseudo-terminal), --port DEVICE or "
                 "--listen tcp://HOST:PORT\n"
              << "Run with --help for more information.\n";
    return {std::nullopt, 2};
  }
  std::set<int> seen;
  for (const std::string& text : addresses) {
    const auto address = ParseAddress(text);
    if (!address) {
      std::cerr << "korvex7-sim: --address " << text << ": an RS-485 address is 00..31\n";
      return {std::nullopt, 2};
    }
    if (!seen.insert(*address).second) {
      std::cerr << "korvex7-sim: --address " << text << " given twice\n";
      return {std::nullopt, 2};
    }
    o.addresses.push_back(*address);
  }
  return {std::move(o), 0};
}

}  // namespace korvex7::sim
