// Shared pieces of the encoder tests: a driver for tables of {model change,
// encoder, sender, expected wire text}, over a recording session.
#pragma once

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/link/send_command.h"
#include "tests/support/recording_session.h"

namespace korvex7::testing_support {

// One row: change the default model, then both the pure encoder and the
// sender must produce `expected` (the whole command), or, when expected is
// empty, both must refuse with `refusal` and write nothing.
struct CommandCase {
  const char* what;
  void (*setup)(SettingsModel&);
  Encoded (*encode)(const SettingsModel&);
  bool (*send)(Session&);
  std::string_view expected;
  int refusal = kStatusCommandError;
};

inline void ExpectCommand(const CommandCase& c) {
  SCOPED_TRACE(c.what);
  SettingsModel m;
  if (c.setup != nullptr) c.setup(m);
  const Encoded e = c.encode(m);
  if (c.expected.empty()) {
    EXPECT_FALSE(e.ok());
    EXPECT_EQ(e.refusal, c.refusal);
    EXPECT_TRUE(e.text.empty()) << e.text;
  } else {
    EXPECT_TRUE(e.ok()) << "refused with " << e.refusal;
    EXPECT_EQ(e.text, c.expected);
  }
  if (c.send == nullptr) return;
  RecordingSession r;
  if (c.setup != nullptr) c.setup(r.session.model);
  const bool sent = c.send(r.session);
  if (c.expected.empty()) {
    EXPECT_FALSE(sent);
    EXPECT_TRUE(r.port.frames.empty());
    EXPECT_EQ(r.session.replyWait.unitStatus, c.refusal);
    EXPECT_EQ(r.session.replyWait.ackPending, 0);
  } else {
    EXPECT_TRUE(sent);
    ASSERT_EQ(r.port.frames.size(), 1u);
    EXPECT_EQ(r.port.frames[0], c.expected);
    EXPECT_EQ(r.session.replyWait.unitStatus, kStatusNone);
    EXPECT_EQ(r.session.replyWait.ackPending, 1);
  }
}

inline void ExpectCommands(std::span<const CommandCase> cases) {
  for (const CommandCase& c : cases) ExpectCommand(c);
}

}  // namespace korvex7::testing_support
