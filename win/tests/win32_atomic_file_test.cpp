// Atomic file replacement on Win32: the new content in place, nothing left
// beside it, and on a failed step the old file as it was, the step and the
// system's words in the message.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/atomic_file.h"
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

// Each row fails at its step; the old file (or folder) stays as it was and
// nothing is left beside it.
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
  };
  const Row rows[] = {
      {dir / L"no-such-folder\\unit.dat", FileReplaceStep::kCreate,
       ": cannot create a file beside it: "},
      {dir / L"taken.dat", FileReplaceStep::kReplace, ": cannot replace the file: "},
      {dir / L"held.dat", FileReplaceStep::kReplace, ": cannot replace the file: "},
  };
  const std::vector<std::wstring> before = dir.Names();
  for (const Row& row : rows) {
    const std::string name = win32::WideToUtf8(row.target);
    SCOPED_TRACE(name);
    const FileReplaceResult r = ReplaceFileAtomically(row.target, std::string(3000, 'n'));
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.failedStep, row.step);
    EXPECT_EQ(r.message.rfind(name + row.words, 0), 0u) << r.message;
    EXPECT_EQ(r.message.back(), ')') << "ends with the error code: " << r.message;
    EXPECT_EQ(dir.Names(), before);
    EXPECT_EQ(Contents(dir / L"held.dat"), "an older file");
    EXPECT_EQ(Contents(dir / L"taken.dat\\inside.txt"), "keep");
  }
}

}  // namespace
}  // namespace korvex7::platform
