#include "tools/sim/frame_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvex7::sim {
namespace {

struct SplitRow {
  const char* what;
  std::vector<std::string> reads;
  std::vector<std::string> frames;
  bool partialLeft;
};

TEST(FrameSplitter, EndsFramesAtEveryLineFeed) {
  const SplitRow rows[] = {
      {"one frame", {"AMI\r\n"}, {"AMI\r\n"}, false},
      {"split over reads", {"A", "MI\r", "\n"}, {"AMI\r\n"}, false},
      {"two in one read", {"AMI\r\nAPM\r\n"}, {"AMI\r\n", "APM\r\n"}, false},
      {"one and a half", {"AMI\r\nAP"}, {"AMI\r\n"}, true},
      {"rest completed later", {"AMI\r\nAP", "M\r\n"}, {"AMI\r\n", "APM\r\n"}, false},
      {"bare line ends", {"\r\n\n"}, {"\r\n", "\n"}, false},
      {"no line end", {"AMI"}, {}, true},
      {"nothing", {""}, {}, false},
      {"NUL bytes kept", {std::string("A\0\n", 3)}, {std::string("A\0\n", 3)}, false},
  };
  for (const SplitRow& row : rows) {
    SCOPED_TRACE(row.what);
    FrameSplitter splitter;
    std::vector<std::string> frames;
    for (const std::string& read : row.reads) {
      for (const Frame& f : splitter.Feed(read)) {
        EXPECT_FALSE(f.overlong);
        EXPECT_EQ(f.length, f.bytes.size());
        frames.push_back(f.bytes);
      }
    }
    EXPECT_EQ(frames, row.frames);
    EXPECT_EQ(splitter.partial(), row.partialLeft);
  }
}

TEST(FrameSplitter, CutsAnOverlongFrameAndRecoversAtTheNextLineFeed) {
  FrameSplitter splitter(8);
  auto frames = splitter.Feed("0123456789");
  EXPECT_TRUE(frames.empty());
  frames = splitter.Feed("abc\nAMI\r\n");
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_TRUE(frames[0].overlong);
  EXPECT_EQ(frames[0].bytes, "01234567");
  EXPECT_EQ(frames[0].length, 14u);
  EXPECT_FALSE(frames[1].overlong);
  EXPECT_EQ(frames[1].bytes, "AMI\r\n");
}

TEST(FrameSplitter, KeepsAtMostTheLimitOfEndlessGarbage) {
  FrameSplitter splitter;
  const std::string garbage(4096, 'x');
  for (int i = 0; i < 100; ++i) EXPECT_TRUE(splitter.Feed(garbage).empty());
  const auto frames = splitter.Feed("\n");
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].bytes.size(), kMaxFrameBytes);
  EXPECT_EQ(frames[0].length, 100u * 4096u + 1u);
  EXPECT_TRUE(frames[0].overlong);
}

TEST(FrameSplitter, StampsEachFrameWithItsFirstByte) {
  using std::chrono::milliseconds;
  const auto t0 = std::chrono::steady_clock::time_point{} + milliseconds(1000);
  FrameSplitter splitter;
  EXPECT_TRUE(splitter.Feed("AM", t0).empty());
  const auto frames = splitter.Feed("I\r\nA", t0 + milliseconds(5));
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].firstByte, t0);
  const auto next = splitter.Feed("PM\r\n", t0 + milliseconds(9));
  ASSERT_EQ(next.size(), 1u);
  EXPECT_EQ(next[0].firstByte, t0 + milliseconds(5));
}

}  // namespace
}  // namespace korvex7::sim
