#include "tools/ctl/cli.h"

#include <CLI/CLI.hpp>

#include "core/link/port_address.h"
#include "korvex7_version.h"

namespace korvex7::ctl {

namespace {

constexpr const char* kFooter =
    R"(Fields are named as in the settings model: alarm.mode, videoAdjust.brightness[3]
(array indexes count from 0: [3] is channel 4), title.text[0]. "korvex7ctl fields" lists
every field with the values it takes.

Answers: a setting is answered by GO or a status word, a query by its own data line;
anything else is an unexpected answer (exit 5), never success. A line that echoes what
is sent (2-wire RS-485) is recognised and named once. After opening the port the tool
waits until the line has been silent for 100 ms (at most 1 s), dropping what comes.

Exit status: 0 everything succeeded; 1 diff found differences; 2 bad arguments;
3 a value was refused before anything was sent; 4 a unit did not answer (No Connect);
5 a unit answered with an error (Command Error, Lock Display, ...) or the line brought
an unexpected answer; 6 a settings file could not be read or written; 7 the port failed
(or the network server was not reached, was busy, or the connection was lost); 8 the
line is unreliable (scan found noise, or the line did not fall silent); 9 the tool
itself failed; 130 stopped by Ctrl+C or SIGTERM (where it stopped is said). With several
units, the highest code.)";

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                             std::ostream& err) {
  CtlOptions o;
  CLI::App app{"Reads, writes and sets KORVEX7 display units over their serial line.",
               "korvex7ctl"};
  app.fallthrough();  // the global options may also follow the command
  app.footer(kFooter);
  app.set_version_flag("--version", "korvex7ctl " KORVEX7_VERSION);

  bool listPorts = false;
  app.add_flag("--list-ports", listPorts, "List the serial ports of this computer");
  app.add_option("--port", o.port,
#ifdef _WIN32
                 "Serial port: COM1 .. COM256, "
#else
                 "Serial port: a device path such as /dev/ttyUSB0, "
#endif
                 "or a serial device server's port: tcp://HOST:PORT (raw TCP) or "
                 "rfc2217://HOST:PORT (Telnet, RFC 2217); an IPv6 host in brackets")
      ->check([](const std::string& text) { return ParsePortAddress(text).error; });
  auto* rs485 =
      app.add_flag("--rs485", o.rs485, "RS-485 line: every command carries a unit address");
  app.add_option("--address", o.addresses,
                 "Unit address(es) on the RS-485 line: NN, FF (Broadcast), NN-MM or NN,MM,...")
      ->needs(rs485);
  app.add_option("--pace-ms", o.paceMs,
                 "Gap in ms between an answer and the next command (default: none; 400 for FF)")
      ->check(CLI::Range(0, 60000));
  auto* timeout = app.add_option("--timeout-ms", o.timeoutMs,
                                 "Time to wait for each answer (default: 1900 ms; scan: 100 ms)")
                      ->check(CLI::Range(10, 60000));
  app.add_flag("--json", o.json, "Print results as JSON");
  app.add_flag("--no-progress", o.noProgress, "No progress bar, even on a terminal");

  std::string file;
  std::vector<std::string> many;

  auto* read = app.add_subcommand("read", "Read every setting from the unit into a settings file");
  read->add_option("file", file,
                   "Settings file (.dat) to write; with several units, "
                   "\"-NN\" is added to the name, or {addr} replaced")
      ->required();

  auto* write = app.add_subcommand("write", "Send every setting of a settings file to the unit");
  write->add_option("file", file, "Settings file (.dat) to send")->required();

  auto* get =
      app.add_subcommand("get", "Read fields from the unit (or from a file) and print them");
  get->add_option("fields", many, "Fields, arrays (videoAdjust.brightness), groups (alarm) or all")
      ->required();
  get->add_option("--file", o.file, "Read the fields from this settings file, not from the unit");

  auto* set = app.add_subcommand("set", "Set fields on the unit (or in a file)");
  set->add_option("assignments", many,
                  "FIELD=VALUE, e.g. alarm.mode=external "
                  "videoAdjust.brightness[3]=-1 title.text[1]=入口")
      ->required();
  set->add_option("--file", o.file, "Change this settings file instead of the unit");

  auto* diff = app.add_subcommand("diff",
                                  "Show the fields that differ between two settings files, "
                                  "or between a file and the unit (--unit)");
  diff->add_option("files", many, "A.dat B.dat, or FILE.dat with --unit")
      ->required()
      ->expected(1, 2);
  diff->add_flag("--unit", o.diffUnit, "Compare the file with the settings read from the unit");

  auto* show = app.add_subcommand("show", "Print the settings of a settings file");
  show->add_option("file", file, "Settings file (.dat)")->required();
  std::vector<std::string> showFields;
  show->add_option("fields", showFields, "Only these fields, arrays or groups");

  auto* send = app.add_subcommand("send", "Send one raw command and print the unit's answer");
  std::string raw;
  send->add_option("command", raw, "The command without CR LF, e.g. RAM")->required();

  auto* sw = app.add_subcommand("switch", "Switch the picture the unit shows now");
  std::string picture;
  sw->add_option("picture", picture, "ch.01 .. ch.16, split4A .. split16, auto")->required();

  auto* clock = app.add_subcommand("clock", "Set the unit's clock");
  clock->add_flag("--now", o.clockNow, "From this computer's clock")->required();

  auto* fields = app.add_subcommand("fields", "List the field names and the values they take");

  auto* scan = app.add_subcommand(
      "scan",
      "Find the units that answer: each RS-485 address 00..31 (or those of --address) "
      "in turn, or the one unit of an RS-232C line. Only a well-formed answer carrying the "
      "address asked counts; anything else is reported as noise on the line (exit 8)");

  app.require_subcommand(0, 1);

  std::vector<const char*> argv;
  for (const auto& a : arguments) argv.push_back(a.c_str());
  CommandLine result;
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e, out, err);
    result.exitCode = code == 0 ? 0 : kExitUsage;
    return result;
  }

  if (read->parsed()) {
    o.command = CtlCommand::kRead;
    o.arguments = {file};
  } else if (write->parsed()) {
    o.command = CtlCommand::kWrite;
    o.arguments = {file};
  } else if (get->parsed()) {
    o.command = CtlCommand::kGet;
    o.arguments = many;
  } else if (set->parsed()) {
    o.command = CtlCommand::kSet;
    o.arguments = many;
  } else if (diff->parsed()) {
    o.command = CtlCommand::kDiff;
    o.arguments = many;
    if (many.size() != (o.diffUnit ? 1u : 2u)) {
      err << "korvex7ctl: diff takes two settings files, or one with --unit\n";
      result.exitCode = kExitUsage;
      return result;
    }
  } else if (show->parsed()) {
    o.command = CtlCommand::kShow;
    o.arguments = {file};
    o.arguments.insert(o.arguments.end(), showFields.begin(), showFields.end());
  } else if (send->parsed()) {
    o.command = CtlCommand::kSend;
    o.arguments = {raw};
  } else if (sw->parsed()) {
    o.command = CtlCommand::kSwitch;
    o.arguments = {picture};
  } else if (clock->parsed()) {
    o.command = CtlCommand::kClock;
  } else if (fields->parsed()) {
    o.command = CtlCommand::kFields;
  } else if (scan->parsed()) {
    o.command = CtlCommand::kScan;
  } else if (listPorts) {
    o.command = CtlCommand::kListPorts;
  } else {
    err << app.help();
    result.exitCode = kExitUsage;
    return result;
  }
  o.timeoutGiven = timeout->count() > 0;
  if (o.rs485 && o.addresses.empty() && o.command != CtlCommand::kScan) {
    err << "korvex7ctl: --rs485 needs --address (NN, FF, NN-MM or NN,MM,...)\n";
    result.exitCode = kExitUsage;
    return result;
  }
  result.options = std::move(o);
  return result;
}

}  // namespace korvex7::ctl
