// Atomic file replacement on POSIX: the new content in place, nothing left
// beside it, and on a failure at any step the old file as it was, the step
// and the system's words in the message.
#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

namespace korvex7::platform {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("korvex7-replace-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }
  // Every path under the folder.
  std::set<std::string> Tree() const {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(dir_)) {
      names.insert(fs::relative(e.path(), dir_).string());
    }
    return names;
  }

  fs::path dir_;
};

TEST_F(AtomicFile, WritesANewFileAndReplacesAnOldOne) {
  const fs::path target = dir_ / "unit.dat";
  const std::string first(3000, 'a');
  ASSERT_TRUE(ReplaceFileAtomically(target, first).ok());
  EXPECT_EQ(Contents(target), first);
  const FileReplaceResult second = ReplaceFileAtomically(target, "0\r\n1\r\n");
  EXPECT_TRUE(second.ok());
  EXPECT_EQ(second.message, "");
  EXPECT_EQ(Contents(target), "0\r\n1\r\n");
  EXPECT_EQ(Tree(), std::set<std::string>{"unit.dat"});
}

TEST_F(AtomicFile, NewFileHasThePermissionsOfAnyNewFile) {
  const mode_t old = ::umask(027);
  const FileReplaceResult r = ReplaceFileAtomically(dir_ / "unit.dat", "x");
  ::umask(old);
  ASSERT_TRUE(r.ok()) << r.message;
  struct stat st {};
  ASSERT_EQ(::stat((dir_ / "unit.dat").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// A file kept private (or read-only, or executable) keeps its mode when it
// is replaced, whatever the umask of the writer.
TEST_F(AtomicFile, ReplacedFileKeepsItsMode) {
  const fs::path target = dir_ / "unit.dat";
  for (const mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0444}, mode_t{0755}}) {
    SCOPED_TRACE(mode);
    fs::remove(target);
    Write(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), mode), 0);
    const mode_t old = ::umask(022);
    const FileReplaceResult r = ReplaceFileAtomically(target, "new");
    ::umask(old);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(Contents(target), "new");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode);
  }
}

// The new file of a save killed halfway ("<target>.partial-<pid>-<n>" of a
// process that has ended) is removed by the next save of that target; those
// of running processes, of other targets and other names stay.
TEST_F(AtomicFile, NextSaveRemovesWhatAKilledSaveLeft) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  const std::string gone = std::to_string(child);
  const std::string running = std::to_string(::getppid());
  const std::string self = std::to_string(::getpid());
  const std::set<std::string> kept = {
      "unit.dat.partial-" + running + "-0", "unit.dat.partial-" + self + "-9",
      "other.dat.partial-" + gone + "-0",   "unit.dat.partial-x-0",
      "unit.dat.partial-" + gone,           "unit.dat.partial-" + gone + "-0.bak",
  };
  Write(dir_ / ("unit.dat.partial-" + gone + "-0"), "partial");
  Write(dir_ / ("unit.dat.partial-" + gone + "-17"), "partial");
  for (const std::string& name : kept) Write(dir_ / name, "keep");

  ASSERT_TRUE(ReplaceFileAtomically(dir_ / "unit.dat", "new").ok());
  std::set<std::string> expected = kept;
  expected.insert("unit.dat");
  EXPECT_EQ(Tree(), expected);
}

// The replacement writes any name it is given: refusing a device's name as
// a settings file is its callers' rule (core/model/settings_store.h).
TEST_F(AtomicFile, NamesAreWrittenAsGiven) {
  ASSERT_TRUE(ReplaceFileAtomically(dir_ / "COM1.dat", "x").ok());
  EXPECT_EQ(Tree(), std::set<std::string>{"COM1.dat"});
}

// Sets the file size limit below the new content for one call, as a full
// disk would: the write fails with EFBIG instead of ending the process.
FileReplaceResult ReplaceUnderSizeLimit(const fs::path& target, const std::string& bytes,
                                        rlim_t limit) {
  rlimit saved{};
  EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit lowered = saved;
  lowered.rlim_cur = limit;
  auto* previous = ::signal(SIGXFSZ, SIG_IGN);
  EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &lowered), 0);
  FileReplaceResult result = ReplaceFileAtomically(target, bytes);
  EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
  ::signal(SIGXFSZ, previous);
  return result;
}

// Each row fails at its step; the old file (or folder) stays as it was and
// nothing is left beside it.
TEST_F(AtomicFile, FailedStepsLeaveTheOldFile) {
  const std::string newBytes(5000, 'n');
  fs::create_directory(dir_ / "taken.dat");
  Write(dir_ / "taken.dat" / "inside.txt", "keep");
  Write(dir_ / "old.dat", "an older file");
  struct Row {
    const char* what;
    fs::path target;
    std::function<FileReplaceResult(const fs::path&)> replace;
    FileReplaceStep step;
    std::string message;
  };
  const auto plain = [&](const fs::path& t) { return ReplaceFileAtomically(t, newBytes); };
  const Row rows[] = {
      {"the folder is missing", dir_ / "none" / "unit.dat", plain, FileReplaceStep::kCreate,
       (dir_ / "none" / "unit.dat").string() +
           ": cannot create a file beside it: No such file or directory"},
      {"the disk is full", dir_ / "old.dat",
       [&](const fs::path& t) { return ReplaceUnderSizeLimit(t, newBytes, 1000); },
       FileReplaceStep::kWrite,
       (dir_ / "old.dat").string() + ": the file could not be written completely: File too large"},
      {"a folder has the name", dir_ / "taken.dat", plain, FileReplaceStep::kReplace,
       (dir_ / "taken.dat").string() + ": cannot replace the file: Is a directory"},
  };
  const std::set<std::string> before = Tree();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const FileReplaceResult r = row.replace(row.target);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.failedStep, row.step);
    EXPECT_EQ(r.message, row.message);
    // The system's words alone, as the message ends with them.
    EXPECT_FALSE(r.osWords.empty());
    EXPECT_TRUE(row.message.ends_with(": " + r.osWords)) << r.osWords;
    EXPECT_EQ(Tree(), before);
    EXPECT_EQ(Contents(dir_ / "old.dat"), "an older file");
    EXPECT_EQ(Contents(dir_ / "taken.dat" / "inside.txt"), "keep");
  }
}

}  // namespace
}  // namespace korvex7::platform
