#include "core/link/reply_dispatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model_diff.h"

namespace korvex7 {
namespace {

using testing_support::ChangedFields;
using testing_support::Indexed;
using testing_support::MarkedModel;

using Names = std::vector<std::string>;

struct SingleCharacterReply {
  const char* keyword;
  const char* codes;  // the code of value 0 first, then 1, ...
  const char* field;
};

// Every single-character reply with its codes in value order.
const SingleCharacterReply kSingleCharacterReplies[] = {
    {"AM", "IE", "alarm.mode"},
    {"AP", "MB", "alarm.inputPolarity"},
    {"ARO", "FN", "alarm.returnOn"},
    {"ADO", "FN", "alarm.display"},
    {"VLDO", "FN", "videoLoss.display"},
    {"VLSOO", "FN", "videoLoss.signalOutput"},
    {"VLBC", "NB", "videoLoss.background"},
    {"TSDR", "12345678", "dateTime.displayRange"},
    {"TSDO", "FN", "dateTime.display"},
    {"CTDSO", "FN", "titleDisplay.single"},
    {"CTDDO", "FN", "titleDisplay.split"},
    {"CTFSS", "SL", "fontSize.single"},
    {"CTFSD", "SL", "fontSize.split"},
    {"CASM", "SDM", "autoSwitch.mode"},
    {"CI", "AR", "other.connectorInput"},
    {"BL", "OWGB", "other.borderLine"},
    {"NAR", "4F", "other.ntscAspect"},
};

// The value a decoded single-character reply left in its field.
int FieldValue(SettingsModel m, const std::string& name) {
  const auto fields = SavedFields(m);
  const SavedField* f = FindSavedField(fields, name);
  return f != nullptr && f->integer != nullptr ? *f->integer : -9999;
}

TEST(ReplyDispatcher, SingleCharacterRepliesStoreTheIndexOfTheirCode) {
  for (const auto& r : kSingleCharacterReplies) {
    const std::string codes = r.codes;
    for (std::size_t value = 0; value < codes.size(); ++value) {
      const std::string line = std::string(r.keyword) + codes[value] + "\r\n";
      SCOPED_TRACE(line);
      SettingsModel m = MarkedModel();
      const SettingsModel before = m;
      ASSERT_TRUE(DecodeReply(m, line));
      EXPECT_EQ(ChangedFields(before, m), Names{r.field});
      EXPECT_EQ(FieldValue(m, r.field), static_cast<int>(value));
    }
  }
}

TEST(ReplyDispatcher, WorkedExamples) {
  struct Example {
    const char* line;
    const char* field;
    int value;
  };
  const Example examples[] = {
      {"VLBCB\r\n", "videoLoss.background", 1},
      {"TSDR3\r\n", "dateTime.displayRange", 2},
      {"AMI\r\n", "alarm.mode", 0},
      {"TSDR8\r\n", "dateTime.displayRange", 7},
      {"BLG\r\n", "other.borderLine", 2},
      {"BLW\r\n", "other.borderLine", 1},
      {"NAR4\r\n", "other.ntscAspect", 0},
      {"NARF\r\n", "other.ntscAspect", 1},
  };
  for (const auto& e : examples) {
    SCOPED_TRACE(e.line);
    SettingsModel m = MarkedModel();
    ASSERT_TRUE(DecodeReply(m, e.line));
    EXPECT_EQ(FieldValue(m, e.field), e.value);
  }
}

TEST(ReplyDispatcher, MalformedSingleCharacterRepliesChangeNothing) {
  for (const auto& r : kSingleCharacterReplies) {
    const std::string k = r.keyword;
    const char first = r.codes[0];
    const std::vector<std::string> lines = {
        k + "X\r\n",                                 // a code that is not listed
        k + static_cast<char>(first + 32) + "\r\n",  // lower case
        k + "\r\n",                                  // no code at all
        k + first + "\n",                            // LF without CR
        k + first + "\r",                            // cut short
        k + first,                                   //
        k + first + first + "\r\n",                  // one code too many
        k + first + " \r\n",                         //
        k + " " + first + "\r\n",                    //
    };
    for (const auto& line : lines) {
      SCOPED_TRACE(testing::PrintToString(line));
      SettingsModel m = MarkedModel();
      const SettingsModel before = m;
      EXPECT_FALSE(DecodeReply(m, line));
      EXPECT_EQ(ChangedFields(before, m), Names{});
    }
  }
  for (const char* line : {"AMX\r\n", "TSDR0\r\n", "TSDR9\r\n", "BLX\r\n", "NAR3\r\n", "CASMA\r\n",
                           "VLBCF\r\n", "CTFSSN\r\n", "AMI\rX"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(line)));
    SettingsModel m = MarkedModel();
    const SettingsModel before = m;
    EXPECT_FALSE(DecodeReply(m, line));
    EXPECT_EQ(ChangedFields(before, m), Names{});
  }
}

struct KeywordCase {
  const char* line;
  Names changed;  // empty: the line is malformed or unrecognised
};

// One valid reply for every keyword, and the lines whose keyword order
// decides between two candidates.
TEST(ReplyDispatcher, EveryKeywordReachesItsDecoder) {
  const KeywordCase cases[] = {
      {"ADT030\r\n", {"alarm.holdTimeText", "alarm.holdTime"}},
      {"VLNNNNNNNNNNNNNNNN\r\n", Indexed("videoLoss.detect", 16)},
      {"CJ052121212121212121212121212121212121212121\r\n", {"title.text[4]"}},
      {"CASTM99999999999999999999999999999999999999999999999999\r\n",
       Indexed("autoSwitch.dwellTime", 25)},
      {"VAB000000000000000000000000000000000000000000000000\r\n",
       Indexed("videoAdjust.brightness", 16)},
      {"VAC000000000000000000000000000000000000000000000000\r\n",
       Indexed("videoAdjust.contrast", 16)},
      {"VASH00000000000000000000000000000000\r\n", Indexed("videoAdjust.sharpness", 16)},
      {"VASA000000000000000000000000000000000000000000000000\r\n",
       Indexed("videoAdjust.saturation", 16)},
      {"VAH000000000000000000000000000000000000000000000000\r\n", Indexed("videoAdjust.hue", 16)},
      {"AGCFFFFFFFFFFFFFFFF\r\n", Indexed("agc.on", 16)},
      {"VF1111111111111111\r\n", Indexed("videoFormat.format", 16)},
      {"OOV08\r\n", {"titlePosition.vertical"}},
      {"OOH08\r\n", {"titlePosition.horizontal"}},
      {"SPD4A01020304\r\n", Indexed("splitLayout.quadA", 4)},
      {"SPD4B01020304\r\n", Indexed("splitLayout.quadB", 4)},
      {"SPD4C01020304\r\n", Indexed("splitLayout.quadC", 4)},
      {"SPD4D01020304\r\n", Indexed("splitLayout.quadD", 4)},
      {"SPD9A010203040506070809\r\n", Indexed("splitLayout.nineA", 9)},
      {"SPD9B010203040506070809\r\n", Indexed("splitLayout.nineB", 9)},
      {"SPD13A01020304050607080910111213\r\n", Indexed("splitLayout.thirteenA", 13)},
      {"SPD13B01020304050607080910111213\r\n", Indexed("splitLayout.thirteenB", 13)},
      {"SPD1601020304050607080910111213141516\r\n", Indexed("splitLayout.sixteen", 16)},
      {"POSS01\r\n", {"other.powerOnScreen"}},
      // The longer video-loss keywords come before "VL".
      {"VLDOF\r\n", {"videoLoss.display"}},
      {"VLSOOF\r\n", {"videoLoss.signalOutput"}},
      {"VLBCN\r\n", {"videoLoss.background"}},
      {"VLDONNNNNNNNNNNNNNN\r\n", {}},  // a bad "VLDO" reply is not tried as "VL"
      {"VLBCNNNNNNNNNNNNNNNN\r\n", {}},
      {"VLFFFFFFFFFFFFFFF\r\n", {}},  // 15 channels
      // "CASTM" before "CASM"; "VASH" and "VASA" before "VAH".
      {"CASMS\r\n", {"autoSwitch.mode"}},
      {"CASTMS\r\n", {}},
      {"VASHF\r\n", {}},
      // "ADT" before "ARO" and "ADO".
      {"ADOF\r\n", {"alarm.display"}},
      {"ADTF\r\n", {}},
      // "CJ" and "CI" are told apart by their second letter only.
      {"CIA\r\n", {"other.connectorInput"}},
      {"CJA\r\n", {}},
      // Lines that begin with no keyword.
      {"XYZ\r\n", {}},
      {"GO\r\n", {}},
      {"ami\r\n", {}},
      {" AMI\r\n", {}},
      {"A\r\n", {}},
      {"\r\n", {}},
      {"", {}},
      {"SPD5A01020304\r\n", {}},
      {"SPD1301020304050607080910111213\r\n", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.line)));
    SettingsModel m = MarkedModel();
    const SettingsModel before = m;
    EXPECT_EQ(DecodeReply(m, c.line), !c.changed.empty());
    EXPECT_EQ(ChangedFields(before, m), c.changed);
  }
}

struct OutcomeCase {
  const char* name;
  const char* line;
  int ackPending;
  int transferMode;
  int unitStatusBefore;
  int outcomeBefore;
  int unitStatus;
  int outcome;
};

TEST(ReplyDispatcher, AcceptedReplyAcknowledgesAndMalformedReplyReports) {
  const OutcomeCase cases[] = {
      {"single command", "AGCNNNNNNNNNNNNNNNN\r\n", 1, kTransferSingle, 0, 0, 0, 1},
      {"earlier step of a run", "AGCNNNNNNNNNNNNNNNN\r\n", 1, kTransferRunStep, 0, 0, 0, 0},
      {"earlier step keeps the outcome", "AGCNNNNNNNNNNNNNNNN\r\n", 1, kTransferRunStep, 0, 2, 0,
       2},
      {"last step of a run", "NARF\r\n", 1, kTransferRunLastStep, 0, 0, 0, 2},
      {"nothing awaited", "NARF\r\n", 0, kTransferSingle, 0, 0, 0, 0},
      {"nothing awaited in a run", "NARF\r\n", 0, kTransferRunLastStep, 0, 0, 0, 0},
      {"status pending", "NARF\r\n", 1, kTransferSingle, 12, 0, 12, 0},
      {"error shown in a run", "NARF\r\n", 1, kTransferRunLastStep, 10, 0, 10, 0},
      {"malformed, single", "AGCNNNNNNNNNNNNNNNX\r\n", 1, kTransferSingle, 0, 0, 8, 0},
      {"malformed, last step", "NAR?\r\n", 1, kTransferRunLastStep, 0, 0, 8, 0},
      {"malformed keeps an outcome", "NAR?\r\n", 1, kTransferRunStep, 0, 1, 8, 1},
      {"unrecognised", "XYZ\r\n", 1, kTransferSingle, 0, 0, 8, 0},
      {"unsolicited GO", "GO\r\n", 0, kTransferSingle, 0, 0, 8, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    s.model = MarkedModel();
    s.replyWait.ackPending = c.ackPending;
    s.replyWait.transferMode = c.transferMode;
    s.replyWait.unitStatus = c.unitStatusBefore;
    s.replyWait.outcome = c.outcomeBefore;
    s.replyWait.waitTicks = 3;
    const SettingsModel before = s.model;
    ReplyDispatcher(s, c.line);
    EXPECT_EQ(s.replyWait.unitStatus, c.unitStatus);
    EXPECT_EQ(s.replyWait.outcome, c.outcome);
    // The assembler, not the dispatcher, ends the wait.
    EXPECT_EQ(s.replyWait.ackPending, c.ackPending);
    EXPECT_EQ(s.replyWait.waitTicks, 3);
    EXPECT_EQ(ChangedFields(before, s.model).empty(), c.unitStatus == 8);
  }
}

}  // namespace
}  // namespace korvex7
