#include "tools/sim/frame_splitter.h"

namespace korvex7::sim {

std::vector<Frame> FrameSplitter::Feed(std::string_view bytes,
                                       std::chrono::steady_clock::time_point now) {
  std::vector<Frame> frames;
  for (char c : bytes) {
    if (current_.length == 0) current_.firstByte = now;
    ++current_.length;
    if (current_.bytes.size() < max_) {
      current_.bytes += c;
    } else {
      current_.overlong = true;
    }
    if (c == '\n') {
      frames.push_back(std::move(current_));
      current_ = Frame{};
    }
  }
  return frames;
}

}  // namespace korvex7::sim
