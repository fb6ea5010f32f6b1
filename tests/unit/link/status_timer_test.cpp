#include "core/link/status_timer.h"

#include <gtest/gtest.h>

namespace korvex7 {
namespace {

TEST(StatusTimer, UnitStatusesShowTheirTextOnceAndSettle) {
  struct Row {
    int status;
    const char* text;
  };
  const Row rows[] = {
      {1, "Menu Display"},  {2, "Alarm Display"}, {3, "Lock Display"},   {4, "Mode Error"},
      {5, "Framing Error"}, {6, "Parity Error"},  {7, "Over Run Error"}, {8, "Command Error"},
  };
  for (const auto& r : rows) {
    for (int mode : {kTransferSingle, kTransferRunStep, kTransferRunLastStep}) {
      SCOPED_TRACE(testing::Message() << r.text << " transferMode " << mode);
      ReplyWait w;
      w.unitStatus = r.status;
      w.transferMode = mode;
      w.waitTicks = 4;
      const auto msg = StatusTimerTick(w);
      ASSERT_TRUE(msg.has_value());
      EXPECT_EQ(*msg,
                (StatusMessage{r.text, "Error", MessageIcon::kError, MessageBeep::kQuestion}));
      EXPECT_EQ(w.waitTicks, 0);
      EXPECT_EQ(w.unitStatus, mode == kTransferSingle ? 0 : kStatusShownDuringRun);
      // Later ticks while the box is open show nothing more.
      EXPECT_FALSE(StatusTimerTick(w).has_value());
    }
  }
}

TEST(StatusTimer, SuccessIsShownOnceWithoutIcon) {
  ReplyWait w;
  w.outcome = kOutcomeSingleAcknowledged;
  w.waitTicks = 3;
  const auto msg = StatusTimerTick(w);
  ASSERT_TRUE(msg.has_value());
  EXPECT_EQ(*msg, (StatusMessage{"Success", "接続成功", MessageIcon::kNone, MessageBeep::kNone}));
  EXPECT_EQ(w.outcome, 0);
  EXPECT_EQ(w.waitTicks, 0);
  EXPECT_FALSE(StatusTimerTick(w).has_value());
}

TEST(StatusTimer, NoConnectOnTheTenthTickAfterSending) {
  for (int mode : {kTransferSingle, kTransferRunStep}) {
    SCOPED_TRACE(mode);
    ReplyWait w;
    w.waitTicks = 1;  // as SendCommand leaves it
    w.ackPending = 1;
    w.transferMode = mode;
    for (int tick = 1; tick < 10; ++tick) {
      ASSERT_FALSE(StatusTimerTick(w).has_value()) << "tick " << tick;
      EXPECT_EQ(w.ackPending, 1);
    }
    const auto msg = StatusTimerTick(w);
    ASSERT_TRUE(msg.has_value());
    EXPECT_EQ(*msg,
              (StatusMessage{"No Connect", "接続失敗", MessageIcon::kError, MessageBeep::kNone}));
    EXPECT_EQ(w.ackPending, 0);
    EXPECT_EQ(w.waitTicks, 0);
    EXPECT_EQ(w.unitStatus, mode == kTransferSingle ? 0 : kStatusShownDuringRun);
    EXPECT_FALSE(StatusTimerTick(w).has_value());
  }
}

TEST(StatusTimer, DuplicateChannelLeavesTheShownMark) {
  ReplyWait w;
  w.unitStatus = kStatusDuplicateChannel;
  const auto msg = StatusTimerTick(w);
  ASSERT_TRUE(msg.has_value());
  EXPECT_EQ(msg->text, "チャンネルが重複しています。");
  EXPECT_EQ(msg->icon, MessageIcon::kWarning);
  EXPECT_EQ(w.unitStatus, kStatusShownDuringRun);
}

TEST(StatusTimer, IdleAndUnknownStatusesShowNothing) {
  for (int status : {0, 9, 10, 11, 13, -1}) {
    SCOPED_TRACE(status);
    ReplyWait w;
    w.unitStatus = status;
    const ReplyWait before = w;
    EXPECT_FALSE(StatusTimerTick(w).has_value());
    EXPECT_EQ(w, before);
  }
}

TEST(StatusTimer, AfterAShownErrorTheTimeoutStillCounts) {
  // Status 10 behaves like 0: a later command's time-out is still reported.
  ReplyWait w;
  w.unitStatus = kStatusShownDuringRun;
  w.waitTicks = 10;
  w.transferMode = kTransferRunStep;
  ASSERT_TRUE(StatusTimerTick(w).has_value());
  EXPECT_EQ(w.unitStatus, kStatusShownDuringRun);
}

}  // namespace
}  // namespace korvex7
