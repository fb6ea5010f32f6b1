#include "core/link/send_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_session.h"

namespace korvex7 {
namespace {

using testing_support::RecordingPort;

constexpr const char* kAgc = "AGCNNNNNNNNNNNNNNNN\r\n";

struct FramingCase {
  int mode;
  int address;
  const char* expected;
};

TEST(SendCommand, FramesByModeAndAddress) {
  const FramingCase cases[] = {
      {kLinkRs232c, 0, "AGCNNNNNNNNNNNNNNNN\r\n"},   {kLinkRs232c, 32, "AGCNNNNNNNNNNNNNNNN\r\n"},
      {kLinkRs485, 0, "00AGCNNNNNNNNNNNNNNNN\r\n"},  {kLinkRs485, 5, "05AGCNNNNNNNNNNNNNNNN\r\n"},
      {kLinkRs485, 9, "09AGCNNNNNNNNNNNNNNNN\r\n"},  {kLinkRs485, 31, "31AGCNNNNNNNNNNNNNNNN\r\n"},
      {kLinkRs485, 32, "FFAGCNNNNNNNNNNNNNNNN\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " address " << c.address);
    RecordingPort port;
    Session s;
    s.port = &port;
    s.model.link.mode = c.mode;
    s.model.link.slaveAddress = c.address;
    SendCommand(s, kAgc);
    ASSERT_EQ(port.frames.size(), 1u);
    EXPECT_EQ(port.frames[0], c.expected);
  }
}

TEST(SendCommand, ArmsTheWaitOutsideBroadcast) {
  // In RS-232C mode the Broadcast address has no effect at all.
  RecordingPort port;
  Session s;
  s.port = &port;
  s.model.link.slaveAddress = kBroadcastAddress;
  s.replyWait.unitStatus = 3;
  s.replyWait.outcome = 1;
  SendCommand(s, kAgc);
  EXPECT_EQ(s.replyWait.waitTicks, 1);
  EXPECT_EQ(s.replyWait.ackPending, 1);
  EXPECT_EQ(s.replyWait.unitStatus, 3);
  EXPECT_EQ(s.replyWait.outcome, 1);
}

struct BroadcastCase {
  int transferMode;
  int outcomeBefore;
  int outcomeAfter;
};

TEST(SendCommand, Rs485BroadcastSettlesTheWaitAtOnce) {
  const BroadcastCase cases[] = {
      {kTransferSingle, 1, kOutcomeNone},
      {kTransferRunStep, 0, 0},  // the run's timer goes on with the next step
      {kTransferRunStep, 1, 1},
      {kTransferRunLastStep, 0, kOutcomeRunComplete},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "transferMode " << c.transferMode);
    RecordingPort port;
    Session s;
    s.port = &port;
    s.model.link.mode = kLinkRs485;
    s.model.link.slaveAddress = kBroadcastAddress;
    s.replyWait.transferMode = c.transferMode;
    s.replyWait.outcome = c.outcomeBefore;
    s.replyWait.unitStatus = 8;
    SendCommand(s, kAgc);
    EXPECT_EQ(s.replyWait.waitTicks, 0);
    EXPECT_EQ(s.replyWait.ackPending, 0);
    EXPECT_EQ(s.replyWait.unitStatus, 0);
    EXPECT_EQ(s.replyWait.outcome, c.outcomeAfter);
    ASSERT_EQ(port.frames.size(), 1u);
  }
}

TEST(SendCommand, LongestTableCommandGetsItsPrefix) {
  RecordingPort port;
  Session s;
  s.port = &port;
  s.model.link.mode = kLinkRs485;
  s.model.link.slaveAddress = 12;
  const std::string castm = "CASTM" + std::string(50, '0') + "\r\n";
  ASSERT_EQ(castm.size(), 57u);
  SendCommand(s, castm);
  ASSERT_EQ(port.frames.size(), 1u);
  EXPECT_EQ(port.frames[0].size(), 59u);
  EXPECT_EQ(port.frames[0].substr(0, 2), "12");
}

TEST(SendCommand, OversizedCommandsAreRefusedNotCut) {
  RecordingPort port;
  Session s;
  s.port = &port;
  SendCommand(s, std::string(598, 'A'));
  SendCommandCopy(s, std::string(300, 'A'));
  EXPECT_TRUE(port.frames.empty());
  EXPECT_EQ(s.replyWait.unitStatus, kStatusCommandError);
  EXPECT_EQ(s.replyWait.ackPending, 0);

  SendCommandCopy(s, std::string(297, 'A') + "\r\n");
  EXPECT_EQ(port.frames.size(), 1u);
}

TEST(SendCommand, EncodedRefusalSetsStatusAndSendsNothing) {
  RecordingPort port;
  Session s;
  s.port = &port;
  EXPECT_FALSE(SendEncoded(s, Encoded::Refused(kStatusDuplicateChannel)));
  EXPECT_EQ(s.replyWait.unitStatus, kStatusDuplicateChannel);
  EXPECT_TRUE(port.frames.empty());
  EXPECT_TRUE(SendEncoded(s, Encoded::Command("TSA\r\n")));
  EXPECT_EQ(port.frames.at(0), "TSA\r\n");
}

TEST(ResetReplyWait, ClearsAllButOutcome) {
  ReplyWait w{5, 1, 8, 2, 1, 17, 3};
  ResetReplyWait(w);
  EXPECT_EQ(w, (ReplyWait{0, 0, 0, 0, 1, 0, 0}));
}

}  // namespace
}  // namespace korvex7
