// The commands of korvex7ctl. Each command describes itself in its own file
// in this folder: its name and help, the words and options it takes, and
// the function that runs it. KORVEX7_CTL_COMMANDS below is the one list of
// them; the command line (--help and the parse, tools/ctl/cli.cpp) is made
// from the descriptions, and RunCtl runs the one the options name.
//
// A new command: its file here, defining `const CtlCommand kNameCommand`, a
// row in the list, the file in CMakeLists.txt and its words in the guide.
#pragma once

#include <span>
#include <string_view>

#include "tools/ctl/command_context.h"

namespace korvex7::ctl {

// What a command takes on the command line besides the global options.
struct CtlParameter {
  enum class Kind {
    kWords,   // words after the command ("read FILE")
    kOption,  // an option with a value ("--file PATH")
    kFlag,    // an option alone ("--unit")
  };
  Kind kind = Kind::kWords;
  std::string_view name;  // "file", "--file", "--unit"
  std::string_view help;
  // kWords: how many words at least (0: they may be left out) and at most
  // (kAnyNumber: no limit). kOption and kFlag: at least 1 makes it required.
  int least = 0;
  int most = 1;
};

inline constexpr int kAnyNumber = -1;

constexpr CtlParameter Words(std::string_view name, std::string_view help, int least = 1,
                             int most = 1) {
  return {CtlParameter::Kind::kWords, name, help, least, most};
}
constexpr CtlParameter Option(std::string_view name, std::string_view help) {
  return {CtlParameter::Kind::kOption, name, help, 0, 1};
}
constexpr CtlParameter Flag(std::string_view name, std::string_view help, bool required = false) {
  return {CtlParameter::Kind::kFlag, name, help, required ? 1 : 0, 1};
}

struct CtlCommand {
  // As typed: "read"; a name that starts with "--" is a command given as an
  // option ("--list-ports"), which a command word overrides.
  std::string_view name{};
  std::string_view help{};
  // In the order --help shows them; the words of every kWords parameter go
  // into CtlOptions::arguments in this order.
  std::span<const CtlParameter> parameters{};
  int (*run)(CommandContext&) = nullptr;
  // The usage error of a command line that the parameters alone let
  // through ("diff takes two settings files, or one with --unit"); empty
  // when there is none. Null: no such check.
  std::string (*usageError)(const CtlOptions&) = nullptr;
  // --rs485 goes without --address (scan then asks every address).
  bool everyAddressByDefault = false;
};

// Every command of korvex7ctl, in the order --help lists them: ROW(Name)
// stands for kNameCommand, defined in the command's own file.
#define KORVEX7_CTL_COMMANDS(ROW) \
  ROW(ListPorts)                  \
  ROW(Read)                       \
  ROW(Write)                      \
  ROW(Get)                        \
  ROW(Set)                        \
  ROW(Diff)                       \
  ROW(Show)                       \
  ROW(Send)                       \
  ROW(Switch)                     \
  ROW(Clock)                      \
  ROW(Fields)                     \
  ROW(Scan)

#define KORVEX7_CTL_DECLARE_COMMAND(Name) extern const CtlCommand k##Name##Command;
KORVEX7_CTL_COMMANDS(KORVEX7_CTL_DECLARE_COMMAND)
#undef KORVEX7_CTL_DECLARE_COMMAND

// The commands of the list, in its order.
std::span<const CtlCommand* const> Commands();

// The command named `name` as typed ("read", "--list-ports"); null when
// there is none.
const CtlCommand* FindCommand(std::string_view name);

// True for a command given as an option ("--list-ports").
constexpr bool IsOptionCommand(const CtlCommand& command) { return command.name.starts_with("--"); }

}  // namespace korvex7::ctl
