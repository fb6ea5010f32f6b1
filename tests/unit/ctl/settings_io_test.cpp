#include "tools/ctl/settings_io.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/model/settings_file.h"

namespace korvex7::ctl {
namespace {

class SettingsIo : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("korvex7ctl-io-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::filesystem::path dir_;
};

TEST_F(SettingsIo, SavedBytesAreThoseOfTheProgramsSave) {
  SettingsModel m;
  m.alarm.mode = 1;
  SetText(m.title.text[1], "\x93\xfc\x8c\xfb");
  ASSERT_EQ(SaveSettings(Path("a.dat"), m), "");
  std::ostringstream expected;
  WriteSettingsFile(expected, m);
  EXPECT_EQ(Contents(Path("a.dat")), expected.str());
  EXPECT_FALSE(std::filesystem::exists(Path("a.dat.partial")));

  SettingsModel back;
  const LoadResult loaded = LoadSettings(Path("a.dat"), back);
  EXPECT_TRUE(loaded.complete) << loaded.message;
  EXPECT_TRUE(SavedFieldsEqual(back, m));
}

TEST_F(SettingsIo, IncompleteFilesAreNotComplete) {
  struct Row {
    const char* name;
    std::string contents;
  };
  const Row rows[] = {
      {"empty", ""},
      {"ends early", "0\r\n0\r\n030\r\n"},
      {"a word that is no number",
       [] {
         std::ostringstream s;
         WriteSettingsFile(s, SettingsModel{});
         std::string t = s.str();
         t.replace(0, 1, "x");
         return t;
       }()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    {
      std::ofstream out(Path("b.dat"), std::ios::binary);
      out << row.contents;
    }
    SettingsModel m;
    const LoadResult loaded = LoadSettings(Path("b.dat"), m);
    EXPECT_TRUE(loaded.opened);
    EXPECT_FALSE(loaded.complete);
    EXPECT_FALSE(loaded.message.empty());
  }
  SettingsModel m;
  const LoadResult missing = LoadSettings(Path("none.dat"), m);
  EXPECT_FALSE(missing.opened);
  EXPECT_FALSE(missing.complete);
}

TEST_F(SettingsIo, FailedSaveKeepsTheOldFile) {
  ASSERT_EQ(SaveSettings(Path("keep.dat"), SettingsModel{}), "");
  const std::string before = Contents(Path("keep.dat"));
  // A directory where the temporary file would go makes the write fail.
  std::filesystem::create_directory(Path("keep.dat.partial"));
  SettingsModel other;
  other.alarm.mode = 1;
  EXPECT_NE(SaveSettings(Path("keep.dat"), other), "");
  EXPECT_EQ(Contents(Path("keep.dat")), before);
}

TEST(UnitFileName, OneFilePerUnit) {
  struct Row {
    const char* name;
    std::int32_t address;
    bool several;
    const char* expected;
  };
  const Row rows[] = {
      {"site.dat", 5, false, "site.dat"},
      {"site.dat", 5, true, "site-05.dat"},
      {"dir.v2/site", 12, true, "dir.v2/site-12"},
      {"C:\\sites\\a.b\\site.dat", 3, true, "C:\\sites\\a.b\\site-03.dat"},
      {".dat", 1, true, ".dat-01"},
      {"unit{addr}.dat", 7, false, "unit07.dat"},
      {"{addr}/settings.dat", 31, true, "31/settings.dat"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(UnitFileName(row.name, row.address, row.several), row.expected);
  }
}

}  // namespace
}  // namespace korvex7::ctl
