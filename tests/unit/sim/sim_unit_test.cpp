#include "tools/sim/sim_unit.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/unit/sim/sim_test_support.h"

namespace korvex7::sim {
namespace {

using simtest::DifferingState;
using simtest::Join;

const char* DispositionName(FrameDisposition d) {
  switch (d) {
    case FrameDisposition::kAnswered:
      return "answered";
    case FrameDisposition::kSilent:
      return "silent";
    case FrameDisposition::kBroadcast:
      return "broadcast";
    case FrameDisposition::kOtherUnit:
      return "other unit";
    case FrameDisposition::kEmpty:
      return "empty";
  }
  return "?";
}

struct AddressingRow {
  std::optional<int> address;  // nothing: RS-232C
  std::string frame;
  FrameDisposition disposition;
  std::optional<std::string> answer;
  bool applied;  // alarm.mode became 1
};

TEST(SimUnit, AnswersByLineModeAndAddress) {
  const AddressingRow rows[] = {
      // RS-232C: every frame is for the unit, answers carry no address.
      {std::nullopt, "AME\r\n", FrameDisposition::kAnswered, "GO\r\n", true},
      {std::nullopt, "RAM\r\n", FrameDisposition::kAnswered, "AMI\r\n", false},
      {std::nullopt, "05AME\r\n", FrameDisposition::kAnswered, "E3\r\n", false},
      {std::nullopt, "FFAME\r\n", FrameDisposition::kAnswered, "E3\r\n", false},
      // RS-485 unit 05: its own address.
      {5, "05AME\r\n", FrameDisposition::kAnswered, "05GO\r\n", true},
      {5, "05RAM\r\n", FrameDisposition::kAnswered, "05AMI\r\n", false},
      {5, "05AMX\r\n", FrameDisposition::kAnswered, "05E3\r\n", false},
      {5, "05\r\n", FrameDisposition::kAnswered, "05E3\r\n", false},
      // Another address, or none: silence, nothing applied.
      {5, "04AME\r\n", FrameDisposition::kOtherUnit, std::nullopt, false},
      {5, "50AME\r\n", FrameDisposition::kOtherUnit, std::nullopt, false},
      {5, "AME\r\n", FrameDisposition::kOtherUnit, std::nullopt, false},
      {5, "32AME\r\n", FrameDisposition::kOtherUnit, std::nullopt, false},
      {5, "0\n", FrameDisposition::kOtherUnit, std::nullopt, false},
      {5, "ffAME\r\n", FrameDisposition::kOtherUnit, std::nullopt, false},
      // Broadcast: applied, never answered.
      {5, "FFAME\r\n", FrameDisposition::kBroadcast, std::nullopt, true},
      {5, "FFRAM\r\n", FrameDisposition::kBroadcast, std::nullopt, false},
      {5, "FFAMX\r\n", FrameDisposition::kBroadcast, std::nullopt, false},
      // Addresses 00 and 31.
      {0, "00AME\r\n", FrameDisposition::kAnswered, "00GO\r\n", true},
      {0, "01AME\r\n", FrameDisposition::kOtherUnit, std::nullopt, false},
      {31, "31AME\r\n", FrameDisposition::kAnswered, "31GO\r\n", true},
      {31, "FFAME\r\n", FrameDisposition::kBroadcast, std::nullopt, true},
      // A bare line end is ignored in both modes.
      {std::nullopt, "\r\n", FrameDisposition::kEmpty, std::nullopt, false},
      {std::nullopt, "\n", FrameDisposition::kEmpty, std::nullopt, false},
      {7, "\r\n", FrameDisposition::kEmpty, std::nullopt, false},
  };
  for (const AddressingRow& row : rows) {
    SCOPED_TRACE(::testing::Message()
                 << "address " << (row.address ? std::to_string(*row.address) : "none") << " frame "
                 << row.frame);
    SimUnit unit(row.address);
    const FrameResult r = unit.HandleFrame(row.frame);
    EXPECT_STREQ(DispositionName(r.disposition), DispositionName(row.disposition));
    EXPECT_EQ(r.answer, row.answer);
    EXPECT_EQ(unit.state().settings.alarm.mode, row.applied ? 1 : 0);
    EXPECT_EQ(r.settingsChanged, row.applied);
  }
}

TEST(SimUnit, AddressPrefixIsTwoDigits) {
  EXPECT_EQ(SimUnit(std::nullopt).AddressPrefix(), "");
  EXPECT_EQ(SimUnit(0).AddressPrefix(), "00");
  EXPECT_EQ(SimUnit(9).AddressPrefix(), "09");
  EXPECT_EQ(SimUnit(31).AddressPrefix(), "31");
}

TEST(SimUnit, ForcedStatusAnswersEveryFrameAndChangesNothing) {
  const char* words[] = {"MENU", "ALARM", "LOCK", "GN", "E0", "E1", "E2", "E3"};
  for (const char* word : words) {
    SCOPED_TRACE(word);
    SimUnit unit(3);
    ASSERT_TRUE(unit.SetForcedStatus(std::string(word)));
    for (const char* frame : {"03AME\r\n", "03RAM\r\n", "03XYZ\r\n"}) {
      const FrameResult r = unit.HandleFrame(frame);
      EXPECT_EQ(r.answer, "03" + std::string(word) + "\r\n") << frame;
      EXPECT_FALSE(r.settingsChanged);
    }
    EXPECT_FALSE(unit.HandleFrame("FFAME\r\n").answer.has_value());
    EXPECT_EQ(Join(DifferingState(unit.state(), UnitState{})), "");
  }
}

TEST(SimUnit, RefusesWordsThatAreNoStatus) {
  SimUnit unit;
  for (const char* word : {"GO", "OK", "menu", "E4", ""}) {
    SCOPED_TRACE(word);
    EXPECT_FALSE(unit.SetForcedStatus(std::string(word)));
    EXPECT_FALSE(IsStatusWord(word));
  }
  EXPECT_EQ(unit.HandleFrame("RAM\r\n").answer, "AMI\r\n");
  EXPECT_TRUE(unit.SetForcedStatus(std::string("LOCK")));
  EXPECT_TRUE(unit.SetForcedStatus(std::nullopt));
  EXPECT_EQ(unit.HandleFrame("RAM\r\n").answer, "AMI\r\n");
}

TEST(SimUnit, SilentUnitAppliesButNeverAnswers) {
  SimUnit unit;
  unit.SetSilent(true);
  const FrameResult r = unit.HandleFrame("AME\r\n");
  EXPECT_EQ(r.disposition, FrameDisposition::kSilent);
  EXPECT_FALSE(r.answer.has_value());
  EXPECT_TRUE(r.accepted);
  EXPECT_EQ(unit.state().settings.alarm.mode, 1);
  EXPECT_FALSE(unit.HandleFrame("RAM\r\n").answer.has_value());
}

TEST(SimUnit, OnlySavedSettingsCountAsAChange) {
  struct Row {
    const char* frame;
    bool changed;
  };
  const Row rows[] = {
      {"AME\r\n", true},    {"AMI\r\n", false},  // the default again
      {"DSY16\r\n", false}, {"TSA\r\n", false}, {"CS05\r\n", false},
      {"RAM\r\n", false},   {"XYZ\r\n", false}, {"VAB01010\r\n", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.frame);
    SimUnit unit;
    EXPECT_EQ(unit.HandleFrame(row.frame).settingsChanged, row.changed);
  }
}

TEST(SimUnit, GarbageAndOverlongFramesAreRefusedWithoutHarm) {
  SimUnit unit;
  const std::string frames[] = {
      std::string(599, 'A') + "\n",
      std::string(5000, '\xFF'),
      std::string("\0\0\0\r\n", 5),
      "\r\r\r\n",
      "AMI\rAME\r\n",
  };
  for (const std::string& frame : frames) {
    SCOPED_TRACE(frame.size());
    EXPECT_EQ(unit.HandleFrame(frame).answer, "E3\r\n");
  }
  EXPECT_EQ(Join(DifferingState(unit.state(), UnitState{})), "");
}

}  // namespace
}  // namespace korvex7::sim
