// The settings-file store: complete and incomplete reads with their
// messages, the bytes written, and the per-unit file names.
#include "core/model/settings_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/model/device_names.h"
#include "core/model/saved_fields.h"
#include "core/model/settings_file.h"

namespace korvex7 {
namespace {

SettingsModel Varied() {
  SettingsModel m;
  m.alarm.mode = 1;
  SetText(m.alarm.holdTimeText, "120");
  m.videoAdjust.brightness[3] = 17;
  SetText(m.title.text[1], "\x93\xfc\x8c\xfb");
  return m;
}

// The first `values` lines of a file.
std::string FirstValues(const std::string& file, int values) {
  std::size_t end = 0;
  for (int i = 0; i < values; ++i) end = file.find("\r\n", end) + 2;
  return file.substr(0, end);
}

std::string WithLine(std::string file, int index, const std::string& word) {
  std::size_t start = 0;
  for (int i = 0; i < index; ++i) start = file.find("\r\n", start) + 2;
  return file.replace(start, file.find("\r\n", start) - start, word);
}

TEST(SettingsStore, WrittenBytesReadBackComplete) {
  const SettingsModel saved = Varied();
  const std::string bytes = SettingsFileBytes(saved);
  std::ostringstream expected(std::ios::binary);
  WriteSettingsFile(expected, saved);
  EXPECT_EQ(bytes, expected.str());

  SettingsModel loaded;
  const SettingsFileLoad load = LoadSettingsFromBytes(bytes, "site.dat", loaded);
  EXPECT_TRUE(load.opened);
  EXPECT_TRUE(load.complete);
  EXPECT_EQ(load.message, "");
  EXPECT_TRUE(SavedFieldsEqual(loaded, saved));
}

// What the tool and the simulator refuse, and the words they refuse it with;
// the program's Open loads the same files leniently.
TEST(SettingsStore, CompleteAndIncompleteFiles) {
  const std::string good = SettingsFileBytes(Varied());
  std::string lf;
  for (char c : good) {
    if (c != '\r') lf += c;
  }
  struct Row {
    const char* what;
    std::string bytes;
    bool complete;
    const char* message;
  };
  const Row rows[] = {
      {"the program's file", good, true, ""},
      {"LF line ends", lf, true, ""},
      {"values after the last field", good + "1\r\n2\r\n", true, ""},
      {"empty", "", false, "site.dat: the file ends after 0 of 282 values"},
      {"cut after 100 values", FirstValues(good, 100), false,
       "site.dat: the file ends after 100 of 282 values"},
      {"a word that is no number", WithLine(good, 0, "x"), false,
       "site.dat: 1 values do not fit their fields (not a settings file?)"},
      {"a hold time too long", WithLine(good, 2, "1200"), false,
       "site.dat: 1 values do not fit their fields (not a settings file?)"},
      {"cut, and a word that does not fit",
       FirstValues(WithLine(good, 5,
                            "\x7f"
                            "ELF"),
                   31),
       false,
       "site.dat: the file ends after 31 of 282 values; 1 values do not fit their fields (not a "
       "settings file?)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    SettingsModel m;
    const SettingsFileLoad load = LoadSettingsFromBytes(row.bytes, "site.dat", m);
    EXPECT_TRUE(load.opened);
    EXPECT_EQ(load.complete, row.complete);
    EXPECT_EQ(load.message, row.message);
  }
}

// An incomplete file still loads what it holds: the values read replace the
// model's, the rest keep theirs (the program's lenient Open relies on it).
TEST(SettingsStore, IncompleteFileLoadsWhatItHolds) {
  SettingsModel before = Varied();
  before.other.powerOnScreen = 5;
  SettingsModel defaults;
  const std::string cut = FirstValues(SettingsFileBytes(defaults), 40);
  SettingsModel m = before;
  ASSERT_FALSE(LoadSettingsFromBytes(cut, "cut.dat", m).complete);
  std::vector<SavedField> got = SavedFields(m);
  std::vector<SavedField> fromFile = SavedFields(defaults);
  std::vector<SavedField> kept = SavedFields(before);
  for (std::size_t i = 0; i < got.size(); ++i) {
    if (got[i].kind != FieldKind::kInt) continue;
    SCOPED_TRACE(got[i].name);
    EXPECT_EQ(*got[i].integer, i < 40 ? *fromFile[i].integer : *kept[i].integer);
  }
}

class SettingsStoreFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("korvex7-store-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / PathFromUtf8(name)).string(); }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(dir_ / PathFromUtf8(name), std::ios::binary);
    out << bytes;
  }
  std::filesystem::path dir_;
};

TEST_F(SettingsStoreFiles, ReadsAFileByItsUtf8Name) {
  const SettingsModel saved = Varied();
  Write("設定.dat", SettingsFileBytes(saved));
  Write("cut.dat", FirstValues(SettingsFileBytes(saved), 7));
  SettingsModel loaded;
  const SettingsFileLoad load = LoadSettingsFromFile(Path("設定.dat"), loaded);
  EXPECT_TRUE(load.complete) << load.message;
  EXPECT_TRUE(SavedFieldsEqual(loaded, saved));

  const SettingsFileLoad cut = LoadSettingsFromFile(Path("cut.dat"), loaded);
  EXPECT_TRUE(cut.opened);
  EXPECT_FALSE(cut.complete);
  EXPECT_EQ(cut.message, Path("cut.dat") + ": the file ends after 7 of 282 values");
}

TEST_F(SettingsStoreFiles, MissingFileIsNotOpenedAndSaysWhy) {
  SettingsModel m = Varied();
  const SettingsFileLoad load = LoadSettingsFromFile(Path("none.dat"), m);
  EXPECT_FALSE(load.opened);
  EXPECT_FALSE(load.complete);
  EXPECT_EQ(load.message, Path("none.dat") + ": cannot open: No such file or directory");
  EXPECT_TRUE(SavedFieldsEqual(m, Varied()));
}

// A complete settings file named like a device is refused by its name, not
// opened: on Windows the name would open the serial port or the console.
TEST_F(SettingsStoreFiles, DeviceNamesAreRefusedUnopened) {
  const std::string good = SettingsFileBytes(SettingsModel{});
  for (const char* name : {"COM1.dat", "nul.dat", "Lpt3.txt"}) {
    SCOPED_TRACE(name);
    Write(name, good);
    SettingsModel m = Varied();
    const SettingsFileLoad load = LoadSettingsFromFile(Path(name), m);
    EXPECT_FALSE(load.opened);
    EXPECT_FALSE(load.complete);
    EXPECT_EQ(load.message, Path(name) + ": " + DeviceNameWords(name));
    EXPECT_TRUE(SavedFieldsEqual(m, Varied()));
  }
}

// The writers ask before they write: a device's name may not be a settings
// file, and the refusal says which device; other names may.
TEST(SettingsFilePath, DeviceNamesMayNotBeWritten) {
  for (const char* path : {"COM1.dat", "dir/nul", "C:\\site\\Lpt3.txt", "con.tar.gz"}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(MayBeSettingsFile(path));
    EXPECT_EQ(SettingsFileWriteRefusal(path),
              std::string(path) + ": cannot be written: " + DeviceNameWords(path));
  }
  for (const char* path : {"COM10.dat", "console.dat", "nul-site.dat", "COM1.dat/site.dat"}) {
    SCOPED_TRACE(path);
    EXPECT_TRUE(MayBeSettingsFile(path));
  }
}

// One set of rules for the tool's read files and the simulator's dumps.
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
      {"bus", 0, true, "bus-00"},
      {"/tmp/x/bus.dat", 31, true, "/tmp/x/bus-31.dat"},
      {"dir.v2/site", 12, true, "dir.v2/site-12"},
      {"C:\\sites\\a.b\\site.dat", 3, true, "C:\\sites\\a.b\\site-03.dat"},
      {"C:\\sites\\a.b\\site", 3, true, "C:\\sites\\a.b\\site-03"},
      {".dat", 1, true, ".dat-01"},
      {"/tmp/.hidden", 7, true, "/tmp/.hidden-07"},
      {"site.tar.gz", 9, true, "site.tar-09.gz"},
      {"unit{addr}.dat", 7, false, "unit07.dat"},
      {"{addr}/settings.dat", 31, true, "31/settings.dat"},
      {"unit{addr}.dat", 32, true, "unitFF.dat"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(UnitFileName(row.name, row.address, row.several), row.expected);
  }
}

}  // namespace
}  // namespace korvex7
