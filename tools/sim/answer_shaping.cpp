#include "tools/sim/answer_shaping.h"

#include <algorithm>

namespace korvex7::sim {

namespace {
constexpr long long kBitsPerCharacter = 11;  // start, 8 data, parity, stop
}

std::chrono::nanoseconds CharacterTime(int baud) {
  if (baud <= 0) return std::chrono::nanoseconds(0);
  // Rounded up: the emulated line is never faster than the real one.
  const long long ns = (kBitsPerCharacter * 1'000'000'000LL + baud - 1) / baud;
  return std::chrono::nanoseconds(ns);
}

std::vector<AnswerPiece> ScheduleAnswer(std::string_view answer, SteadyTime frameStart,
                                        std::size_t frameLength, SteadyTime received,
                                        const AnswerShaping& shaping) {
  std::vector<AnswerPiece> pieces;
  if (answer.empty()) return pieces;
  SteadyTime start = received;
  const auto character = CharacterTime(shaping.lineRate);
  if (shaping.lineRate > 0) {
    const SteadyTime frameOnWire = frameStart + character * static_cast<long long>(frameLength);
    start = std::max(start, frameOnWire);
  }
  start += shaping.replyDelay;

  if (shaping.lineRate > 0) {
    // Byte k has left the far end once k + 1 characters have passed.
    for (std::size_t k = 0; k < answer.size(); ++k) {
      pieces.push_back(
          {std::string(1, answer[k]), start + character * static_cast<long long>(k + 1)});
    }
  } else if (shaping.chunked) {
    for (std::size_t k = 0; k < answer.size(); ++k) {
      pieces.push_back({std::string(1, answer[k]), start + kChunkGap * static_cast<long long>(k)});
    }
  } else {
    pieces.push_back({std::string(answer), start});
  }
  return pieces;
}

std::string GarbleAnswer(std::string_view answer) {
  std::string out(answer);
  std::size_t text = out.size();
  if (text >= 2 && out.compare(text - 2, 2, "\r\n") == 0) text -= 2;
  if (text == 0) return out;
  char& c = out[text / 2];
  c = (c == '#') ? '*' : '#';
  return out;
}

bool IsGarbledAnswer(unsigned long long answerNumber, unsigned long long every) {
  return every > 0 && answerNumber > 0 && answerNumber % every == 0;
}

}  // namespace korvex7::sim
