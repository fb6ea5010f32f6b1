// Session: the settings model, the reply-wait state and the port writer that
// every encoder, decoder and transfer works on. One per connected program
// (the GUI has exactly one); it belongs to one thread.
#pragma once

#include <cstdint>
#include <string>

#include "core/link/port.h"
#include "core/link/reply_wait.h"
#include "core/model/settings_model.h"

namespace korvex7 {

// What the line may send back of the frame just written. A 2-wire RS-485
// adapter, and some device servers, return every byte sent, so the frame
// itself comes back as a line before the unit's answer. SendCommand records
// the frame; the reply side (HandleReceivedLine) skips one line that is
// byte for byte that frame, if it is the first line after it, and counts it.
//
// A frame written earlier that got no answer (the previous address of a
// scan) may have its echo still on the way when the next frame goes out: a
// slow line, or a device server holding bytes. The caller that knows this
// names it in `earlier`; one line byte for byte that frame is skipped too.
struct SentFrame {
  std::string bytes;          // the last frame written, address included
  bool echoPossible = false;  // no line has been handled since it was written
  std::string earlier;        // an earlier frame whose echo may come late
  std::uint32_t echoes = 0;   // echoes skipped so far
};

struct Session {
  SettingsModel model;
  ReplyWait replyWait;
  PortWriter* port = nullptr;  // may be null: the write then goes nowhere
  SentFrame sent;
};

}  // namespace korvex7
