#include "core/transfer/unit_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvex7 {
namespace {

// One slot: what the line sends while the address is asked, and what came
// before the query went out.
struct Slot {
  std::vector<std::string> before;
  std::vector<std::string> during;
};

struct ScanRow {
  const char* name;
  std::vector<std::int32_t> addresses;
  std::vector<Slot> slots;
  std::vector<UnitScan::Unit> units;
  std::size_t noise;
  std::vector<std::int32_t> late;
  std::size_t echoes;
};

ReceivedLine Line(const std::string& text) { return ReceivedLine{text, false}; }

TEST(UnitScan, CountsOnlyAWellFormedAnswerOfTheAddressAsked) {
  const std::vector<ScanRow> rows = {
      {"a silent line", {0, 1, 2}, {{}, {}, {}}, {}, 0, {}, 0},
      {"two units answer, one with its keys locked",
       {3, 4, 5},
       {{{}, {"03AMI\r\n"}}, {}, {{}, {"05LOCK\r\n"}}},
       {{3, 0}, {5, 3}},
       0,
       {},
       0},
      {"an echoing line: the query's echo is skipped, the answer counts",
       {1, 2},
       {{{}, {"01RAM\r\n", "01AME\r\n"}}, {{}, {"02RAM\r\n"}}},
       {{1, 0}},
       0,
       {},
       2},
      {"the echo counts only before the answer",
       {1},
       {{{}, {"01AMI\r\n", "01RAM\r\n"}}},
       {{1, 0}},
       1,
       {},
       0},
      {"an answer without the address is another unit's piece",
       {7},
       {{{}, {"AMI\r\n"}}},
       {},
       1,
       {},
       0},
      {"another scanned unit's answer, late, is noise and named late",
       {4, 5},
       {{}, {{}, {"04AMI\r\n", "05AMI\r\n"}}},
       {},
       2,
       {4},
       0},
      {"garbage, a line without CR and a Set's GO are no answer",
       {1, 2, 3},
       {{{}, {"01A\x01\r\n"}}, {{}, {"02AMI\n"}}, {{}, {"03GO\r\n"}}},
       {},
       3,
       {},
       0},
      {"what comes before the query is noise, the answer still counts",
       {9},
       {{{"09AMI\r\n"}, {"09AME\r\n"}}},
       {{9, 0}},
       1,
       {},
       0},
      {"a menu open is a unit with its state", {31}, {{{}, {"31MENU\r\n"}}}, {{31, 1}}, 0, {}, 0},
      {"a slow echoing line: the previous query's echo comes in the next slot, "
       "or between slots, and is skipped; the unit still counts",
       {9, 10, 11, 12},
       {{}, {{}, {"09RAM\r\n", "10RAM\r\n", "10AMI\r\n"}}, {}, {{"11RAM\r\n"}, {}}},
       {{10, 0}},
       0,
       {},
       3},
      {"a previous query whose echo came in time is not skipped a second time",
       {1, 2},
       {{{}, {"01RAM\r\n"}}, {{}, {"01RAM\r\n"}}},
       {},
       1,
       {1},
       1},
  };
  for (const ScanRow& row : rows) {
    SCOPED_TRACE(row.name);
    UnitScan scan(row.addresses);
    std::vector<std::string> frames;
    for (const Slot& slot : row.slots) {
      for (const std::string& line : slot.before) scan.Line(Line(line));
      frames.push_back(scan.NextFrame());
      for (const std::string& line : slot.during) scan.Line(Line(line));
      scan.EndSlot();
    }
    EXPECT_TRUE(scan.NextFrame().empty());
    EXPECT_TRUE(scan.Finished());
    EXPECT_EQ(scan.units(), row.units);
    EXPECT_EQ(scan.noiseCount(), row.noise);
    EXPECT_EQ(scan.late(), row.late);
    EXPECT_EQ(scan.echoes(), row.echoes);
    ASSERT_EQ(frames.size(), row.addresses.size());
    for (std::size_t i = 0; i < frames.size(); ++i) {
      const std::int32_t a = row.addresses[i];
      const std::string expected =
          std::string(1, char('0' + a / 10)) + char('0' + a % 10) + "RAM\r\n";
      EXPECT_EQ(frames[i], expected);
    }
  }
}

TEST(UnitScan, RS232CAsksTheOneUnitWithoutAnAddress) {
  const struct {
    const char* name;
    std::vector<std::string> during;
    std::vector<UnitScan::Unit> units;
    std::size_t noise;
  } rows[] = {
      {"the unit answers", {"AMI\r\n"}, {{-1, 0}}, 0},
      {"its menu is open", {"MENU\r\n"}, {{-1, 1}}, 0},
      {"silent", {}, {}, 0},
      {"garbage", {"A?\r\n"}, {}, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    UnitScan scan({-1});
    EXPECT_EQ(scan.NextFrame(), "RAM\r\n");
    for (const std::string& line : row.during) scan.Line(Line(line));
    scan.EndSlot();
    EXPECT_TRUE(scan.NextFrame().empty());
    EXPECT_EQ(scan.units(), row.units);
    EXPECT_EQ(scan.noiseCount(), row.noise);
  }
}

TEST(UnitScan, NoiseSaysWhichAddressWasAskedAndWhetherBefore) {
  UnitScan scan({2, 3});
  scan.Line(Line("xx\r\n"));
  scan.NextFrame();
  scan.Line(Line("02AMI\r\n"));
  scan.Line(Line("02AMI\r\n"));
  scan.EndSlot();
  const std::vector<UnitScan::Noise> expected = {{2, true, "xx\r\n"}, {2, false, "02AMI\r\n"}};
  EXPECT_EQ(scan.noise(), expected);
  EXPECT_EQ(scan.Asked(), 1u);
}

TEST(UnitScan, KeepsABoundedAmountOfABabblingLine) {
  UnitScan scan({0});
  scan.NextFrame();
  const std::string longLine(1000, 'x');
  for (int i = 0; i < 10000; ++i) scan.Line(Line(longLine));
  scan.Line(ReceivedLine{"", true});
  EXPECT_EQ(scan.noiseCount(), 10001u);
  EXPECT_EQ(scan.noise().size(), UnitScan::kKeptNoise);
  for (const auto& n : scan.noise()) EXPECT_LE(n.bytes.size(), UnitScan::kKeptBytes);
  EXPECT_TRUE(scan.units().empty());
}

TEST(UnitScan, TheSharedRulesOfOneAnswer) {
  struct Row {
    std::int32_t asking;
    AnswerKind kind;
    const char* reply;
    bool unit;
  };
  const Row rows[] = {
      {5, AnswerKind::kAccepted, "05AMI", true},    {5, AnswerKind::kStatusWord, "05LOCK", true},
      {5, AnswerKind::kAccepted, "AMI", false},     {5, AnswerKind::kAccepted, "06AMI", false},
      {5, AnswerKind::kUnexpected, "05AMX", false}, {-1, AnswerKind::kAccepted, "AMI", true},
      {-1, AnswerKind::kUnexpected, "AMI", false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.reply);
    EXPECT_EQ(CountsAsUnit(r.asking, r.kind, r.reply), r.unit);
  }
  EXPECT_EQ(LateAnswerFrom(5, "04AMI\r\n", {4, 5}), 4);
  EXPECT_EQ(LateAnswerFrom(5, "09AMI\r\n", {4, 5}), std::nullopt);
  EXPECT_EQ(LateAnswerFrom(5, "05AMI\r\n", {4, 5}), std::nullopt);
  EXPECT_EQ(LateAnswerFrom(5, "x", {4, 5}), std::nullopt);
}

}  // namespace
}  // namespace korvex7
