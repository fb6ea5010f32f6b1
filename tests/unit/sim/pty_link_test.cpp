#include "tools/sim/pty_link.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/unit/sim/sim_test_support.h"

namespace korvex7::sim {
namespace {

namespace fs = std::filesystem;
using simtest::TempDir;

TEST(PtyLink, CreatesTheLinkAndRemovesItAtTheEnd) {
  TempDir dir;
  const std::string path = dir.File("com1");
  {
    PtyLink link(path, "/dev/pts/99");
    ASSERT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(fs::read_symlink(path), "/dev/pts/99");
  }
  EXPECT_FALSE(fs::exists(fs::symlink_status(path)));
}

TEST(PtyLink, ReplacesALinkLeftBehind) {
  TempDir dir;
  const std::string path = dir.File("com1");
  fs::create_symlink("/dev/pts/1234", path);
  PtyLink link(path, "/dev/pts/5");
  EXPECT_EQ(fs::read_symlink(path), "/dev/pts/5");
}

TEST(PtyLink, LeavesAnythingButALinkAlone) {
  TempDir dir;
  const std::string file = dir.File("settings.dat");
  { std::ofstream(file) << "keep me\n"; }
  EXPECT_THROW(PtyLink(file, "/dev/pts/5"), std::runtime_error);
  EXPECT_TRUE(fs::is_regular_file(file));
  fs::create_directory(dir.File("folder"));
  EXPECT_THROW(PtyLink(dir.File("folder"), "/dev/pts/5"), std::runtime_error);
  EXPECT_THROW(PtyLink(dir.File("no/such/folder/com1"), "/dev/pts/5"), std::runtime_error);
}

TEST(PtyLink, DoesNotRemoveALinkAnotherRunTookOver) {
  TempDir dir;
  const std::string path = dir.File("com1");
  {
    PtyLink link(path, "/dev/pts/5");
    fs::remove(path);
    fs::create_symlink("/dev/pts/6", path);
  }
  EXPECT_EQ(fs::read_symlink(path), "/dev/pts/6");
}

}  // namespace
}  // namespace korvex7::sim
