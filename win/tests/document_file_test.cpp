// Saving and loading the settings file on disk: the bytes written, the
// replacement of an existing file, and failures that must leave everything
// as it was.
#include "win/shell/document_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/model/settings_file.h"
#include "win/tests/temp_folder.h"

namespace korvex7::win {
namespace {

using testing_support::TempFolder;

std::string Expected(const SettingsModel& model) {
  std::ostringstream out(std::ios::binary);
  WriteSettingsFile(out, model);
  return out.str();
}

void WriteRaw(const std::wstring& path, const std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
}

SettingsModel Edited() {
  SettingsModel m;
  m.alarm.mode = 2;
  SetText(m.alarm.holdTimeText, "120");
  m.videoAdjust.brightness[3] = 17;
  m.splitLayout.sixteen[15] = 0;
  m.other.powerOnScreen = 5;
  SetText(m.title.text[0], "\x83\x4A\x83\x81\x83\x89");  // カメラ
  return m;
}

// Save writes the settings file and nothing else, whether the file is new
// or replaces a longer one.
TEST(DocumentFileTest, SaveWritesTheSettingsFileAndNothingElse) {
  for (const bool existing : {false, true}) {
    SCOPED_TRACE(existing ? "over an existing file" : "a new file");
    TempFolder dir;
    if (existing) WriteRaw(dir / L"unit.dat", std::string(5000, 'x'));
    const SettingsModel model = Edited();
    ASSERT_TRUE(SaveSettingsFile(dir / L"unit.dat", model).saved());
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(dir / L"unit.dat", bytes));
    EXPECT_EQ(bytes, Expected(model));
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"unit.dat"});
  }
}

TEST(DocumentFileTest, SaveRoundTrip) {
  TempFolder dir;
  const SettingsModel saved = Edited();
  ASSERT_TRUE(SaveSettingsFile(dir / L"unit.dat", saved).saved());
  SettingsModel loaded;
  ASSERT_TRUE(LoadSettingsFile(dir / L"unit.dat", loaded).loaded());
  EXPECT_TRUE(SavedFieldsEqual(saved, loaded));
}

// Every row must fail, report why, and leave the folder as it was.
TEST(DocumentFileTest, FailedSavesLeaveEverythingAsItWas) {
  TempFolder dir;
  ASSERT_TRUE(CreateDirectoryW((dir / L"taken.dat").c_str(), nullptr));
  WriteRaw(dir / L"taken.dat\\inside.txt", "keep");
  struct Row {
    std::wstring target;
    platform::FileReplaceStep step;
  };
  const Row rows[] = {
      {dir / L"taken.dat", platform::FileReplaceStep::kReplace},  // a folder has the name
      {dir / L"no-such-folder\\unit.dat", platform::FileReplaceStep::kCreate},  // no folder
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.target);
    const SaveOutcome outcome = SaveSettingsFile(row.target, Edited());
    EXPECT_FALSE(outcome.saved());
    EXPECT_FALSE(outcome.deviceName);
    EXPECT_EQ(outcome.replace.failedStep, row.step);
    // The system's words reach the program with the step.
    EXPECT_FALSE(outcome.replace.osWords.empty());
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"taken.dat"});
    std::string kept;
    ASSERT_TRUE(ReadWholeFile(dir / L"taken.dat\\inside.txt", kept));
    EXPECT_EQ(kept, "keep");
  }
}

// Open tells a file that is not there from one it cannot open, and opens
// none whose name is a device's; the model is left as it was each time.
TEST(DocumentFileTest, LoadThatCannotOpenSaysWhyAndLeavesTheModel) {
  TempFolder dir;
  WriteRaw(dir / L"held.dat", Expected(SettingsModel{}));
  // Another program has the file open and shares it with nobody.
  const HANDLE holder = CreateFileW((dir / L"held.dat").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  struct Row {
    std::wstring path;
    OpenResult result;
    DWORD error;
  };
  const Row rows[] = {
      {dir / L"missing.dat", OpenResult::kNotFound, ERROR_FILE_NOT_FOUND},
      {dir / L"no-such-folder\\unit.dat", OpenResult::kNotFound, ERROR_PATH_NOT_FOUND},
      {dir / L"held.dat", OpenResult::kCannotOpen, ERROR_SHARING_VIOLATION},
      {dir / L"COM1.dat", OpenResult::kDeviceName, ERROR_SUCCESS},
      {dir / L"nul", OpenResult::kDeviceName, ERROR_SUCCESS},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    SettingsModel model = Edited();
    const OpenOutcome outcome = LoadSettingsFile(row.path, model);
    EXPECT_FALSE(outcome.loaded());
    EXPECT_EQ(outcome.result, row.result);
    EXPECT_EQ(outcome.error, row.error);
    EXPECT_TRUE(SavedFieldsEqual(model, Edited()));
  }
  CloseHandle(holder);
}

// A file another program has open for writing (an editor), or may rename
// or delete (a sync client), is read all the same.
TEST(DocumentFileTest, LoadSharesTheFileWithOtherPrograms) {
  TempFolder dir;
  const SettingsModel saved = Edited();
  WriteRaw(dir / L"shared.dat", Expected(saved));
  const DWORD shares[] = {FILE_SHARE_READ | FILE_SHARE_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          FILE_SHARE_READ | FILE_SHARE_DELETE};
  for (const DWORD share : shares) {
    SCOPED_TRACE(share);
    const HANDLE writer = CreateFileW((dir / L"shared.dat").c_str(), GENERIC_READ | GENERIC_WRITE,
                                      share, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    SettingsModel loaded;
    EXPECT_TRUE(LoadSettingsFile(dir / L"shared.dat", loaded).loaded());
    EXPECT_TRUE(SavedFieldsEqual(saved, loaded));
    CloseHandle(writer);
  }
}

// A device's name is refused before anything is made: on Windows the save
// would go to the serial port or vanish into NUL.
TEST(DocumentFileTest, SaveRefusesADevicesName) {
  TempFolder dir;
  for (const wchar_t* name : {L"COM1.dat", L"nul.dat", L"Lpt2.txt", L"CON"}) {
    SCOPED_TRACE(name);
    const SaveOutcome outcome = SaveSettingsFile(dir / name, Edited());
    EXPECT_TRUE(outcome.deviceName);
    EXPECT_FALSE(outcome.saved());
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{});
  }
}

TEST(DocumentFileTest, LoadAcceptsLfAndBlanksAsSeparators) {
  TempFolder dir;
  const SettingsModel saved = Edited();
  std::string text = Expected(saved);
  std::string lf;
  for (char c : text) {
    if (c != '\r') lf += c;
  }
  std::string blanks = lf;
  for (char& c : blanks) {
    if (c == '\n') c = ' ';
  }
  for (const std::string& variant : {lf, blanks}) {
    WriteRaw(dir / L"variant.dat", variant);
    SettingsModel loaded;
    ASSERT_TRUE(LoadSettingsFile(dir / L"variant.dat", loaded).loaded());
    EXPECT_TRUE(SavedFieldsEqual(saved, loaded));
  }
}

// A file picked by mistake may be gigabytes long (a video ".dat"): Open reads
// only its start, so a settings file at the start of a huge file is loaded
// (not refused as unreadable) and the rest of the file is never read. Each
// row is the settings file followed by zeros up to the given size.
TEST(DocumentFileTest, LoadReadsOnlyTheStartOfAHugeFile) {
  TempFolder dir;
  const SettingsModel saved = Edited();
  const std::string text = Expected(saved);
  const long long sizes[] = {
      static_cast<long long>(kSettingsFileReadLimit),      // exactly the part read
      static_cast<long long>(kSettingsFileReadLimit) + 1,  // one byte more
      3LL << 30,                                           // more than a 32-bit read can take
  };
  for (const long long size : sizes) {
    SCOPED_TRACE(size);
    const std::wstring path = dir / L"huge.dat";
    WriteRaw(path, text);
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end{};
    end.QuadPart = size;
    const bool extended = SetFilePointerEx(f, end, nullptr, FILE_BEGIN) && SetEndOfFile(f);
    CloseHandle(f);
    ASSERT_TRUE(extended);

    SettingsModel loaded;
    ASSERT_TRUE(LoadSettingsFile(path, loaded).loaded());
    EXPECT_TRUE(SavedFieldsEqual(saved, loaded));
    std::string start;
    ASSERT_TRUE(ReadFileStart(path, kSettingsFileReadLimit, start));
    EXPECT_EQ(start.size(), kSettingsFileReadLimit);
    EXPECT_EQ(start.compare(0, text.size(), text), 0);
    DeleteFileW(path.c_str());
  }
}

}  // namespace
}  // namespace korvex7::win
