// FrameSplitter: cuts the bytes received from the line into frames. A frame
// ends at LF (the LF belongs to it). A frame that grows beyond the limit is
// cut there and flagged; the bytes up to its LF are dropped, so garbage
// without line ends cannot grow the buffer.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvex7::sim {

// The longest frame kept: the program's frame buffer holds 600 bytes.
inline constexpr std::size_t kMaxFrameBytes = 600;

struct Frame {
  std::string bytes;       // up to kMaxFrameBytes, LF included unless overlong
  std::size_t length = 0;  // bytes received for the frame, dropped ones included
  bool overlong = false;
  std::chrono::steady_clock::time_point firstByte{};  // when its first byte arrived
};

class FrameSplitter {
 public:
  explicit FrameSplitter(std::size_t maxFrameBytes = kMaxFrameBytes) : max_(maxFrameBytes) {}

  // Feeds the bytes of one read, received at `now`; returns the frames they
  // complete, in order.
  std::vector<Frame> Feed(std::string_view bytes, std::chrono::steady_clock::time_point now =
                                                      std::chrono::steady_clock::now());

  // True while a frame has begun but not ended.
  bool partial() const { return current_.length > 0; }

 private:
  std::size_t max_;
  Frame current_;
};

}  // namespace korvex7::sim
