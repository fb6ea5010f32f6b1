#include "tools/sim/settings_io.h"

#include <gtest/gtest.h>

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
      {"not a number", badWord, "1 values do not fit their fields"},
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

}  // namespace
}  // namespace korvex7::sim
