// korvex7ctl's commands on lines that misbehave, with a scripted line: what
// scan lists and reports as noise, output that holds bytes no unit sends,
// the echo named once, and a stop between commands.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <sstream>

#include <nlohmann/json.hpp>

#include "core/model/settings_file.h"
#include "core/model/settings_store.h"
#include "core/transfer/send_all_steps.h"
#include "ctl_test_support.h"
#include "platform/atomic_file.h"
#include "tools/ctl/ctl_app.h"

namespace korvex7::ctl {
namespace {

using std::chrono::milliseconds;
using testing::FakeClock;
using testing::ScriptedPort;

// Lends a test's port to the tool, which owns the port it opens; sets the
// stop flag when the `stopAt`-th frame is written (0: never).
class LentPort final : public LinkPort {
 public:
  LentPort(LinkPort& port, std::atomic<bool>& stop, std::size_t stopAt)
      : port_(port), stop_(stop), stopAt_(stopAt) {}
  void Write(std::string_view frame) override {
    port_.Write(frame);
    if (++written_ == stopAt_) stop_.store(true);
  }
  std::size_t Read(char* b, std::size_t n, milliseconds t) override { return port_.Read(b, n, t); }
  void DiscardInput() override { port_.DiscardInput(); }
  std::string TakeWriteError() override { return port_.TakeWriteError(); }

 private:
  LinkPort& port_;
  std::atomic<bool>& stop_;
  std::size_t stopAt_;
  std::size_t written_ = 0;
};

class CtlLine : public ::testing::Test {
 protected:
  int Run(CtlOptions o, std::size_t stopAtFrame = 0) {
    out_.str("");
    err_.str("");
    CtlEnvironment env(out_, err_);
    env.openPort = [this, stopAtFrame](const std::string&) -> std::unique_ptr<LinkPort> {
      return std::make_unique<LentPort>(*port_, stop_, stopAtFrame);
    };
    env.clock = &clock_;
    env.stop = &stop_;
    return RunCtl(o, env);
  }

  static CtlOptions Options(std::string command, std::vector<std::string> arguments,
                            std::string addresses = {}) {
    CtlOptions o;
    o.command = command;
    o.port = "/dev/unit";
    o.arguments = std::move(arguments);
    o.rs485 = !addresses.empty();
    o.addresses = std::move(addresses);
    return o;
  }

  FakeClock clock_;
  std::optional<ScriptedPort> port_{std::in_place, clock_};
  std::atomic<bool> stop_{false};
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(CtlLine, ScanListsOnlyWellFormedAnswersOfTheAddressAsked) {
  struct Row {
    const char* name;
    std::vector<std::vector<std::string>> answers;  // to the queries of 03, 04, 05
    std::string out;
    int exit;
  };
  const Row rows[] = {
      {"every unit answers",
       {{"03AMI\r\n"}, {"04LOCK\r\n"}, {"05AME\r\n"}},
       "03\n04  Lock Display\n05\n",
       kExitOk},
      // Unit 03 answers late: the end of its line comes while 04 is asked.
      {"a piece of another unit's answer",
       {{}, {"3AMI\r\n"}, {"05AMI\r\n"}},
       "noise while asking 04: \"3AMI\\r\\n\"\n05\n",
       kExitUnreliableLine},
      {"an answer with another address",
       {{}, {"03AMI\r\n"}, {}},
       "noise while asking 04: \"03AMI\\r\\n\"\n",
       kExitUnreliableLine},
      {"a status word without an address",
       {{"E3\r\n"}, {}, {}},
       "noise while asking 03: \"E3\\r\\n\"\n",
       kExitUnreliableLine},
      {"garbage",
       {{"\x01\x02\r\n"}, {}, {}},
       "noise while asking 03: \"\\x01\\x02\\r\\n\"\n",
       kExitUnreliableLine},
      {"the echo of every query",
       {{"03RAM\r\n"}, {"04RAM\r\n"}, {"05RAM\r\n"}},
       "no unit answers at any address scanned\n",
       kExitNoAnswer},
      {"the echo, then the answer",
       {{"03RAM\r\n03AMI\r\n"}, {"04RAM\r\n"}, {"05RAM\r\n"}},
       "03\n",
       kExitOk},
      {"a second line after an answer",
       {{"03AMI\r\n03AMI\r\n"}, {}, {}},
       "noise while asking 03: \"03AMI\\r\\n\"\n03\n",
       kExitUnreliableLine},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    port_.emplace(clock_);
    for (const auto& answer : row.answers) port_->Answer(answer);
    EXPECT_EQ(Run(Options("scan", {}, "03-05")), row.exit);
    EXPECT_EQ(out_.str(), row.out);
    EXPECT_EQ(port_->frames, (std::vector<std::string>{"03RAM\r\n", "04RAM\r\n", "05RAM\r\n"}));
    if (row.exit == kExitUnreliableLine) {
      EXPECT_NE(err_.str().find("the line is unreliable"), std::string::npos) << err_.str();
    }
  }
}

TEST_F(CtlLine, ScanNamesAUnitThatAnswersLateAndListsNoiseInJson) {
  port_->Answer({});
  port_->Answer({"03AMI\r\n"});
  port_->Answer({});
  CtlOptions o = Options("scan", {}, "03-05");
  o.json = true;
  EXPECT_EQ(Run(o), kExitUnreliableLine);
  const auto json = nlohmann::json::parse(out_.str());
  EXPECT_EQ(json["units"], nlohmann::json::array());
  ASSERT_EQ(json["noise"].size(), 1u);
  EXPECT_EQ(json["noise"][0]["asking"], "04");
  EXPECT_EQ(json["noise"][0]["before"], false);
  EXPECT_EQ(json["noise"][0]["bytes"], "03AMI\\r\\n");
  EXPECT_NE(err_.str().find("unit 03 may have answered after its wait"), std::string::npos);
}

TEST_F(CtlLine, BytesNoUnitSendsAreShownEscapedInTextAndJson) {
  const std::string bytes = "\xFF\xFE\x80\r\n";
  for (const bool json : {false, true}) {
    SCOPED_TRACE(json ? "JSON" : "text");
    port_.emplace(clock_);
    port_->Answer({bytes});
    CtlOptions o = Options("send", {"RAM"});
    o.json = json;
    EXPECT_EQ(Run(o), kExitUnitError);
    EXPECT_EQ(err_.str().find('\xFF'), std::string::npos);
    EXPECT_EQ(out_.str().find('\xFF'), std::string::npos);
    if (json) {
      const auto parsed = nlohmann::json::parse(out_.str());
      EXPECT_EQ(parsed["units"][0]["reply"], "\\xFF\\xFE\\x80");
      EXPECT_EQ(parsed["units"][0]["error"], "unexpected answer");
    } else {
      EXPECT_EQ(out_.str(), "\\xFF\\xFE\\x80\n");
      EXPECT_NE(err_.str().find("unexpected answer \"\\xFF\\xFE\\x80\" to RAM (command 1 of 1; "
                                "the unit answers it with its AM line)"),
                std::string::npos)
          << err_.str();
    }
  }
}

TEST_F(CtlLine, TheEchoIsNamedOncePerRun) {
  port_->Answer({"01AMI\r\n", "01GO\r\n"});
  port_->Answer({"02AMI\r\n", "02GO\r\n"});
  EXPECT_EQ(Run(Options("set", {"alarm.mode=internal"}, "01,02")), kExitOk) << err_.str();
  const std::string err = err_.str();
  const std::string warning = "warning: the line echoes what is sent";
  const auto first = err.find(warning);
  EXPECT_NE(first, std::string::npos) << err;
  EXPECT_EQ(err.find(warning, first + 1), std::string::npos) << err;
}

TEST_F(CtlLine, AStopSaysWhereTheRunStoppedAndWritesNoFile) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("korvex7ctl-line-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string site = (dir / "site.dat").string();
  ASSERT_TRUE(platform::ReplaceFileAtomically(site, SettingsFileBytes(SettingsModel{})).ok());
  struct Row {
    const char* name;
    CtlOptions options;
    std::size_t stopAt;  // the frame whose answer comes after the stop was asked
    std::string words;
  };
  const Row rows[] = {
      {"write, after 20 commands", Options("write", {site}), 20,
       "stopped at command 21 of 55: the unit holds part of the file"},
      {"write, before anything", Options("write", {site}), 0,
       "stopped at command 1 of 55: nothing was sent"},
      {"read", Options("read", {(dir / "read.dat").string()}), 3,
       "stopped at command 4 of 55: no file was written"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    port_.emplace(clock_);
    for (int i = 0; i < 55; ++i) {
      port_->Answer({row.options.command == "read"
                         ? std::string(EncodeSendAllStep(SettingsModel{}, i).text)
                         : std::string("GO\r\n")});
    }
    stop_.store(row.stopAt == 0);
    EXPECT_EQ(Run(row.options, row.stopAt), kExitStopped);
    EXPECT_NE(err_.str().find(row.words), std::string::npos) << err_.str();
    EXPECT_EQ(port_->frames.size(), row.stopAt);
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "read.dat"));
  std::filesystem::remove_all(dir);
}

TEST_F(CtlLine, AStopEndsTheRunBeforeTheNextUnit) {
  for (int unit = 0; unit < 3; ++unit) port_->Answer({"GO\r\n"});
  EXPECT_EQ(Run(Options("switch", {"ch.05"}, "01-03"), 1), kExitStopped);
  EXPECT_EQ(port_->frames, std::vector<std::string>{"01CS05\r\n"});
  EXPECT_NE(err_.str().find("stopped after unit 01: the units after it were not served"),
            std::string::npos)
      << err_.str();
}

}  // namespace
}  // namespace korvex7::ctl
