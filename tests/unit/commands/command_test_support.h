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

// An encoder and its sender for one value, called on the same model: both
// give `expected` (the whole command, one frame on the wire), or, when it is
// null, both refuse with status 8 and nothing reaches the wire.
inline void ExpectSentOrRefused(const Encoded& e, bool sent, const RecordingSession& r,
                                const char* expected) {
  if (expected == nullptr) {
    EXPECT_EQ(e.refusal, kStatusCommandError);
    EXPECT_FALSE(sent);
    EXPECT_TRUE(r.port.frames.empty());
    EXPECT_EQ(r.session.replyWait.unitStatus, kStatusCommandError);
  } else {
    EXPECT_EQ(e.text, expected);
    EXPECT_TRUE(sent);
    ASSERT_EQ(r.port.frames.size(), 1u);
    EXPECT_EQ(r.port.frames[0], expected);
  }
}

// The commands of the sixteen default titles ("　　　ＣＨ０１　　　" ...).
inline constexpr const char* kDefaultTitleCommands[kChannels] = {
    "CJ012121212121212343234823302331212121212121\r\n",
    "CJ022121212121212343234823302332212121212121\r\n",
    "CJ032121212121212343234823302333212121212121\r\n",
    "CJ042121212121212343234823302334212121212121\r\n",
    "CJ052121212121212343234823302335212121212121\r\n",
    "CJ062121212121212343234823302336212121212121\r\n",
    "CJ072121212121212343234823302337212121212121\r\n",
    "CJ082121212121212343234823302338212121212121\r\n",
    "CJ092121212121212343234823302339212121212121\r\n",
    "CJ102121212121212343234823312330212121212121\r\n",
    "CJ112121212121212343234823312331212121212121\r\n",
    "CJ122121212121212343234823312332212121212121\r\n",
    "CJ132121212121212343234823312333212121212121\r\n",
    "CJ142121212121212343234823312334212121212121\r\n",
    "CJ152121212121212343234823312335212121212121\r\n",
    "CJ162121212121212343234823312336212121212121\r\n",
};

}  // namespace korvex7::testing_support
