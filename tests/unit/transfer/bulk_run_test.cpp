#include "core/transfer/bulk_run.h"

#include <gtest/gtest.h>

#include "core/model/saved_fields.h"
#include "core/transfer/dialog_sequences.h"
#include "core/transfer/read_all.h"
#include "core/transfer/send_all.h"
#include "tests/unit/sim/sim_test_support.h"
#include "tests/unit/transfer/run_harness.h"

namespace korvex7 {
namespace {

using runtest::RunBench;
using runtest::Shown;
using runtest::SimulatedLine;

const Shown kReadDone{"読み込みが完了しました", "接続成功"};
const Shown kSendDone{"設定が完了しました", "接続成功"};
const Shown kCancelled{"中止しました", "キャンセル"};
const Shown kNoConnect{"No Connect", "接続失敗"};
const Shown kCommandError{"Command Error", "Error"};
const Shown kTitleChars{"ＪＩＳ第１水準,第２水準以外の字が選択されてます", "Error"};

// The saved fields no query carries are left out of the comparison.
void ExpectSameReadableSettings(const SettingsModel& got, const SettingsModel& want) {
  SettingsModel a = got;
  SettingsModel b = want;
  a.videoAdjust.saturationV = b.videoAdjust.saturationV;
  auto fa = SavedFields(a);
  auto fb = SavedFields(b);
  for (std::size_t i = 0; i < fa.size(); ++i) {
    if (fa[i].kind == FieldKind::kInt) {
      EXPECT_EQ(*fa[i].integer, *fb[i].integer) << fa[i].name;
    } else {
      EXPECT_STREQ(fa[i].text, fb[i].text) << fa[i].name;
    }
  }
}

TEST(ReadAllRun, ReadsEveryReadableSettingOfTheUnit) {
  SimulatedLine line;
  line.unit.state() = sim::simtest::VariedState();
  RunBench bench(line);
  const auto r = bench.Run(ReadAllSequence(), 400);
  EXPECT_EQ(r.end, BulkTick::kSucceeded);
  EXPECT_EQ(r.shown, std::vector<Shown>{kReadDone});
  ASSERT_EQ(line.frames.size(), 55u);
  for (int i = 0; i < 55; ++i) EXPECT_EQ(line.frames[static_cast<std::size_t>(i)], ReadAllQuery(i));
  ExpectSameReadableSettings(bench.session.model, line.unit.state().settings);
  EXPECT_EQ(bench.session.model.document.modified, 1);
  EXPECT_EQ(bench.session.replyWait, ReplyWait{});
  // One query per 400 ms tick: about 22 s.
  EXPECT_EQ(r.elapsedMs, 56 * 400);
  ASSERT_EQ(r.percents.size(), 55u);
  EXPECT_EQ(r.percents.front(), 1);
  EXPECT_EQ(r.percents[1], 3);
  EXPECT_EQ(r.percents[53], 98);
  EXPECT_EQ(r.percents.back(), 100);
}

TEST(ReadAllRun, Rs485UsesTheSelectedAddress) {
  SimulatedLine line(7);
  RunBench bench(line);
  bench.session.model.link.mode = kLinkRs485;
  bench.session.model.link.slaveAddress = 7;
  EXPECT_EQ(bench.Run(ReadAllSequence(), 400).end, BulkTick::kSucceeded);
  EXPECT_EQ(line.frames.front(), "07RAM\r\n");
}

TEST(ReadAllRun, BroadcastBecomesUnit31) {
  SettingsModel m;
  m.link.slaveAddress = kBroadcastAddress;
  PrepareReadAllAddress(m);
  EXPECT_EQ(m.link.slaveAddress, 31);
  PrepareReadAllAddress(m);
  EXPECT_EQ(m.link.slaveAddress, 31);
}

TEST(ReadAllRun, FailuresStopTheRunAndKeepWhatWasRead) {
  struct Row {
    const char* name;
    std::optional<std::size_t> silentFrom;
    std::optional<std::pair<std::size_t, std::string>> status;
    std::size_t framesSent;
    std::vector<Shown> shown;
  };
  const Row rows[] = {
      {"silent unit", 1, std::nullopt, 1, {kNoConnect}},
      {"silent from step 30", 30, std::nullopt, 30, {kNoConnect}},
      {"E3 at step 20",
       std::nullopt,
       std::pair<std::size_t, std::string>{20, "E3"},
       20,
       {kCommandError}},
      {"LOCK at step 55",
       std::nullopt,
       std::pair<std::size_t, std::string>{55, "LOCK"},
       55,
       {{"Lock Display", "Error"}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SimulatedLine line;
    line.unit.state() = sim::simtest::VariedState();
    line.silentFromFrame = row.silentFrom;
    line.statusFromFrame = row.status;
    RunBench bench(line);
    const auto r = bench.Run(ReadAllSequence(), 400);
    EXPECT_EQ(r.end, BulkTick::kFailed);
    EXPECT_EQ(line.frames.size(), row.framesSent);
    EXPECT_EQ(r.shown, row.shown);
    EXPECT_EQ(bench.session.model.document.modified, 0);
    EXPECT_EQ(bench.session.replyWait.bulkState, 0);
    EXPECT_EQ(bench.session.replyWait.unitStatus, 0);
    // Values decoded before the failure stay: the alarm mode came first.
    if (row.framesSent > 1) {
      EXPECT_EQ(bench.session.model.alarm.mode, 1);
    }
  }
}

TEST(ReadAllRun, CancelStopsMidRunButNotOnTheLastStep) {
  {
    SimulatedLine line;
    RunBench bench(line);
    const auto r = bench.Run(ReadAllSequence(), 400, 10);
    EXPECT_EQ(bench.lastCancel, BulkCancel::kCancelled);
    EXPECT_EQ(r.shown, std::vector<Shown>{kCancelled});
    EXPECT_EQ(line.frames.size(), 10u);
    EXPECT_EQ(bench.session.replyWait, ReplyWait{});
  }
  {
    SimulatedLine line;
    line.replyDelayMs = 1000;  // the last answer is slow to come
    RunBench bench(line);
    const auto r = bench.Run(ReadAllSequence(), 400, 55);
    EXPECT_EQ(bench.lastCancel, BulkCancel::kIgnored);
    EXPECT_EQ(r.end, BulkTick::kSucceeded);
    EXPECT_EQ(r.shown, std::vector<Shown>{kReadDone});
  }
}

TEST(BulkRun, StartIsRefusedWhileACommandAwaitsItsAnswer) {
  Session s;
  s.replyWait.ackPending = 1;
  BulkRun run(ReadAllSequence());
  EXPECT_FALSE(run.Start(s));
  EXPECT_EQ(s.replyWait.bulkState, 0);
  s.replyWait.ackPending = 0;
  EXPECT_TRUE(run.Start(s));
  EXPECT_EQ(s.replyWait.bulkState, kReadAllTimerId);
  EXPECT_EQ(s.replyWait.transferMode, kTransferRunStep);
  BulkRun other(SendAllSequence());
  EXPECT_FALSE(other.Start(s));
  EXPECT_EQ(other.Tick(s).kind, BulkTick::kNotRunning);
  EXPECT_EQ(other.Cancel(s), BulkCancel::kNotRunning);
}

// Varied settings in the MIX switching mode, whose table carries all 25
// dwell times (the other modes send only their own entries).
SettingsModel VariedMixSettings() {
  SettingsModel m = sim::simtest::VariedState().settings;
  m.autoSwitch.mode = 2;
  return m;
}

TEST(SendAllRun, SendsEverySettingToTheUnit) {
  SimulatedLine line;
  RunBench bench(line);
  bench.session.model = VariedMixSettings();
  const auto r = bench.Run(SendAllSequence(), 400);
  EXPECT_EQ(r.end, BulkTick::kSucceeded);
  EXPECT_EQ(r.shown, std::vector<Shown>{kSendDone});
  EXPECT_EQ(line.frames.size(), 55u);
  ExpectSameReadableSettings(line.unit.state().settings, bench.session.model);
  EXPECT_EQ(bench.session.model.document.modified, 1);
}

TEST(SendAllRun, BroadcastCompletesWithoutAnswers) {
  SimulatedLine line(4);
  RunBench bench(line);
  bench.session.model = VariedMixSettings();
  bench.session.model.link = {0, kLinkRs485, kBroadcastAddress};
  const auto r = bench.Run(SendAllSequence(), 400);
  EXPECT_EQ(r.end, BulkTick::kSucceeded);
  EXPECT_EQ(r.shown, std::vector<Shown>{kSendDone});
  EXPECT_TRUE(line.pending.empty());
  EXPECT_EQ(line.frames.front().substr(0, 2), "FF");
  EXPECT_EQ(r.elapsedMs, 56 * 400);
  ExpectSameReadableSettings(line.unit.state().settings, bench.session.model);
}

TEST(SendAllRun, AnOddLengthTitleStopsTheRunWithTwoMessages) {
  SimulatedLine line;
  RunBench bench(line);
  SetText(bench.session.model.title.text[3], std::string(19, 'A'));
  const auto r = bench.Run(SendAllSequence(), 400);
  EXPECT_EQ(r.end, BulkTick::kFailed);
  EXPECT_EQ(r.shown, (std::vector<Shown>{kTitleChars, kCommandError}));
  EXPECT_EQ(line.frames.size(), 11u + 3u);  // steps 1..11 and the first three titles
  EXPECT_EQ(bench.session.model.document.modified, 0);
}

TEST(SendAllRun, ARefusedValueStopsTheRun) {
  SimulatedLine line;
  RunBench bench(line);
  bench.session.model.splitLayout.nineB[3] = bench.session.model.splitLayout.nineB[4];
  const auto r = bench.Run(SendAllSequence(), 400);
  EXPECT_EQ(r.end, BulkTick::kFailed);
  EXPECT_EQ(r.shown, (std::vector<Shown>{{"チャンネルが重複しています。", "Error"}}));
  EXPECT_EQ(line.frames.size(), 47u);
}

TEST(TitleSequence, SendsSixteenTitlesThenSuccess) {
  SimulatedLine line;
  RunBench bench(line);
  const auto r = bench.Run(TitleSequence(), 400);
  EXPECT_EQ(r.end, BulkTick::kSucceeded);
  EXPECT_EQ(r.shown, (std::vector<Shown>{Shown{"Success", "接続成功"}}));
  ASSERT_EQ(line.frames.size(), 16u);
  EXPECT_EQ(line.frames.front().substr(0, 4), "CJ01");
  EXPECT_EQ(line.frames.back().substr(0, 4), "CJ16");
}

TEST(TitleSequence, AHalfWidthTitleStopsAfterTheTitlesBeforeIt) {
  SimulatedLine line;
  RunBench bench(line);
  std::string title = "\x82\x60\x82\x60\x82\x60\x82\x60\x82\x60\x82\x60\x82\x60\x82\x60\x82\x60";
  title += "AB";
  SetText(bench.session.model.title.text[4], title);
  const auto r = bench.Run(TitleSequence(), 400);
  EXPECT_EQ(r.end, BulkTick::kFailed);
  EXPECT_EQ(r.shown, (std::vector<Shown>{kTitleChars, kCommandError}));
  EXPECT_EQ(line.frames.size(), 4u);
}

TEST(VideoAdjustSequence, FiveStepsWithPercentages) {
  SimulatedLine line;
  RunBench bench(line);
  bench.session.model.videoAdjust.brightness[0] = 63;  // shown as -1
  const auto r = bench.Run(VideoAdjustSequence(), 200);
  EXPECT_EQ(r.end, BulkTick::kSucceeded);
  EXPECT_EQ(r.percents, (std::vector<int>{20, 40, 60, 80, 100}));
  EXPECT_EQ(r.shown, (std::vector<Shown>{Shown{"設定しました", "接続成功"}}));
  ASSERT_EQ(line.frames.size(), 5u);
  const char* keywords[] = {"VAB", "VAC", "VAH", "VASH", "VASA"};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(line.frames[i].rfind(keywords[i], 0), 0u) << line.frames[i];
  }
  EXPECT_EQ(line.frames[0].substr(3, 3), "127");
  EXPECT_EQ(line.unit.state().settings.videoAdjust.brightness[0], 63);
}

TEST(VideoAdjustSequence, BroadcastSendsOneStepPerTick) {
  SimulatedLine line(2);
  RunBench bench(line);
  bench.session.model.link = {0, kLinkRs485, kBroadcastAddress};
  const auto r = bench.Run(VideoAdjustSequence(), 200);
  EXPECT_EQ(r.end, BulkTick::kSucceeded);
  EXPECT_EQ(line.frames.size(), 5u);
  EXPECT_EQ(r.elapsedMs, 6 * 200);
}

TEST(VideoAdjustSequence, CancelAfterTheFourthAcknowledgedStops) {
  SimulatedLine line;
  RunBench bench(line);
  const auto r = bench.Run(VideoAdjustSequence(), 200, 4);
  EXPECT_EQ(bench.lastCancel, BulkCancel::kCancelled);
  EXPECT_EQ(line.frames.size(), 4u);
  EXPECT_EQ(r.shown, std::vector<Shown>{kCancelled});
}

}  // namespace
}  // namespace korvex7
