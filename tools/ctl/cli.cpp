#include "tools/ctl/cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "core/link/port_address.h"
#include "korvex7_version.h"
#include "tools/ctl/commands/commands.h"

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

// The command line's side of one command: its subcommand (or, for a
// command given as an option, that option) and where its parameters land.
struct CommandSlot {
  const CtlCommand* command = nullptr;
  CLI::App* subcommand = nullptr;
  CLI::Option* option = nullptr;  // a command given as an option
  // One of each per parameter, in the command's order; a parameter of one
  // word (or a value) takes `text`, one of several words `words`.
  std::vector<std::string> text;
  std::vector<std::vector<std::string>> words;
  std::vector<CLI::Option*> given;
};

// Adds the command's subcommand with its parameters to `app`.
void AddSubcommand(CLI::App& app, CommandSlot& slot) {
  const CtlCommand& c = *slot.command;
  slot.subcommand = app.add_subcommand(std::string(c.name), std::string(c.help));
  const std::size_t n = c.parameters.size();
  slot.text.resize(n);
  slot.words.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    const CtlParameter& p = c.parameters[i];
    const std::string name(p.name);
    const std::string help(p.help);
    CLI::Option* option = nullptr;
    switch (p.kind) {
      case CtlParameter::Kind::kWords:
        if (p.most == 1) {
          option = slot.subcommand->add_option(name, slot.text[i], help);
        } else {
          option = slot.subcommand->add_option(name, slot.words[i], help);
          if (p.most != kAnyNumber) option->expected(p.least, p.most);
        }
        break;
      case CtlParameter::Kind::kOption:
        option = slot.subcommand->add_option(name, slot.text[i], help);
        break;
      case CtlParameter::Kind::kFlag:
        option = slot.subcommand->add_flag(name, help);
        break;
    }
    if (p.least > 0) option->required();
    slot.given.push_back(option);
  }
}

// The command's words and options, as parsed, into `o`.
void TakeParameters(const CommandSlot& slot, CtlOptions& o) {
  const CtlCommand& c = *slot.command;
  o.command = std::string(c.name);
  for (std::size_t i = 0; i < slot.given.size(); ++i) {
    if (slot.given[i]->count() == 0) continue;
    const CtlParameter& p = c.parameters[i];
    switch (p.kind) {
      case CtlParameter::Kind::kWords:
        if (p.most == 1) {
          o.arguments.push_back(slot.text[i]);
        } else {
          o.arguments.insert(o.arguments.end(), slot.words[i].begin(), slot.words[i].end());
        }
        break;
      case CtlParameter::Kind::kOption:
        o.commandOptions[std::string(p.name)] = slot.text[i];
        break;
      case CtlParameter::Kind::kFlag:
        o.commandOptions[std::string(p.name)];
        break;
    }
  }
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                             std::ostream& err) {
  CtlOptions o;
  CLI::App app{"Reads, writes and sets KORVEX7 display units over their serial line.",
               "korvex7ctl"};
  app.fallthrough();  // the global options may also follow the command
  app.footer(kFooter);
  app.set_version_flag("--version", "korvex7ctl " KORVEX7_VERSION);

  std::vector<CommandSlot> slots(Commands().size());
  for (std::size_t i = 0; i < slots.size(); ++i) {
    slots[i].command = Commands()[i];
    if (IsOptionCommand(*slots[i].command)) {
      const std::string help(slots[i].command->help);
      slots[i].option = app.add_flag(std::string(slots[i].command->name), help);
    }
  }
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

  for (CommandSlot& slot : slots) {
    if (!IsOptionCommand(*slot.command)) AddSubcommand(app, slot);
  }
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

  // A command word first, then a command given as an option.
  const auto parsed = [](const CommandSlot& s) {
    return s.subcommand != nullptr ? s.subcommand->parsed() : false;
  };
  auto chosen = std::find_if(slots.begin(), slots.end(), parsed);
  if (chosen == slots.end()) {
    chosen = std::find_if(slots.begin(), slots.end(), [](const CommandSlot& s) {
      return s.option != nullptr && s.option->count() > 0;
    });
  }
  if (chosen == slots.end()) {
    err << app.help();
    result.exitCode = kExitUsage;
    return result;
  }
  TakeParameters(*chosen, o);
  if (chosen->command->usageError != nullptr) {
    if (const std::string error = chosen->command->usageError(o); !error.empty()) {
      err << "korvex7ctl: " << error << '\n';
      result.exitCode = kExitUsage;
      return result;
    }
  }
  o.timeoutGiven = timeout->count() > 0;
  if (o.rs485 && o.addresses.empty() && !chosen->command->everyAddressByDefault) {
    err << "korvex7ctl: --rs485 needs --address (NN, FF, NN-MM or NN,MM,...)\n";
    result.exitCode = kExitUsage;
    return result;
  }
  result.options = std::move(o);
  return result;
}

}  // namespace korvex7::ctl
