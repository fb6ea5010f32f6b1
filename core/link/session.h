// Session: the settings model, the reply-wait state and the port writer that
// every encoder, decoder and transfer works on. One per connected program
// (the GUI has exactly one); it belongs to one thread.
#pragma once

#include "core/link/port.h"
#include "core/link/reply_wait.h"
#include "core/model/settings_model.h"

namespace korvex7 {

struct Session {
  SettingsModel model;
  ReplyWait replyWait;
  PortWriter* port = nullptr;  // may be null: the write then goes nowhere
};

}  // namespace korvex7
