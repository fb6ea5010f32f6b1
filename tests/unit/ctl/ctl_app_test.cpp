#include "tools/ctl/ctl_app.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/model/settings_file.h"
#include "core/model/settings_store.h"
#include "ctl_test_support.h"
#include "platform/atomic_file.h"
#include "tools/ctl/report.h"

namespace korvex7::ctl {
namespace {

using std::chrono::milliseconds;
using testing::FakeClock;
using testing::SimulatedBus;

// Lends the test's bus to the tool, which owns the port it opens.
class BorrowedPort final : public LinkPort {
 public:
  explicit BorrowedPort(LinkPort& port) : port_(port) {}
  void Write(std::string_view frame) override { port_.Write(frame); }
  std::size_t Read(char* b, std::size_t n, milliseconds t) override { return port_.Read(b, n, t); }
  void DiscardInput() override { port_.DiscardInput(); }
  std::string TakeWriteError() override { return port_.TakeWriteError(); }

 private:
  LinkPort& port_;
};

class CtlApp : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           (std::string("korvex7ctl-app-") + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  int Run(CtlOptions o) {
    out_.str("");
    err_.str("");
    CtlEnvironment env(out_, err_);
    env.openPort = [this](const std::string& name) -> std::unique_ptr<LinkPort> {
      ++portsOpened_;
      if (name != "/dev/unit") throw LinkError(name + ": cannot open: No such file or directory");
      return std::make_unique<BorrowedPort>(bus_);
    };
    env.listPorts = [] { return std::vector<std::string>{"/dev/ttyS0", "/dev/ttyUSB0"}; };
    env.localTime = [this] { return now_; };
    env.clock = &clock_;
    return RunCtl(o, env);
  }

  static CtlOptions Unit(std::string command, std::vector<std::string> arguments,
                         std::string addresses = {}) {
    CtlOptions o;
    o.command = command;
    o.port = "/dev/unit";
    o.arguments = std::move(arguments);
    if (!addresses.empty()) {
      o.rs485 = true;
      o.addresses = std::move(addresses);
    }
    return o;
  }

  void SaveFile(const std::string& name, const SettingsModel& m) {
    ASSERT_TRUE(platform::ReplaceFileAtomically(Path(name), SettingsFileBytes(m)).ok());
  }

  SettingsModel LoadFile(const std::string& name) {
    SettingsModel m;
    EXPECT_TRUE(LoadSettingsFromFile(Path(name), m).complete) << name;
    return m;
  }

  std::filesystem::path dir_;
  FakeClock clock_;
  SimulatedBus bus_{clock_};
  std::ostringstream out_;
  std::ostringstream err_;
  int portsOpened_ = 0;
  std::tm now_{};
};

SettingsModel SiteSettings() {
  SettingsModel m;
  m.alarm.mode = 1;
  SetText(m.alarm.holdTimeText, "120");
  m.videoLoss.background = 1;
  SetText(m.title.text[0], "\x93\xfc\x8c\xfb");
  m.fontSize.split = 0;
  m.autoSwitch.mode = 0;
  m.videoAdjust.contrast[7] = 100;
  m.videoFormat.format[0] = 0;
  m.splitLayout.sixteen[0] = 15;
  m.splitLayout.sixteen[15] = 0;
  m.other.ntscAspect = 1;
  return m;
}

TEST_F(CtlApp, ReadSavesWhatTheUnitHolds) {
  bus_.AddUnit().state().settings = SiteSettings();
  ASSERT_EQ(Run(Unit("read", {Path("site.dat")})), kExitOk) << err_.str();
  EXPECT_TRUE(DiffModels(SiteSettings(), LoadFile("site.dat"), true).empty())
      << DiffText(DiffModels(SiteSettings(), LoadFile("site.dat"), true));
  EXPECT_EQ(bus_.frames.size(), 55u);
  EXPECT_EQ(err_.str(), "");
}

TEST_F(CtlApp, SeveralUnitsOneSilentEachReportedOnItsOwn) {
  bus_.AddUnit(1).state().settings = SiteSettings();
  bus_.AddUnit(2);
  // No unit 03 on the line; unit 04 answers after it.
  bus_.AddUnit(4).state().settings.alarm.mode = 1;
  EXPECT_EQ(Run(Unit("read", {Path("site.dat")}, "01-04")), kExitNoAnswer);
  EXPECT_TRUE(DiffModels(SiteSettings(), LoadFile("site-01.dat"), true).empty());
  EXPECT_TRUE(DiffModels(SettingsModel{}, LoadFile("site-02.dat"), true).empty());
  EXPECT_FALSE(std::filesystem::exists(Path("site-03.dat")));
  EXPECT_EQ(LoadFile("site-04.dat").alarm.mode, 1);
  EXPECT_NE(err_.str().find("unit 03: No Connect (no answer to RAM"), std::string::npos)
      << err_.str();
  EXPECT_EQ(err_.str().find("unit 01"), std::string::npos);
  EXPECT_NE(out_.str().find("unit 04: read 55"), std::string::npos) << out_.str();
  EXPECT_EQ(portsOpened_, 1);  // one line, one port
}

TEST_F(CtlApp, JsonReportsEveryUnit) {
  bus_.AddUnit(1);
  CtlOptions o = Unit("get", {"alarm.mode", "videoAdjust.brightness[3]"}, "01,02");
  o.json = true;
  EXPECT_EQ(Run(o), kExitNoAnswer);
  const auto j = nlohmann::json::parse(out_.str());
  ASSERT_EQ(j["units"].size(), 2u);
  EXPECT_EQ(j["units"][0]["address"], "01");
  EXPECT_EQ(j["units"][0]["ok"], true);
  EXPECT_EQ(j["units"][0]["fields"]["alarm.mode"], "internal");
  EXPECT_EQ(j["units"][0]["fields"]["videoAdjust.brightness[3]"], 0);
  EXPECT_EQ(j["units"][1]["address"], "02");
  EXPECT_EQ(j["units"][1]["ok"], false);
  EXPECT_EQ(j["units"][1]["error"], "No Connect");
  EXPECT_EQ(j["units"][1]["exit"], kExitNoAnswer);
}

TEST_F(CtlApp, WriteCarriesTheFileToTheUnit) {
  sim::SimUnit& unit = bus_.AddUnit(5);
  SaveFile("site.dat", SiteSettings());
  ASSERT_EQ(Run(Unit("write", {Path("site.dat")}, "05")), kExitOk) << err_.str();
  EXPECT_TRUE(DiffModels(SiteSettings(), unit.state().settings, true).empty())
      << DiffText(DiffModels(SiteSettings(), unit.state().settings, true));
  EXPECT_EQ(bus_.frames.front(), "05AME\r\n");
}

TEST_F(CtlApp, BroadcastWriteReachesEveryUnitAtTheProgramsPace) {
  sim::SimUnit& a = bus_.AddUnit(3);
  sim::SimUnit& b = bus_.AddUnit(9);
  SaveFile("site.dat", SiteSettings());
  ASSERT_EQ(Run(Unit("write", {Path("site.dat")}, "FF")), kExitOk) << err_.str();
  EXPECT_TRUE(DiffModels(SiteSettings(), a.state().settings, true).empty());
  EXPECT_TRUE(DiffModels(SiteSettings(), b.state().settings, true).empty());
  EXPECT_EQ(bus_.frames.front(), "FFAME\r\n");
  EXPECT_EQ(clock_.slept(), 54 * kBroadcastPace);  // no unit answers; the gap stays
  EXPECT_NE(out_.str().find("Broadcast"), std::string::npos);
}

TEST_F(CtlApp, RefusedFileValuesStopTheWriteBeforeAnythingIsSent) {
  bus_.AddUnit();
  SettingsModel bad = SiteSettings();
  bad.videoAdjust.brightness[2] = 300;
  SetText(bad.title.text[4], "AB");
  SaveFile("bad.dat", bad);
  EXPECT_EQ(Run(Unit("write", {Path("bad.dat")})), kExitRefused);
  EXPECT_TRUE(bus_.frames.empty());
  EXPECT_NE(err_.str().find("videoAdjust.brightness[2]"), std::string::npos);
  EXPECT_NE(err_.str().find("title.text[4]"), std::string::npos);
}

TEST_F(CtlApp, DamagedFileIsNotSent) {
  bus_.AddUnit();
  {
    std::ofstream out(Path("short.dat"), std::ios::binary);
    out << "1\r\n0\r\n030\r\n";
  }
  EXPECT_EQ(Run(Unit("write", {Path("short.dat")})), kExitFileError);
  EXPECT_EQ(Run(Unit("write", {Path("missing.dat")})), kExitFileError);
  EXPECT_TRUE(bus_.frames.empty());
}

TEST_F(CtlApp, SetThenGetEachFamily) {
  bus_.AddUnit();
  const std::vector<std::string> assignments = {
      "alarm.mode=external",
      "alarm.holdTimeText=45",
      "videoLoss.detect[3]=off",
      "dateTime.displayRange=hms",
      "title.text[1]=入口",
      "titleDisplay.split=off",
      "fontSize.single=small",
      "autoSwitch.dwellTime[17]=12",
      "autoSwitch.mode=division",
      "videoAdjust.brightness[3]=-1",
      "videoAdjust.hue[15]=-124",
      "videoAdjust.sharpness=7",
      "agc.on[2]=off",
      "videoFormat.format[9]=ntsc",
      "titlePosition.vertical=15",
      "splitLayout.quadA[0]=16",
      "other.borderLine=white",
      "other.powerOnScreen=split13B",
      "other.ntscAspect=full",
  };
  ASSERT_EQ(Run(Unit("set", assignments)), kExitOk) << err_.str();
  std::vector<std::string> names;
  for (const auto& a : assignments) names.push_back(a.substr(0, a.find('=')));
  names.erase(std::find(names.begin(), names.end(), "videoAdjust.sharpness"));
  ASSERT_EQ(Run(Unit("get", names)), kExitOk) << err_.str();
  // Each value reads back as it was typed (a title without its padding).
  std::string expected;
  for (const auto& a : assignments) {
    if (a.rfind("videoAdjust.sharpness", 0) != 0) expected += a + "\n";
  }
  EXPECT_EQ(out_.str(), expected);
  EXPECT_EQ(bus_.units.front().state().settings.videoAdjust.sharpness[11], 7);
}

TEST_F(CtlApp, MalformedSetArgumentsSendNothing) {
  bus_.AddUnit();
  struct Row {
    std::vector<std::string> arguments;
    int exit;
  };
  const Row rows[] = {
      {{"alarm.mode"}, kExitUsage},
      {{"alarm.mode=sideways"}, kExitUsage},
      {{"alarm.mode=external", "nosuch=1"}, kExitUsage},
      {{"videoAdjust.brightness[3]=64"}, kExitRefused},
      {{"title.text[0]=ABC"}, kExitRefused},
      {{"videoAdjust.saturationV[0]=5"}, kExitUsage},
      {{"splitLayout.quadA=5"}, kExitRefused},  // every position the same channel
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments.back());
    EXPECT_EQ(Run(Unit("set", row.arguments)), row.exit);
    EXPECT_NE(err_.str().find("nothing was sent"), std::string::npos) << err_.str();
  }
  EXPECT_TRUE(bus_.frames.empty());
  EXPECT_EQ(portsOpened_, 0);
}

TEST_F(CtlApp, PartOfATableNeedsTheUnitsValuesSoNotByBroadcast) {
  bus_.AddUnit(1);
  EXPECT_EQ(Run(Unit("set", {"agc.on[2]=off"}, "FF")), kExitUsage);
  EXPECT_TRUE(bus_.frames.empty());
  EXPECT_EQ(Run(Unit("set", {"agc.on=off"}, "FF")), kExitOk) << err_.str();
  EXPECT_EQ(bus_.units.front().state().settings.agc.on[2], 0);
}

TEST_F(CtlApp, DuplicateFoundAfterReadingTheUnitIsRefused) {
  bus_.AddUnit();
  EXPECT_EQ(Run(Unit("set", {"splitLayout.quadA[0]=2"})), kExitRefused);
  // Only the query went out.
  EXPECT_EQ(bus_.frames, std::vector<std::string>{"RSPD4A\r\n"});
  EXPECT_NE(err_.str().find("チャンネルが重複しています。"), std::string::npos);
}

TEST_F(CtlApp, UnitErrorsAndTimeOutsGiveTheirExitCodes) {
  struct Row {
    const char* status;  // forced status word; nullptr: silent
    int exit;
    const char* words;
  };
  const Row rows[] = {
      {"LOCK", kExitUnitError, "Lock Display"},
      {"E3", kExitUnitError, "Command Error"},
      {"MENU", kExitUnitError, "Menu Display"},
      {nullptr, kExitNoAnswer, "No Connect"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.words);
    bus_.units.clear();
    sim::SimUnit& unit = bus_.AddUnit();
    if (row.status != nullptr) {
      unit.SetForcedStatus(row.status);
    } else {
      unit.SetSilent(true);
    }
    EXPECT_EQ(Run(Unit("set", {"alarm.mode=external"})), row.exit);
    EXPECT_NE(err_.str().find(row.words), std::string::npos) << err_.str();
    EXPECT_EQ(Run(Unit("read", {Path("x.dat")})), row.exit);
    EXPECT_FALSE(std::filesystem::exists(Path("x.dat")));
  }
}

// A device's name is no settings file: read writes nothing there, though
// the platform would write the name on this system.
TEST_F(CtlApp, ReadRefusesADevicesName) {
  bus_.AddUnit().state().settings = SiteSettings();
  for (const char* name : {"COM1.dat", "nul"}) {
    SCOPED_TRACE(name);
    err_.str("");
    EXPECT_EQ(Run(Unit("read", {Path(name)})), kExitFileError);
    EXPECT_NE(err_.str().find(SettingsFileWriteRefusal(Path(name))), std::string::npos)
        << err_.str();
    EXPECT_FALSE(std::filesystem::exists(Path(name)));
  }
}

TEST_F(CtlApp, PortThatCannotBeOpened) {
  CtlOptions o = Unit("get", {"alarm.mode"});
  o.port = "/dev/nothing";
  EXPECT_EQ(Run(o), kExitPortError);
  EXPECT_NE(err_.str().find("/dev/nothing"), std::string::npos);
  o.port.clear();
  EXPECT_EQ(Run(o), kExitUsage);
}

TEST_F(CtlApp, ShowAndDiffFiles) {
  SaveFile("a.dat", SettingsModel{});
  SaveFile("b.dat", SiteSettings());
  CtlOptions show;
  show.command = "show";
  show.arguments = {Path("b.dat"), "alarm.mode", "videoAdjust.contrast[7]"};
  EXPECT_EQ(Run(show), kExitOk);
  EXPECT_EQ(out_.str(), "alarm.mode=external\nvideoAdjust.contrast[7]=100\n");
  show.json = true;
  show.arguments = {Path("b.dat")};
  EXPECT_EQ(Run(show), kExitOk);
  const auto j = nlohmann::json::parse(out_.str());
  EXPECT_EQ(j["fields"].size(), kSavedFieldCount);
  EXPECT_EQ(j["fields"]["title.text[0]"], "入口");

  CtlOptions diff;
  diff.command = "diff";
  diff.arguments = {Path("a.dat"), Path("b.dat")};
  EXPECT_EQ(Run(diff), kExitDifferent);
  EXPECT_NE(out_.str().find("other.ntscAspect: 4:3 -> full\n"), std::string::npos);
  diff.arguments = {Path("b.dat"), Path("b.dat")};
  EXPECT_EQ(Run(diff), kExitOk);
  EXPECT_EQ(out_.str(), "");
}

TEST_F(CtlApp, DiffWithTheUnit) {
  SettingsModel held = SiteSettings();
  held.videoAdjust.saturationV[0] = 1;  // files only: not compared
  bus_.AddUnit().state().settings = held;
  SaveFile("site.dat", SiteSettings());
  CtlOptions diff = Unit("diff", {Path("site.dat")});
  diff.commandOptions["--unit"];
  EXPECT_EQ(Run(diff), kExitOk) << out_.str() << err_.str();
  bus_.units.front().state().settings.other.borderLine = 2;
  EXPECT_EQ(Run(diff), kExitDifferent);
  EXPECT_EQ(out_.str(), "other.borderLine: black -> grey\n");
}

TEST_F(CtlApp, GetAndSetOnAFile) {
  SaveFile("f.dat", SettingsModel{});
  CtlOptions set;
  set.command = "set";
  set.commandOptions["--file"] = Path("f.dat");
  set.arguments = {"videoAdjust.saturationV[2]=5", "alarm.mode=external"};
  EXPECT_EQ(Run(set), kExitOk) << err_.str();
  EXPECT_EQ(LoadFile("f.dat").videoAdjust.saturationV[2], 5);
  set.arguments = {"alarm.mode=internal", "splitLayout.quadA[0]=2"};  // a duplicate
  EXPECT_EQ(Run(set), kExitRefused);
  EXPECT_EQ(LoadFile("f.dat").alarm.mode, 1);  // the file was not changed
  CtlOptions get;
  get.command = "get";
  get.commandOptions["--file"] = Path("f.dat");
  get.arguments = {"alarm.mode", "videoAdjust.saturationV[2]"};
  EXPECT_EQ(Run(get), kExitOk);
  EXPECT_EQ(out_.str(), "alarm.mode=external\nvideoAdjust.saturationV[2]=5\n");
  EXPECT_EQ(portsOpened_, 0);
}

TEST_F(CtlApp, SendPrintsTheAnswerLine) {
  bus_.AddUnit(7).state().settings.alarm.mode = 1;
  EXPECT_EQ(Run(Unit("send", {"RAM"}, "07")), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "unit 07: 07AME\n");
  EXPECT_EQ(bus_.frames.back(), "07RAM\r\n");
  EXPECT_EQ(Run(Unit("send", {"XYZ"}, "07")), kExitUnitError);
  EXPECT_EQ(Run(Unit("send", {"R\tAM"}, "07")), kExitUsage);
}

TEST_F(CtlApp, SwitchAndClock) {
  bus_.AddUnit();
  EXPECT_EQ(Run(Unit("switch", {"ch.05"})), kExitOk);
  EXPECT_EQ(Run(Unit("switch", {"split13B"})), kExitOk);
  EXPECT_EQ(Run(Unit("switch", {"auto"})), kExitOk);
  EXPECT_EQ(Run(Unit("switch", {"ch.17"})), kExitUsage);
  EXPECT_EQ(bus_.frames, (std::vector<std::string>{"CS05\r\n", "CD13B\r\n", "CCAS\r\n"}));

  bus_.frames.clear();
  now_.tm_year = 2016 - 1900;
  now_.tm_mon = 2;
  now_.tm_mday = 5;
  now_.tm_hour = 9;
  now_.tm_min = 7;
  now_.tm_sec = 0;
  CtlOptions clock = Unit("clock", {});
  clock.commandOptions["--now"];
  EXPECT_EQ(Run(clock), kExitOk) << err_.str();
  EXPECT_EQ(bus_.frames, (std::vector<std::string>{"DSY16\r\n", "DSM03\r\n", "DSD05\r\n",
                                                   "TSH09\r\n", "TSM07\r\n", "TSS00\r\n"}));
  const sim::UnitClock& c = bus_.units.front().state().clock;
  EXPECT_EQ(c.year, 16);
  EXPECT_EQ(c.month, 3);
  EXPECT_EQ(c.minute, 7);
  now_.tm_year = 2100 - 1900;
  bus_.frames.clear();
  EXPECT_EQ(Run(clock), kExitRefused);
  EXPECT_TRUE(bus_.frames.empty());
}

// Options that name no command of the table (a caller's slip: the command
// line never makes them) run nothing.
TEST_F(CtlApp, NoCommandRunsNothing) {
  bus_.AddUnit();
  for (const std::string name : {"", "nosuch", "list-ports"}) {
    SCOPED_TRACE(name);
    CtlOptions o = Unit(name, {"a.dat"});
    EXPECT_EQ(Run(o), kExitUsage);
    EXPECT_EQ(err_.str(), "korvex7ctl: no command given (try --help)\n");
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(portsOpened_, 0);
  }
}

TEST_F(CtlApp, ListPorts) {
  CtlOptions o;
  o.command = "--list-ports";
  EXPECT_EQ(Run(o), kExitOk);
  EXPECT_EQ(out_.str(), "/dev/ttyS0\n/dev/ttyUSB0\n");
}

// scan: one short query per address; the answering units listed address
// first, a unit answering with a status word listed with it, the rest
// skipped after the scan's own short wait (so 32 addresses take at most
// 32 x 100 ms of waiting).
TEST_F(CtlApp, ScanListsTheUnitsThatAnswer) {
  struct Row {
    const char* name;
    std::vector<int> units;  // addresses on the line; -1: an RS-232C unit
    int lockedUnit;          // answers "LOCK" (-2: none)
    std::string addresses;   // --address; empty with units {-1}: RS-232C
    bool rs485;
    std::string out;
    int exit;
  } const rows[] = {
      {"every address", {3, 7, 31}, -2, "", true, "03\n07\n31\n", kExitOk},
      {"a locked unit is there", {5, 6}, 6, "", true, "05\n06  Lock Display\n", kExitOk},
      {"--address narrows the range", {3, 7, 31}, -2, "04-10", true, "07\n", kExitOk},
      {"nobody on the line",
       {},
       -2,
       "",
       true,
       "no unit answers at any address scanned\n",
       kExitNoAnswer},
      {"RS-232C unit", {-1}, -2, "", false, "a unit answers\n", kExitOk},
      {"RS-232C, nothing", {}, -2, "", false, "no unit answers\n", kExitNoAnswer},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    bus_.units.clear();
    bus_.frames.clear();
    for (const int a : row.units) {
      sim::SimUnit& u = bus_.AddUnit(a >= 0 ? std::optional<int>(a) : std::nullopt);
      if (a == row.lockedUnit) u.SetForcedStatus("LOCK");
    }
    CtlOptions o = Unit("scan", {});
    o.rs485 = row.rs485;
    o.addresses = row.addresses;
    const auto before = clock_.Now();
    EXPECT_EQ(Run(o), row.exit);
    EXPECT_EQ(out_.str(), row.out);
    const std::size_t asked = row.rs485 ? (row.addresses.empty() ? 32u : 7u) : 1u;
    EXPECT_EQ(bus_.frames.size(), asked);
    EXPECT_LE(clock_.Now() - before, milliseconds(100) * static_cast<int>(asked));
  }
}

TEST_F(CtlApp, ScanInJsonListsEachAnsweringUnit) {
  bus_.AddUnit(2);
  bus_.AddUnit(9).SetForcedStatus("MENU");
  CtlOptions o = Unit("scan", {});
  o.rs485 = true;
  o.json = true;
  EXPECT_EQ(Run(o), kExitOk);
  const auto json = nlohmann::json::parse(out_.str());
  ASSERT_EQ(json["units"].size(), 2u);
  EXPECT_EQ(json["units"][0]["address"], "02");
  EXPECT_EQ(json["units"][0]["ok"], true);
  EXPECT_EQ(json["units"][1]["address"], "09");
  EXPECT_EQ(json["units"][1]["ok"], false);
  EXPECT_EQ(json["units"][1]["error"], "Menu Display");
}

}  // namespace
}  // namespace korvex7::ctl
