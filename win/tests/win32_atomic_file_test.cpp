// Atomic file replacement on Win32: the new content in place, nothing left
// beside it, and on a failed step the old file as it was, the step and the
// system's words in the message; a file held for a moment tried again, the
// target's attributes kept, a killed save's leftovers removed.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/win32/atomic_file.h"
#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"
#include "win/tests/temp_folder.h"

namespace korvex7::platform {
namespace {

using win::testing_support::TempFolder;

std::string Contents(const std::wstring& path) {
  win32::UniqueHandle f(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!f.valid()) return "(cannot open)";
  std::string bytes(100000, '\0');
  DWORD got = 0;
  if (!ReadFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) {
    return "(cannot read)";
  }
  bytes.resize(got);
  return bytes;
}

void Write(const std::wstring& path, const std::string& bytes) {
  win32::UniqueHandle f(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(f.valid());
  DWORD written = 0;
  ASSERT_TRUE(
      WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

// The target as a full path, by a bare name in the current folder, with
// forward slashes: the new file is made in the target's own folder.
TEST(Win32AtomicFileTest, ReplacesTheTargetWhereverItIsNamed) {
  TempFolder dir;
  ASSERT_TRUE(CreateDirectoryW((dir / L"sub").c_str(), nullptr));
  Write(dir / L"sub\\old.dat", std::string(5000, 'x'));
  wchar_t previous[MAX_PATH + 1] = {};
  ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryW(dir.path().c_str()));
  struct Row {
    std::wstring target;
    std::wstring written;
  };
  const Row rows[] = {
      {dir / L"unit.dat", dir / L"unit.dat"},
      {L"bare.dat", dir / L"bare.dat"},
      {L"sub/old.dat", dir / L"sub\\old.dat"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(win32::WideToUtf8(row.target));
    const FileReplaceResult r = ReplaceFileAtomically(row.target, "0\r\n1\r\n");
    EXPECT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(Contents(row.written), "0\r\n1\r\n");
  }
  EXPECT_TRUE(SetCurrentDirectoryW(previous));
  EXPECT_EQ(dir.Names(), (std::vector<std::wstring>{L"bare.dat", L"sub", L"unit.dat"}));
  EXPECT_EQ(TempFolder::NamesIn(dir / L"sub"), std::vector<std::wstring>{L"old.dat"});
}

// The pauses a save made, in milliseconds.
struct Pauses {
  std::vector<DWORD> made;
  std::function<void()> onFirst;
  win32::RetryPause Recorder() {
    return [this](DWORD ms) {
      made.push_back(ms);
      if (made.size() == 1 && onFirst) onFirst();
    };
  }
};

// Each row fails at its step; the old file (or folder) stays as it was and
// nothing is left beside it. A file held by another program is tried again
// after each pause before the save gives up; nothing else is.
TEST(Win32AtomicFileTest, FailedStepsLeaveTheOldFile) {
  TempFolder dir;
  ASSERT_TRUE(CreateDirectoryW((dir / L"taken.dat").c_str(), nullptr));
  Write(dir / L"taken.dat\\inside.txt", "keep");
  Write(dir / L"held.dat", "an older file");
  // Held open by another program that lets nobody delete or replace it.
  win32::UniqueHandle holder(CreateFileW((dir / L"held.dat").c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                         0, nullptr));
  ASSERT_TRUE(holder.valid());
  struct Row {
    std::wstring target;
    FileReplaceStep step;
    std::string words;
    std::vector<DWORD> pauses;
  };
  const std::vector<DWORD> everyPause = {50, 100, 200, 400, 800};
  const Row rows[] = {
      {dir / L"no-such-folder\\unit.dat",
       FileReplaceStep::kCreate,
       ": cannot create a file beside it: ",
       {}},
      {dir / L"taken.dat", FileReplaceStep::kReplace, ": cannot replace the file: ", {}},
      {dir / L"held.dat", FileReplaceStep::kReplace, ": cannot replace the file: ", everyPause},
  };
  const std::vector<std::wstring> before = dir.Names();
  for (const Row& row : rows) {
    const std::string name = win32::WideToUtf8(row.target);
    SCOPED_TRACE(name);
    Pauses pauses;
    const FileReplaceResult r =
        win32::ReplaceFileAtomically(row.target, std::string(3000, 'n'), pauses.Recorder());
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.failedStep, row.step);
    EXPECT_EQ(pauses.made, row.pauses);
    EXPECT_EQ(r.message.rfind(name + row.words, 0), 0u) << r.message;
    EXPECT_EQ(r.message.back(), ')') << "ends with the error code: " << r.message;
    EXPECT_EQ(dir.Names(), before);
    EXPECT_EQ(Contents(dir / L"held.dat"), "an older file");
    EXPECT_EQ(Contents(dir / L"taken.dat\\inside.txt"), "keep");
  }
}

// An antivirus scanner or a sync client lets go of the file during the
// first pause: the save goes through at the next attempt.
TEST(Win32AtomicFileTest, AFileHeldForAMomentIsReplacedWhenReleased) {
  TempFolder dir;
  Write(dir / L"unit.dat", "the old file");
  for (const DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
    SCOPED_TRACE(share);
    win32::UniqueHandle holder(CreateFileW((dir / L"unit.dat").c_str(), GENERIC_READ, share,
                                           nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.valid());
    Pauses pauses;
    pauses.onFirst = [&holder] { holder.reset(); };
    const FileReplaceResult r =
        win32::ReplaceFileAtomically(dir / L"unit.dat", "0\r\n1\r\n", pauses.Recorder());
    EXPECT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(pauses.made, std::vector<DWORD>{50});
    EXPECT_EQ(Contents(dir / L"unit.dat"), "0\r\n1\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"unit.dat"});
    Write(dir / L"unit.dat", "the old file");
  }
}

// A hidden or system file stays so; a new file is neither.
TEST(Win32AtomicFileTest, ReplacedFileKeepsItsAttributes) {
  TempFolder dir;
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const DWORD rows[] = {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE,
                        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM};
  for (const DWORD attributes : rows) {
    SCOPED_TRACE(attributes);
    const std::wstring target = dir / L"unit.dat";
    Write(target, "the old file");
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), attributes));
    ASSERT_EQ(GetFileAttributesW(target.c_str()) & kept, attributes & kept);
    const FileReplaceResult r = ReplaceFileAtomically(target, "0\r\n");
    EXPECT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(Contents(target), "0\r\n");
    EXPECT_EQ(GetFileAttributesW(target.c_str()) & kept, attributes & kept);
    EXPECT_EQ(dir.Names(), std::vector<std::wstring>{L"unit.dat"});
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(DeleteFileW(target.c_str()));
  }
  ASSERT_TRUE(ReplaceFileAtomically(dir / L"new.dat", "x").ok());
  EXPECT_EQ(GetFileAttributesW((dir / L"new.dat").c_str()) &
                (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
            0u);
}

// A new file of a save killed halfway is removed by the next save in its
// folder; one of a running process, one still open and everything that is
// not a save's new file stay.
TEST(Win32AtomicFileTest, NextSaveRemovesWhatAKilledSaveLeft) {
  TempFolder dir;
  // A process that runs for the whole test: this program, suspended.
  wchar_t self[MAX_PATH + 1] = {};
  ASSERT_NE(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION running{};
  std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --gtest_list_tests";
  ASSERT_TRUE(CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                             nullptr, nullptr, &startup, &running));
  const std::wstring gone = L"KORVEX7-save-4294967292-0.tmp";  // no process has this id
  const std::wstring mine = L"KORVEX7-save-" + std::to_wstring(GetCurrentProcessId()) + L"-77.tmp";
  const std::wstring live = L"KORVEX7-save-" + std::to_wstring(running.dwProcessId) + L"-0.tmp";
  const std::wstring open = L"KORVEX7-save-4294967292-1.tmp";
  const std::vector<std::wstring> others = {L"K7A1.tmp", L"KORVEX7-save-x-0.tmp", L"notes.tmp",
                                            L"KORVEX7-save-4294967292-0.dat"};
  for (const std::wstring& name : {gone, mine, live, open}) Write(dir / name, "partial");
  for (const std::wstring& name : others) Write(dir / name, "keep");
  win32::UniqueHandle stillOpen(CreateFileW((dir / open).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(stillOpen.valid());

  const FileReplaceResult r = ReplaceFileAtomically(dir / L"unit.dat", "0\r\n");
  EXPECT_TRUE(r.ok()) << r.message;
  std::vector<std::wstring> expected = others;
  expected.insert(expected.end(), {live, open, L"unit.dat"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(dir.Names(), expected);

  TerminateProcess(running.hProcess, 0);
  WaitForSingleObject(running.hProcess, 5000);
  CloseHandle(running.hThread);
  CloseHandle(running.hProcess);
}

TEST(Win32AtomicFileTest, OwnerOfASavesNewFileByItsName) {
  struct Row {
    const wchar_t* name;
    DWORD owner;
  };
  const Row rows[] = {
      {L"KORVEX7-save-1234-0.tmp", 1234},
      {L"KORVEX7-save-4294967295-12.tmp", 4294967295u},
      {L"KORVEX7-save-4294967296-0.tmp", 0},  // past a process id
      {L"KORVEX7-save--0.tmp", 0},
      {L"KORVEX7-save-12-.tmp", 0},
      {L"KORVEX7-save-12.tmp", 0},
      {L"KORVEX7-save-1x-0.tmp", 0},
      {L"KORVEX7-save-12-0.dat", 0},
      {L"korvex7-save-12-0.tmp", 0},
      {L"site.dat", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(win32::SaveFileOwner(row.name), row.owner);
  }
}

TEST(Win32AtomicFileTest, OnlyABriefHoldIsWaitedFor) {
  EXPECT_EQ(win32::HeldFileRetryPauseMs(0), 0u);
  EXPECT_EQ(win32::HeldFileRetryPauseMs(1), 50u);
  EXPECT_EQ(win32::HeldFileRetryPauseMs(5), 800u);
  EXPECT_EQ(win32::HeldFileRetryPauseMs(6), 0u);
  for (const DWORD held : {DWORD{ERROR_SHARING_VIOLATION}, DWORD{ERROR_LOCK_VIOLATION},
                           DWORD{ERROR_UNABLE_TO_REMOVE_REPLACED}}) {
    EXPECT_TRUE(win32::IsBriefHoldError(held)) << held;
  }
  for (const DWORD lasting :
       {DWORD{ERROR_ACCESS_DENIED}, DWORD{ERROR_DISK_FULL}, DWORD{ERROR_PATH_NOT_FOUND},
        DWORD{ERROR_UNABLE_TO_MOVE_REPLACEMENT}}) {
    EXPECT_FALSE(win32::IsBriefHoldError(lasting)) << lasting;
  }
}

}  // namespace
}  // namespace korvex7::platform
