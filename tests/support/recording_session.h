// A port that records every frame written to it, and a session that writes
// there: the tests look at the exact wire text a command produced.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/link/session.h"

namespace korvex7::testing_support {

class RecordingPort : public PortWriter {
 public:
  void Write(std::string_view frame) override { frames.emplace_back(frame); }
  std::vector<std::string> frames;
};

// A session whose frames land in `port`.
struct RecordingSession {
  RecordingPort port;
  Session session;
  RecordingSession() { session.port = &port; }
  RecordingSession(const RecordingSession&) = delete;
  RecordingSession& operator=(const RecordingSession&) = delete;
};

}  // namespace korvex7::testing_support
