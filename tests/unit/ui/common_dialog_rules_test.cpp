#include "core/ui/common_dialog_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "core/commands/alarm_commands.h"
#include "core/link/send_command.h"
#include "tests/support/recording_session.h"

namespace korvex7 {
namespace {

using testing_support::RecordingSession;

TEST(SlaveAddressItems, TwoDigitUnitsThenBroadcast) {
  struct Row {
    int index;
    const char* text;
  } const rows[] = {
      {0, "00"},  {1, "01"},  {9, "09"},  {10, "10"},
      {19, "19"}, {30, "30"}, {31, "31"}, {32, "Broadcast"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.index);
    EXPECT_EQ(SlaveAddressItem(r.index), r.text);
  }
  EXPECT_EQ(kSlaveAddressItems, 33);
  EXPECT_EQ(kUnitAddressItems, 32);
}

TEST(SlaveAddressItems, OutsideTheListIsEmpty) {
  for (int index : {-1, 33, 99, -32}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(SlaveAddressItem(index), "");
  }
}

// Every item, framed as the address of a command, gives the prefix the link
// puts in front: the list position is the stored link.slaveAddress.
TEST(SlaveAddressItems, PositionIsTheAddressOnTheWire) {
  for (int i = 0; i < kSlaveAddressItems; ++i) {
    SCOPED_TRACE(i);
    const std::string expected = i == kBroadcastAddress ? "FF" : SlaveAddressItem(i);
    EXPECT_EQ(AddressPrefix(i), expected);
  }
}

TEST(ListSelectionFor, StoredValueIsThePosition) {
  struct Row {
    std::int32_t value;
    int items;
    int expected;
  } const rows[] = {
      {0, 2, 0},    {1, 2, 1},           {2, 2, -1},          {-1, 2, -1},  {25, 26, 25},
      {26, 26, -1}, {7, 7, -1},          {6, 7, 6},           {31, 32, 31}, {32, 32, -1},
      {32, 33, 32}, {INT32_MIN, 33, -1}, {INT32_MAX, 33, -1}, {0, 0, -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.value << " in " << r.items);
    EXPECT_EQ(ListSelectionFor(r.value, r.items), r.expected);
  }
}

TEST(SlaveAddressListEnabled, OnlyInRs485AndNotDuringARun) {
  struct Row {
    std::int32_t mode;
    bool running;
    bool enabled;
  } const rows[] = {
      {kLinkRs232c, false, false},
      {kLinkRs232c, true, false},
      {kLinkRs485, false, true},
      {kLinkRs485, true, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "mode " << r.mode << " running " << r.running);
    EXPECT_EQ(SlaveAddressListEnabled(r.mode, r.running), r.enabled);
  }
}

TEST(PressSetButton, SendsOneSingleCommand) {
  RecordingSession r;
  r.session.replyWait.transferMode = kTransferRunLastStep;  // left from a run
  r.session.model.alarm.mode = 1;
  EXPECT_TRUE(PressSetButton(r.session, [](Session& s) { SendAlarmMode(s); }));
  ASSERT_EQ(r.port.frames.size(), 1u);
  EXPECT_EQ(r.port.frames[0], "AME\r\n");
  EXPECT_EQ(r.session.replyWait.transferMode, kTransferSingle);
  EXPECT_EQ(r.session.replyWait.ackPending, 1);
}

TEST(PressSetButton, SecondClickWhileAwaitedIsIgnored) {
  RecordingSession r;
  int calls = 0;
  auto encoder = [&calls](Session& s) {
    ++calls;
    SendAlarmMode(s);
  };
  EXPECT_TRUE(PressSetButton(r.session, encoder));
  r.session.replyWait.transferMode = kTransferRunStep;  // must stay untouched
  EXPECT_FALSE(PressSetButton(r.session, encoder));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(r.port.frames.size(), 1u);
  EXPECT_EQ(r.session.replyWait.transferMode, kTransferRunStep);
}

TEST(PressSetButton, RefusalIsLeftForTheStatusTimer) {
  RecordingSession r;
  r.session.model.alarm.mode = 2;
  EXPECT_TRUE(PressSetButton(r.session, [](Session& s) { SendAlarmMode(s); }));
  EXPECT_TRUE(r.port.frames.empty());
  EXPECT_EQ(r.session.replyWait.unitStatus, kStatusCommandError);
  EXPECT_EQ(r.session.replyWait.ackPending, 0);
}

TEST(PressSetButton, BroadcastLeavesNothingAwaited) {
  RecordingSession r;
  r.session.model.link.mode = kLinkRs485;
  r.session.model.link.slaveAddress = kBroadcastAddress;
  EXPECT_TRUE(PressSetButton(r.session, [](Session& s) { SendAlarmMode(s); }));
  ASSERT_EQ(r.port.frames.size(), 1u);
  EXPECT_EQ(r.port.frames[0], "FFAMI\r\n");
  // The next click is not blocked: nothing awaits an answer.
  EXPECT_TRUE(PressSetButton(r.session, [](Session& s) { SendAlarmMode(s); }));
  EXPECT_EQ(r.port.frames.size(), 2u);
}

}  // namespace
}  // namespace korvex7
