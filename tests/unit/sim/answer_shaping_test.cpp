#include "tools/sim/answer_shaping.h"

#include <gtest/gtest.h>

namespace korvex7::sim {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;

const SteadyTime kT0 = SteadyTime{} + std::chrono::seconds(100);

TEST(AnswerShaping, CharacterTimeIsElevenBitsRoundedUp) {
  EXPECT_EQ(CharacterTime(9600), nanoseconds(1145834));  // 11 / 9600 s
  EXPECT_EQ(CharacterTime(1100), nanoseconds(10'000'000));
  EXPECT_EQ(CharacterTime(0), nanoseconds(0));
}

TEST(AnswerShaping, PlainAnswerGoesOutWholeAtOnce) {
  const auto pieces = ScheduleAnswer("GO\r\n", kT0, 5, kT0 + microseconds(10), AnswerShaping{});
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0].bytes, "GO\r\n");
  EXPECT_EQ(pieces[0].notBefore, kT0 + microseconds(10));
}

TEST(AnswerShaping, ReplyDelayCountsFromTheCompleteFrame) {
  AnswerShaping s;
  s.replyDelay = milliseconds(250);
  const auto pieces = ScheduleAnswer("GO\r\n", kT0, 5, kT0 + milliseconds(1), s);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0].notBefore, kT0 + milliseconds(251));
}

TEST(AnswerShaping, ChunkedAnswerIsOneWritePerByte) {
  AnswerShaping s;
  s.chunked = true;
  const auto pieces = ScheduleAnswer("AMI\r\n", kT0, 5, kT0, s);
  ASSERT_EQ(pieces.size(), 5u);
  std::string joined;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    EXPECT_EQ(pieces[k].bytes.size(), 1u);
    EXPECT_EQ(pieces[k].notBefore, kT0 + kChunkGap * static_cast<long long>(k));
    joined += pieces[k].bytes;
  }
  EXPECT_EQ(joined, "AMI\r\n");
}

TEST(AnswerShaping, LineRateDeliversNoSoonerThanTheWireWould) {
  // 1100 baud: 10 ms a character. A 5-byte frame whose first byte came at
  // t0 is on the wire until t0 + 50 ms; the 4 answer bytes follow at 10 ms
  // each, the last at t0 + 90 ms.
  AnswerShaping s;
  s.lineRate = 1100;
  const auto pieces = ScheduleAnswer("GO\r\n", kT0, 5, kT0 + milliseconds(1), s);
  ASSERT_EQ(pieces.size(), 4u);
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(pieces[k].notBefore, kT0 + milliseconds(60 + 10 * static_cast<int>(k)));
  }
  // A frame that arrived late (the pseudo-terminal held it) starts the
  // answer from its arrival, never earlier.
  const auto late = ScheduleAnswer("GO\r\n", kT0, 5, kT0 + milliseconds(200), s);
  EXPECT_EQ(late.front().notBefore, kT0 + milliseconds(210));
  // The reply delay adds to the wire time.
  s.replyDelay = milliseconds(100);
  const auto delayed = ScheduleAnswer("GO\r\n", kT0, 5, kT0, s);
  EXPECT_EQ(delayed.back().notBefore, kT0 + milliseconds(190));
}

TEST(AnswerShaping, GarbleChangesOneByteAndKeepsTheLineEnd) {
  struct Row {
    const char* answer;
    const char* garbled;
  };
  const Row rows[] = {
      {"GO\r\n", "G#\r\n"},
      {"05GO\r\n", "05#O\r\n"},
      {"AMI\r\n", "A#I\r\n"},
      {"A#I\r\n", "A*I\r\n"},
      {"VLNNNNNNNNNNNNNNNN\r\n", "VLNNNNNNN#NNNNNNNN\r\n"},
      {"\r\n", "\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.answer);
    EXPECT_EQ(GarbleAnswer(row.answer), row.garbled);
  }
}

TEST(AnswerShaping, GarblesEveryNthAnswer) {
  std::string pattern;
  for (unsigned long long n = 1; n <= 9; ++n) pattern += IsGarbledAnswer(n, 3) ? 'x' : '.';
  EXPECT_EQ(pattern, "..x..x..x");
  EXPECT_FALSE(IsGarbledAnswer(5, 0));
  EXPECT_TRUE(IsGarbledAnswer(1, 1));
}

}  // namespace
}  // namespace korvex7::sim
