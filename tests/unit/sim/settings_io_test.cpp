#include "tools/sim/settings_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/model/settings_file.h"
#include "tests/unit/sim/sim_test_support.h"

namespace korvex7::sim {
namespace {

using simtest::DifferingSettings;
using simtest::Join;
using simtest::TempDir;
using simtest::VariedState;

std::string SettingsFileText(const SettingsModel& m) {
  std::ostringstream out;
  WriteSettingsFile(out, m);
  return out.str();
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(SettingsIo, LoadsEverySavedFieldAndTheHoldTimeNumber) {
  TempDir dir;
  const UnitState varied = VariedState();
  WriteText(dir.File("varied.dat"), SettingsFileText(varied.settings));
  UnitState state;
  EXPECT_EQ(Join(LoadUnitSettings(dir.File("varied.dat"), state)), "");
  EXPECT_EQ(Join(DifferingSettings(state.settings, varied.settings)), "");
  EXPECT_EQ(state.settings.alarm.holdTime, 123);
}

TEST(SettingsIo, RefusesFilesTheUnitCannotStartWith) {
  TempDir dir;
  SettingsModel outOfRange = VariedState().settings;
  outOfRange.alarm.mode = 5;
  std::string shortFile = SettingsFileText(SettingsModel{});
  shortFile.resize(shortFile.size() / 2);
  shortFile.resize(shortFile.rfind('\n') + 1);
  std::string badWord = SettingsFileText(SettingsModel{});
  badWord.replace(0, 1, "x");  // alarm.mode

  struct Row {
    const char* what;
    std::string text;  // empty: the file is missing
    const char* message;
  };
  const Row rows[] = {
      {"missing", "", "cannot open"},
      {"out of range", SettingsFileText(outOfRange), "alarm.mode: a value the unit cannot hold"},
      {"ends early", shortFile, "the file ends after"},
      {"not a number", badWord, "1 values could not be read"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string path = dir.File(std::string(row.what) + ".dat");
    if (!row.text.empty()) WriteText(path, row.text);
    UnitState state;
    const auto problems = LoadUnitSettings(path, state);
    ASSERT_FALSE(problems.empty());
    EXPECT_NE(Join(problems).find(row.message), std::string::npos) << Join(problems);
    EXPECT_EQ(problems[0].rfind(path, 0), 0u) << "names the file";
  }
}

TEST(SettingsIo, DumpWritesASettingsFileAndReplacesTheOldOne) {
  TempDir dir;
  const std::string path = dir.File("unit.dat");
  WriteText(path, "old contents\n");
  const SettingsModel varied = VariedState().settings;
  EXPECT_EQ(DumpUnitSettings(path, varied), "");
  EXPECT_EQ(ReadText(path), SettingsFileText(varied));
  EXPECT_EQ(DumpUnitSettings(path, SettingsModel{}), "");
  EXPECT_EQ(ReadText(path), SettingsFileText(SettingsModel{}));
  // Nothing is left beside it.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
    ++files;
  EXPECT_EQ(files, 1);
}

TEST(SettingsIo, DumpReportsAFolderThatIsNotThere) {
  TempDir dir;
  const std::string error = DumpUnitSettings(dir.File("no/such/folder/unit.dat"), SettingsModel{});
  EXPECT_NE(error.find("no/such/folder/unit.dat"), std::string::npos) << error;
}

TEST(SettingsIo, DumpPathForSeveralUnitsCarriesTheAddress) {
  struct Row {
    const char* path;
    int address;
    bool several;
    const char* expected;
  };
  const Row rows[] = {
      {"bus.dat", 5, true, "bus-05.dat"},
      {"/tmp/x/bus.dat", 31, true, "/tmp/x/bus-31.dat"},
      {"bus", 0, true, "bus-00"},
      {"/tmp/x.d/bus", 7, true, "/tmp/x.d/bus-07"},
      {"/tmp/.hidden", 7, true, "/tmp/.hidden-07"},
      {"bus.dat", 5, false, "bus.dat"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(DumpPathForUnit(row.path, row.address, row.several), row.expected);
  }
}

}  // namespace
}  // namespace korvex7::sim
