#include "core/link/line_assembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvex7 {
namespace {

std::vector<ReceivedLine> FeedAll(LineAssembler& a, const std::vector<std::string>& chunks) {
  std::vector<ReceivedLine> lines;
  for (const auto& c : chunks) a.Feed(c, lines);
  return lines;
}

ReceivedLine Line(const char* text) { return ReceivedLine{text, false}; }
const ReceivedLine kOverlong{{}, true};

struct ChunkCase {
  const char* name;
  std::vector<std::string> chunks;
  std::vector<ReceivedLine> lines;
  std::size_t pendingAfter;
};

TEST(LineAssembler, CutsReadsIntoLinesAtEveryLf) {
  const ChunkCase cases[] = {
      {"one reply in one read", {"GO\r\n"}, {Line("GO\r\n")}, 0},
      {"reply split over two reads", {"G", "O\r\n"}, {Line("GO\r\n")}, 0},
      {"split between CR and LF", {"AMI\r", "\n"}, {Line("AMI\r\n")}, 0},
      {"two replies in one read", {"GO\r\nGO\r\n"}, {Line("GO\r\n"), Line("GO\r\n")}, 0},
      {"reply and the start of the next",
       {"GO\r\nAM", "I\r\n"},
       {Line("GO\r\n"), Line("AMI\r\n")},
       0},
      {"incomplete reply is kept", {"E3\r"}, {}, 3},
      {"empty reads change nothing", {"", "GO", "", "\r\n", ""}, {Line("GO\r\n")}, 0},
      {"line without CR is handed on as it is", {"GO\n"}, {Line("GO\n")}, 0},
      {"bare LFs are lines of their own", {"\n\n"}, {Line("\n"), Line("\n")}, 0},
      {"a CR inside a line does not end it", {"A\rB\r\n"}, {Line("A\rB\r\n")}, 0},
      {"NUL bytes stay in the line",
       {std::string("A\0B\r\n", 5)},
       {ReceivedLine{std::string("A\0B\r\n", 5), false}},
       0},
      {"bytes after the last LF wait", {"GO\r\nE", "3"}, {Line("GO\r\n")}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LineAssembler a;
    EXPECT_EQ(FeedAll(a, c.chunks), c.lines);
    EXPECT_EQ(a.PendingLength(), c.pendingAfter);
  }
}

TEST(LineAssembler, SameLinesWhereverTheReadsAreSplit) {
  const std::string stream = "GO\r\nVLNNNNFFFFNNNNFFFF\r\nE3\r\nPOSD16\r\n";
  const std::vector<ReceivedLine> expected = {Line("GO\r\n"), Line("VLNNNNFFFFNNNNFFFF\r\n"),
                                              Line("E3\r\n"), Line("POSD16\r\n")};
  for (std::size_t i = 0; i <= stream.size(); ++i) {
    for (std::size_t j = i; j <= stream.size(); ++j) {
      SCOPED_TRACE(testing::Message() << "split at " << i << " and " << j);
      LineAssembler a;
      const auto lines =
          FeedAll(a, {stream.substr(0, i), stream.substr(i, j - i), stream.substr(j)});
      ASSERT_EQ(lines, expected);
      ASSERT_EQ(a.PendingLength(), 0u);
    }
  }
  LineAssembler bytewise;
  std::vector<ReceivedLine> lines;
  for (char c : stream) bytewise.Feed(std::string(1, c), lines);
  EXPECT_EQ(lines, expected);
}

// A line of n bytes in all, CR LF included.
std::string LineOfLength(std::size_t n) { return std::string(n - 2, 'A') + "\r\n"; }

TEST(LineAssembler, LongestLineFitsAndOneByteMoreIsDropped) {
  const std::string longest = LineOfLength(kMaxReplyLineLength);
  const std::string tooLong = LineOfLength(kMaxReplyLineLength + 1);
  const ChunkCase cases[] = {
      {"599 bytes in one read", {longest}, {ReceivedLine{longest, false}}, 0},
      {"599 bytes over two reads",
       {longest.substr(0, 300), longest.substr(300)},
       {ReceivedLine{longest, false}},
       0},
      {"600 bytes in one read", {tooLong}, {kOverlong}, 0},
      {"600 bytes, LF alone in the last read", {tooLong.substr(0, 599), "\n"}, {kOverlong}, 0},
      {"600 bytes, the next line in the same read",
       {tooLong + "GO\r\n"},
       {kOverlong, Line("GO\r\n")},
       0},
      {"line before and after",
       {"AMI\r\n" + tooLong.substr(0, 400), tooLong.substr(400) + "E3\r\n"},
       {Line("AMI\r\n"), kOverlong, Line("E3\r\n")},
       0},
      {"two overlong lines are two reports", {tooLong + tooLong}, {kOverlong, kOverlong}, 0},
      {"overlong line not yet ended reports nothing", {tooLong.substr(0, 599), "AAA"}, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LineAssembler a;
    EXPECT_EQ(FeedAll(a, c.chunks), c.lines);
    EXPECT_EQ(a.PendingLength(), c.pendingAfter);
  }
}

TEST(LineAssembler, EndlessLineNeverHoldsMoreThanTheLimit) {
  LineAssembler a;
  std::vector<ReceivedLine> lines;
  for (int i = 0; i < 100; ++i) {
    a.Feed(std::string(250, 'Z'), lines);
    ASSERT_LE(a.PendingLength(), kMaxReplyLineLength);
  }
  EXPECT_TRUE(lines.empty());
  a.Feed("Z\r\nGO\r\n", lines);
  EXPECT_EQ(lines, (std::vector<ReceivedLine>{kOverlong, Line("GO\r\n")}));
}

TEST(LineAssembler, ClearDropsThePartialLine) {
  LineAssembler a;
  EXPECT_TRUE(a.Feed("GARB").empty());
  a.Clear();
  EXPECT_EQ(a.PendingLength(), 0u);
  EXPECT_EQ(a.Feed("GO\r\n"), std::vector<ReceivedLine>{Line("GO\r\n")});

  // Clearing also ends the dropping of an overlong line.
  a.Feed(LineOfLength(700).substr(0, 650));
  a.Clear();
  EXPECT_EQ(a.Feed("E3\r\n"), std::vector<ReceivedLine>{Line("E3\r\n")});
}

}  // namespace
}  // namespace korvex7
