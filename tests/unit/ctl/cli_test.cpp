#include "tools/ctl/cli.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "tools/ctl/commands/commands.h"

namespace korvex7::ctl {
namespace {

CommandLine Parse(std::vector<std::string> args, std::string* errors = nullptr) {
  args.insert(args.begin(), "korvex7ctl");
  std::ostringstream out;
  std::ostringstream err;
  CommandLine c = ParseCommandLine(args, out, err);
  if (errors != nullptr) *errors = err.str();
  return c;
}

TEST(Cli, CommandsAndTheirArguments) {
  struct Row {
    std::vector<std::string> args;
    std::string command;
    std::vector<std::string> arguments;
  };
  const Row rows[] = {
      {{"--port", "/dev/ttyUSB0", "read", "a.dat"}, "read", {"a.dat"}},
      {{"read", "a.dat", "--port", "/dev/ttyUSB0"}, "read", {"a.dat"}},
      {{"--port", "p", "write", "a.dat"}, "write", {"a.dat"}},
      {{"--port", "p", "get", "alarm.mode", "agc.on"}, "get", {"alarm.mode", "agc.on"}},
      {{"--port", "p", "set", "alarm.mode=external", "videoAdjust.brightness[3]=-1"},
       "set",
       {"alarm.mode=external", "videoAdjust.brightness[3]=-1"}},
      {{"diff", "a.dat", "b.dat"}, "diff", {"a.dat", "b.dat"}},
      {{"--port", "p", "diff", "--unit", "a.dat"}, "diff", {"a.dat"}},
      {{"show", "a.dat", "--json"}, "show", {"a.dat"}},
      {{"show", "a.dat", "alarm"}, "show", {"a.dat", "alarm"}},
      {{"--port", "p", "send", "RAM"}, "send", {"RAM"}},
      {{"--port", "p", "switch", "ch.05"}, "switch", {"ch.05"}},
      {{"--port", "p", "clock", "--now"}, "clock", {}},
      {{"--list-ports"}, "--list-ports", {}},
      {{"fields"}, "fields", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args[row.args.size() > 2 ? 2 : 0]);
    const CommandLine c = Parse(row.args);
    ASSERT_TRUE(c.options.has_value());
    EXPECT_EQ(c.options->command, row.command);
    EXPECT_EQ(c.options->arguments, row.arguments);
  }
}

TEST(Cli, CommandOptions) {
  struct Row {
    std::vector<std::string> args;
    std::map<std::string, std::string, std::less<>> options;
  };
  const Row rows[] = {
      {{"get", "alarm", "--file", "f.dat"}, {{"--file", "f.dat"}}},
      {{"set", "--file", "f.dat", "alarm.mode=external"}, {{"--file", "f.dat"}}},
      {{"--port", "p", "diff", "--unit", "a.dat"}, {{"--unit", ""}}},
      {{"--port", "p", "clock", "--now"}, {{"--now", ""}}},
      {{"--port", "p", "get", "alarm"}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args[0] == "--port" ? row.args[2] : row.args[0]);
    const CommandLine c = Parse(row.args);
    ASSERT_TRUE(c.options.has_value());
    EXPECT_EQ(c.options->commandOptions, row.options);
    for (const auto& [name, value] : row.options) {
      EXPECT_TRUE(c.options->Given(name));
      EXPECT_EQ(c.options->Value(name), value);
    }
  }
  EXPECT_FALSE(Parse({"fields"}).options->Given("--file"));
}

// Each command is known by one name and runs; --help shows each with its
// words, and each command's own --help its parameters with their words.
TEST(Cli, HelpFollowsTheCommandTable) {
  std::ostringstream help;
  std::ostringstream ignored;
  EXPECT_EQ(ParseCommandLine({"korvex7ctl", "--help"}, help, ignored).exitCode, 0);
  std::set<std::string_view> names;
  for (const CtlCommand* command : Commands()) {
    SCOPED_TRACE(command->name);
    EXPECT_TRUE(names.insert(command->name).second);
    EXPECT_EQ(FindCommand(command->name), command);
    EXPECT_NE(command->run, nullptr);
    ASSERT_FALSE(command->help.empty());
    const std::string shown = help.str();
    const std::size_t at = shown.find("  " + std::string(command->name) + " ");
    ASSERT_NE(at, std::string::npos);
    EXPECT_NE(shown.find(command->help.substr(0, 40), at), std::string::npos);
    if (IsOptionCommand(*command)) continue;
    std::ostringstream own;
    EXPECT_EQ(ParseCommandLine({"korvex7ctl", std::string(command->name), "--help"}, own, ignored)
                  .exitCode,
              0);
    for (const CtlParameter& p : command->parameters) {
      EXPECT_NE(own.str().find(std::string(p.name)), std::string::npos) << p.name;
      EXPECT_NE(own.str().find(std::string(p.help.substr(0, 30))), std::string::npos) << p.name;
    }
  }
  EXPECT_EQ(FindCommand("nosuch"), nullptr);
  EXPECT_EQ(FindCommand(""), nullptr);
}

TEST(Cli, GlobalOptions) {
  const CommandLine c =
      Parse({"--port", "/dev/ttyS1", "--rs485", "--address", "01,03-05", "--pace-ms", "50",
             "--timeout-ms", "500", "get", "alarm", "--json", "--no-progress"});
  ASSERT_TRUE(c.options.has_value());
  EXPECT_EQ(c.options->port, "/dev/ttyS1");
  EXPECT_TRUE(c.options->rs485);
  EXPECT_EQ(c.options->addresses, "01,03-05");
  EXPECT_EQ(c.options->paceMs, 50);
  EXPECT_EQ(c.options->timeoutMs, 500);
  EXPECT_TRUE(c.options->json);
  EXPECT_TRUE(c.options->noProgress);
  const CommandLine plain = Parse({"--port", "p", "read", "a.dat"});
  EXPECT_FALSE(plain.options->paceMs.has_value());
  EXPECT_EQ(plain.options->timeoutMs, 1900);
}

TEST(Cli, MalformedCommandLines) {
  const std::vector<std::vector<std::string>> rows = {
      {},
      {"nosuch"},
      {"read"},
      {"read", "a.dat", "b.dat"},
      {"set"},
      {"get"},
      {"diff", "a.dat"},
      {"diff", "a.dat", "b.dat", "c.dat"},
      {"diff", "--unit", "a.dat", "b.dat"},
      {"clock"},
      {"switch"},
      {"--address", "05", "read", "a.dat"},  // --address needs --rs485
      {"--rs485", "read", "a.dat"},          // --rs485 needs --address
      {"--pace-ms", "-5", "read", "a.dat"},
      {"--pace-ms", "fast", "read", "a.dat"},
      {"--timeout-ms", "0", "read", "a.dat"},
      {"read", "a.dat", "write", "b.dat"},
  };
  for (const auto& args : rows) {
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    SCOPED_TRACE(joined);
    std::string errors;
    const CommandLine c = Parse(args, &errors);
    EXPECT_FALSE(c.options.has_value());
    EXPECT_EQ(c.exitCode, kExitUsage);
    EXPECT_FALSE(errors.empty());
  }
}

TEST(Cli, HelpIsNotAnError) {
  const CommandLine c = Parse({"--help"});
  EXPECT_FALSE(c.options.has_value());
  EXPECT_EQ(c.exitCode, 0);
}

}  // namespace
}  // namespace korvex7::ctl
