// A session whose frames are recorded, for the dialog-logic tests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/link/session.h"

namespace korvex7::ui_testing {

class RecordingPort : public PortWriter {
 public:
  void Write(std::string_view frame) override { frames.emplace_back(frame); }
  std::vector<std::string> frames;
};

struct RecordingSession {
  RecordingPort port;
  Session session;
  RecordingSession() { session.port = &port; }
  RecordingSession(const RecordingSession&) = delete;
  RecordingSession& operator=(const RecordingSession&) = delete;
};

}  // namespace korvex7::ui_testing
