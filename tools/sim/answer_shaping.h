// How an answer goes out on the line: when each piece of it may be written.
// The faults a test can switch on (a reply delay, byte-by-byte delivery, a
// garbled byte) and the emulated wire speed are decided here, as plain
// arithmetic over time points, so the I/O loop only waits and writes.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvex7::sim {

using SteadyTime = std::chrono::steady_clock::time_point;

struct AnswerShaping {
  std::chrono::milliseconds replyDelay{0};  // after the frame is complete
  bool chunked = false;                     // one write per byte
  int lineRate = 0;                         // baud to emulate; 0 = as fast as the port goes
};

// The pause between the bytes of a chunked answer when no line rate is set,
// long enough for a reader to see them in separate reads.
inline constexpr std::chrono::milliseconds kChunkGap{2};

// Time one character takes on the wire at `baud` (11 bits at 8E1).
std::chrono::nanoseconds CharacterTime(int baud);

struct AnswerPiece {
  std::string bytes;
  SteadyTime notBefore;  // write it no sooner than this
};

// Splits `answer` into the writes that deliver it. `frameStart` is when the
// first byte of the frame arrived, `frameLength` its length in bytes and
// `received` when it was complete. With a line rate, the answer's last byte
// is written no sooner than the frame's and the answer's bytes take on the
// wire, counted from the frame's first byte.
std::vector<AnswerPiece> ScheduleAnswer(std::string_view answer, SteadyTime frameStart,
                                        std::size_t frameLength, SteadyTime received,
                                        const AnswerShaping& shaping);

// The answer with one byte of its text changed (CR LF stay, so it is still a
// line): the middle byte of the text becomes '#', or '*' where it was '#'.
std::string GarbleAnswer(std::string_view answer);

// True for the answers to garble when every `every`-th one is garbled;
// `answerNumber` counts from 1. `every` 0 garbles none.
bool IsGarbledAnswer(unsigned long long answerNumber, unsigned long long every);

}  // namespace korvex7::sim
