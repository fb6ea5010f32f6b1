#include "tools/ctl/cli.h"

#include <gtest/gtest.h>

#include <sstream>

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
    CtlCommand command;
    std::vector<std::string> arguments;
  };
  const Row rows[] = {
      {{"--port", "/dev/ttyUSB0", "read", "a.dat"}, CtlCommand::kRead, {"a.dat"}},
      {{"read", "a.dat", "--port", "/dev/ttyUSB0"}, CtlCommand::kRead, {"a.dat"}},
      {{"--port", "p", "write", "a.dat"}, CtlCommand::kWrite, {"a.dat"}},
      {{"--port", "p", "get", "alarm.mode", "agc.on"}, CtlCommand::kGet, {"alarm.mode", "agc.on"}},
      {{"--port", "p", "set", "alarm.mode=external", "videoAdjust.brightness[3]=-1"},
       CtlCommand::kSet,
       {"alarm.mode=external", "videoAdjust.brightness[3]=-1"}},
      {{"diff", "a.dat", "b.dat"}, CtlCommand::kDiff, {"a.dat", "b.dat"}},
      {{"--port", "p", "diff", "--unit", "a.dat"}, CtlCommand::kDiff, {"a.dat"}},
      {{"show", "a.dat", "--json"}, CtlCommand::kShow, {"a.dat"}},
      {{"show", "a.dat", "alarm"}, CtlCommand::kShow, {"a.dat", "alarm"}},
      {{"--port", "p", "send", "RAM"}, CtlCommand::kSend, {"RAM"}},
      {{"--port", "p", "switch", "ch.05"}, CtlCommand::kSwitch, {"ch.05"}},
      {{"--port", "p", "clock", "--now"}, CtlCommand::kClock, {}},
      {{"--list-ports"}, CtlCommand::kListPorts, {}},
      {{"fields"}, CtlCommand::kFields, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args[row.args.size() > 2 ? 2 : 0]);
    const CommandLine c = Parse(row.args);
    ASSERT_TRUE(c.options.has_value());
    EXPECT_EQ(c.options->command, row.command);
    EXPECT_EQ(c.options->arguments, row.arguments);
  }
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
