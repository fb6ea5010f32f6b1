#include "tools/ctl/console_text.h"

#include <gtest/gtest.h>

#include <csignal>
#include <ostream>
#include <vector>

#include "tools/ctl/stop_request.h"

namespace korvex7::ctl {
namespace {

TEST(ConsoleText, WholeCharactersOnly) {
  struct Row {
    std::string bytes;
    std::size_t whole;
  };
  const std::string a = "\xE3\x81\x82";      // あ, three bytes
  const std::string g = "\xF0\x9F\x98\x80";  // four bytes
  const Row rows[] = {
      {"", 0},
      {"AMI\r\n", 5},
      {a, 3},
      {a.substr(0, 1), 0},
      {a.substr(0, 2), 0},
      {"x" + a.substr(0, 2), 1},
      {g.substr(0, 3), 0},
      {"\xC3\xA9", 2},  // é
      {"\xC3", 0},      // its first byte
      {"\x80\x80", 2},  // continuation bytes alone: not held back
      {"A\xFF", 2},     // a byte no character begins with
      {"\x80\x80\x80\x80", 4},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.bytes));
    EXPECT_EQ(WholeUtf8Prefix(row.bytes), row.whole);
  }
}

TEST(ConsoleText, TheBufferHandsOnWholeCharactersAtLineEnds) {
  std::vector<std::string> pieces;
  {
    Utf8LineBuffer buffer([&](std::string_view piece) { pieces.emplace_back(piece); });
    std::ostream out(&buffer);
    const std::string text = "title.text[3]=\xE7\xAC\xAC\xEF\xBC\x93\xE5\x80\x89\xE5\xBA\xAB\nnext";
    for (const char c : text) out.put(c);  // one byte at a time, as a stream may
    out << std::flush;
    ASSERT_FALSE(pieces.empty());
    std::string joined;
    for (const std::string& p : pieces) {
      EXPECT_EQ(WholeUtf8Prefix(p), p.size()) << ::testing::PrintToString(p);
      joined += p;
    }
    EXPECT_EQ(joined, text);
    out << "\xE3\x81";  // half a character, then the buffer goes
  }
  EXPECT_EQ(pieces.back(), "\xE3\x81");  // handed on at the end rather than lost
}

TEST(StopRequest, OnlyTheStopEventsAskTheRunToStop) {
  EXPECT_FALSE(AskStop(SIGHUP));
  EXPECT_FALSE(AskStop(0));
  EXPECT_FALSE(StopFlag().load());
  EXPECT_TRUE(AskStop(SIGTERM));
  EXPECT_TRUE(StopFlag().load());
  EXPECT_TRUE(AskStop(SIGINT));
}

}  // namespace
}  // namespace korvex7::ctl
