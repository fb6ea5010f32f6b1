#include "core/transfer/send_all_steps.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/model/saved_fields.h"

#include "tests/unit/commands/command_test_support.h"

namespace korvex7 {
namespace {

using testing_support::kDefaultTitleCommands;
using testing_support::RecordingSession;

// The 55 commands of a send-all run at the start-up defaults, in order.
constexpr const char* kDefaultFrames[] = {
    "AMI\r\n",
    "ADT030\r\n",
    "APM\r\n",
    "ADON\r\n",
    "ARON\r\n",
    "VLNNNNNNNNNNNNNNNN\r\n",
    "VLDON\r\n",
    "VLSOOF\r\n",
    "VLBCN\r\n",
    "TSDR1\r\n",
    "TSDON\r\n",
    kDefaultTitleCommands[0],
    kDefaultTitleCommands[1],
    kDefaultTitleCommands[2],
    kDefaultTitleCommands[3],
    kDefaultTitleCommands[4],
    kDefaultTitleCommands[5],
    kDefaultTitleCommands[6],
    kDefaultTitleCommands[7],
    kDefaultTitleCommands[8],
    kDefaultTitleCommands[9],
    kDefaultTitleCommands[10],
    kDefaultTitleCommands[11],
    kDefaultTitleCommands[12],
    kDefaultTitleCommands[13],
    kDefaultTitleCommands[14],
    kDefaultTitleCommands[15],
    "CTDSON\r\n",
    "CTDDON\r\n",
    "CTFSSL\r\n",
    "CTFSDL\r\n",
    "CASTM03030303030303030303030303030303030303030303030303\r\n",
    "CASMM\r\n",
    "VAB000000000000000000000000000000000000000000000000\r\n",
    "VAC064064064064064064064064064064064064064064064064\r\n",
    "VASH00000000000000000000000000000000\r\n",
    "VASA080080080080080080080080080080080080080080080080\r\n",
    "VAH000000000000000000000000000000000000000000000000\r\n",
    "AGCNNNNNNNNNNNNNNNN\r\n",
    "VF3333333333333333\r\n",
    "OOV08\r\n",
    "OOH08\r\n",
    "SPD4A01020304\r\n",
    "SPD4B05060708\r\n",
    "SPD4C09101112\r\n",
    "SPD4D13141516\r\n",
    "SPD9A010203040506070809\r\n",
    "SPD9B080910111213141516\r\n",
    "SPD13A01020304050607080910111213\r\n",
    "SPD13B01020304050607080910141516\r\n",
    "SPD1601020304050607080910111213141516\r\n",
    "CIA\r\n",
    "BLB\r\n",
    "POSD16\r\n",
    "NAR4\r\n",
};

// The unit acknowledges the step ("GO"): the wait is over.
void Acknowledge(ReplyWait& w) {
  w.ackPending = 0;
  w.waitTicks = 0;
}

TEST(SendAllSteps, PureFormAtTheDefaults) {
  ASSERT_EQ(kSendAllStepCount, 55);
  ASSERT_EQ(std::size(kDefaultFrames), 55u);
  const SettingsModel m;
  for (int i = 0; i < kSendAllStepCount; ++i) {
    SCOPED_TRACE(testing::Message() << "step " << i + 1 << " " << SendAllStepName(i));
    const Encoded e = EncodeSendAllStep(m, i);
    EXPECT_TRUE(e.ok());
    EXPECT_EQ(e.text, kDefaultFrames[i]);
  }
}

struct LinkCase {
  const char* what;
  int mode;
  int address;
  const char* prefix;
};

TEST(SendAllSteps, FullRunOfTheDefaults) {
  const LinkCase cases[] = {
      {"RS-232C", kLinkRs232c, 0, ""},
      {"RS-232C ignores the address", kLinkRs232c, 7, ""},
      {"RS-485 address 7", kLinkRs485, 7, "07"},
      {"RS-485 address 31", kLinkRs485, 31, "31"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingSession r;
    r.session.model.link.mode = c.mode;
    r.session.model.link.slaveAddress = c.address;
    for (int i = 0; i < kSendAllStepCount; ++i) {
      SCOPED_TRACE(testing::Message() << "step " << i + 1);
      ASSERT_EQ(RunSendAllStep(r.session, i), StepResult::kSent);
      EXPECT_EQ(r.session.replyWait.ackPending, 1);
      EXPECT_EQ(r.session.replyWait.unitStatus, kStatusNone);
      Acknowledge(r.session.replyWait);
    }
    ASSERT_EQ(r.port.frames.size(), static_cast<std::size_t>(kSendAllStepCount));
    for (int i = 0; i < kSendAllStepCount; ++i) {
      SCOPED_TRACE(testing::Message() << "frame " << i + 1);
      EXPECT_EQ(r.port.frames[i], std::string(c.prefix) + kDefaultFrames[i]);
    }
  }
}

TEST(SendAllSteps, BroadcastRunCompletesOnTheLastStep) {
  RecordingSession r;
  r.session.model.link.mode = kLinkRs485;
  r.session.model.link.slaveAddress = kBroadcastAddress;
  r.session.replyWait.transferMode = kTransferRunStep;
  for (int i = 0; i < kSendAllStepCount; ++i) {
    SCOPED_TRACE(testing::Message() << "step " << i + 1);
    if (i == kSendAllStepCount - 1) r.session.replyWait.transferMode = kTransferRunLastStep;
    ASSERT_EQ(RunSendAllStep(r.session, i), StepResult::kSent);
    EXPECT_EQ(r.session.replyWait.waitTicks, 0);  // no unit answers: the next tick goes on
    EXPECT_EQ(r.port.frames.back(), std::string("FF") + kDefaultFrames[i]);
  }
  EXPECT_EQ(r.session.replyWait.outcome, kOutcomeRunComplete);
}

TEST(SendAllSteps, Names) {
  struct NameCase {
    int index;
    const char* name;
  };
  const NameCase cases[] = {
      {0, "SendAlarmMode"},
      {1, "SendAlarmHoldTime"},
      {5, "SendVideoLossChannels"},
      {10, "SendDateTimeDisplay"},
      {11, "SendTitle"},
      {26, "SendTitle"},
      {27, "SendTitleDisplaySingle"},
      {31, "SendAutoSwitchAll"},
      {32, "SendAutoSwitchMode"},
      {33, "SendBrightnessAll"},
      {37, "SendHueAll"},
      {38, "SendAgc"},
      {39, "SendVideoFormatAll"},
      {42, "SendSplitQuad"},
      {46, "SendSplitNine"},
      {49, "SendSplitThirteen"},
      {50, "SendSplitSixteen"},
      {51, "SendConnectorInput"},
      {54, "SendNtscAspect"},
      {-1, ""},
      {55, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(SendAllStepName(c.index), c.name);
  }
  for (int i = 0; i < kSendAllStepCount; ++i) EXPECT_FALSE(SendAllStepName(i).empty()) << i;
}

struct RefusalCase {
  const char* what;
  void (*setup)(SettingsModel&);
  int index;
  StepResult result;
  int status;
};

TEST(SendAllSteps, RefusedStepsSendNothing) {
  const RefusalCase cases[] = {
      {"19-byte title of channel 5",
       [](SettingsModel& m) { SetText(m.title.text[4], std::string(19, '\x82')); }, 15,
       StepResult::kTitleRefused, kStatusCommandError},
      {"half-width pair in the title of channel 16",
       [](SettingsModel& m) { SetText(m.title.text[15], "AB"); }, 26, StepResult::kTitleRefused,
       kStatusCommandError},
      {"user-defined character in the title of channel 1",
       [](SettingsModel& m) { SetText(m.title.text[0], "\xf0\x40"); }, 11,
       StepResult::kTitleRefused, kStatusCommandError},
      {"hold time 0", [](SettingsModel& m) { SetText(m.alarm.holdTimeText, "0"); }, 1,
       StepResult::kRefused, kStatusCommandError},
      {"video loss channel 16 holds 2", [](SettingsModel& m) { m.videoLoss.detect[15] = 2; }, 5,
       StepResult::kRefused, kStatusCommandError},
      {"auto switch mode 3", [](SettingsModel& m) { m.autoSwitch.mode = 3; }, 31,
       StepResult::kRefused, kStatusCommandError},
      {"format 7 on channel 4", [](SettingsModel& m) { m.videoFormat.format[3] = 7; }, 39,
       StepResult::kRefused, kStatusCommandError},
      {"4-way C shows channel 9 twice", [](SettingsModel& m) { m.splitLayout.quadC[3] = 8; }, 44,
       StepResult::kRefused, kStatusDuplicateChannel},
      {"16-way first and last equal", [](SettingsModel& m) { m.splitLayout.sixteen[15] = 0; }, 50,
       StepResult::kRefused, kStatusDuplicateChannel},
      {"power-on screen 26", [](SettingsModel& m) { m.other.powerOnScreen = 26; }, 53,
       StepResult::kRefused, kStatusCommandError},
      {"index -1", nullptr, -1, StepResult::kRefused, kStatusCommandError},
      {"index 55", nullptr, 55, StepResult::kRefused, kStatusCommandError},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingSession r;
    if (c.setup != nullptr) c.setup(r.session.model);
    EXPECT_EQ(RunSendAllStep(r.session, c.index), c.result);
    EXPECT_TRUE(r.port.frames.empty());
    EXPECT_EQ(r.session.replyWait.unitStatus, c.status);
    EXPECT_EQ(r.session.replyWait.ackPending, 0);
    const Encoded e = EncodeSendAllStep(r.session.model, c.index);
    EXPECT_FALSE(e.ok());
    EXPECT_EQ(e.refusal, c.status);
  }
}

TEST(SendAllSteps, RunStopsAtABadTitleAfterTheStepsBeforeIt) {
  RecordingSession r;
  SetText(r.session.model.title.text[3], std::string(19, '\x82'));
  int index = 0;
  StepResult result = StepResult::kSent;
  for (; index < kSendAllStepCount; ++index) {
    result = RunSendAllStep(r.session, index);
    if (result != StepResult::kSent) break;
    Acknowledge(r.session.replyWait);
  }
  EXPECT_EQ(result, StepResult::kTitleRefused);
  EXPECT_EQ(index, 14);  // step 15: the title of channel 4
  ASSERT_EQ(r.port.frames.size(), 14u);
  EXPECT_EQ(r.port.frames.back(), kDefaultFrames[13]);
}

TEST(SendAllSteps, SendingFormMatchesThePureFormOnAChangedModel) {
  // Every step's sender and pure encoder must read the same fields.
  SettingsModel m;
  ResetSettings(m);
  m.alarm.mode = 1;
  SetText(m.alarm.holdTimeText, "7");
  m.alarm.inputPolarity = 1;
  m.alarm.display = 0;
  m.alarm.returnOn = 0;
  m.videoLoss.detect[2] = 0;
  m.videoLoss.display = 0;
  m.videoLoss.signalOutput = 1;
  m.videoLoss.background = 1;
  m.dateTime.displayRange = 5;
  m.dateTime.display = 0;
  for (int ch = 0; ch < kChannels; ++ch) {
    const char title[] = {'\x82', static_cast<char>(0x60 + ch), '\0'};  // "Ａ", "Ｂ", ...
    SetText(m.title.text[ch], title);
  }
  m.titleDisplay.single = 0;
  m.titleDisplay.split = 0;
  m.fontSize.single = 0;
  m.fontSize.split = 0;
  m.autoSwitch.mode = 1;
  m.autoSwitch.dwellTime[20] = 42;
  for (int ch = 0; ch < kChannels; ++ch) {
    m.videoAdjust.brightness[ch] = ch * 8;
    m.videoAdjust.contrast[ch] = 127 - ch;
    m.videoAdjust.sharpness[ch] = ch * 2;
    m.videoAdjust.saturation[ch] = ch;
    m.videoAdjust.hue[ch] = ch * 15;
    m.agc.on[ch] = ch % 2;
    m.videoFormat.format[ch] = ch % 7;
  }
  m.titlePosition.vertical = 3;
  m.titlePosition.horizontal = 12;
  m.splitLayout.quadA = {3, 2, 1, 0};
  m.splitLayout.quadB = {-1, 5, 6, 7};
  m.splitLayout.quadC = {15, 9, 10, 11};
  m.splitLayout.quadD = {12, 13, 14, 8};
  m.splitLayout.nineA = {8, 7, 6, 5, 4, 3, 2, 1, 0};
  m.splitLayout.nineB = {15, 14, 13, 12, 11, 10, 9, 8, 7};
  m.splitLayout.thirteenA[0] = 15;
  m.splitLayout.thirteenB[12] = 10;
  m.splitLayout.sixteen = {15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
  m.other.connectorInput = 1;
  m.other.borderLine = 2;
  m.other.powerOnScreen = 22;
  m.other.ntscAspect = 1;

  RecordingSession r;
  r.session.model = m;
  for (int i = 0; i < kSendAllStepCount; ++i) {
    SCOPED_TRACE(testing::Message() << "step " << i + 1 << " " << SendAllStepName(i));
    const Encoded e = EncodeSendAllStep(m, i);
    ASSERT_TRUE(e.ok()) << e.refusal;
    ASSERT_EQ(RunSendAllStep(r.session, i), StepResult::kSent);
    ASSERT_EQ(r.port.frames.size(), static_cast<std::size_t>(i + 1));
    EXPECT_EQ(r.port.frames.back(), e.text);
    EXPECT_NE(e.text, kDefaultFrames[i]);  // each step reads the field it was given
    Acknowledge(r.session.replyWait);
  }
  EXPECT_EQ(r.session.model.alarm.holdTime, 7);  // refreshed by the hold-time step
}

// The step that carries each saved field, as the command-line tool and the
// read-all queries find it.
TEST(SendAllSteps, StepOfEachField) {
  struct Row {
    const char* field;
    int step;
  };
  const Row rows[] = {
      {"alarm.mode", 0},
      {"alarm.holdTimeText", 1},
      {"alarm.returnOn", 4},
      {"title.text[0]", 11},
      {"title.text[15]", 26},
      {"title.text", -1},      // a title needs its channel
      {"title.text[16]", -1},  // there is no 17th title
      {"title.text[x]", -1},
      {"autoSwitch.dwellTime[24]", 31},
      {"videoAdjust.hue", 37},  // after sharpness and saturation
      {"videoAdjust.hue[2]", 37},
      {"videoAdjust.saturationV[0]", -1},  // kept in files only
      {"splitLayout.sixteen[15]", 50},
      {"other.ntscAspect", 54},
      {"other", -1},
      {"no.such", -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.field);
    EXPECT_EQ(StepOfField(r.field), r.step);
  }
}

// Every step carries a setting of the saved-field table, every saved field
// but the one kept in files only has a step, and the step the field names is
// the one that names the field.
TEST(SendAllSteps, StepsAndSavedFieldsNameEachOther) {
  std::set<int> stepsOfFields;
  SettingsModel m;
  for (const SavedField& f : SavedFields(m)) {
    SCOPED_TRACE(f.name);
    const int step = StepOfField(f.name);
    if (f.name.rfind("videoAdjust.saturationV[", 0) == 0) {
      EXPECT_EQ(step, -1);
      continue;
    }
    ASSERT_GE(step, 0);
    stepsOfFields.insert(step);
    const StepSetting carried = SendAllStepSetting(step);
    EXPECT_EQ(FindSavedSetting(f.name), FindSavedSetting(carried.setting));
  }
  EXPECT_EQ(stepsOfFields.size(), static_cast<std::size_t>(kSendAllStepCount));
  for (int step = 0; step < kSendAllStepCount; ++step) {
    SCOPED_TRACE(step);
    const StepSetting carried = SendAllStepSetting(step);
    EXPECT_NE(FindSavedSetting(carried.setting), nullptr) << carried.setting;
    EXPECT_EQ(carried.everyEntry, carried.setting != "autoSwitch.dwellTime");
    const std::string_view query = StepQuery(step);
    ASSERT_GE(query.size(), 4u);
    EXPECT_EQ(query.front(), 'R');
    EXPECT_EQ(query.substr(query.size() - 2), "\r\n");
  }
  EXPECT_EQ(SendAllStepSetting(kSendAllStepCount).setting, "");
  EXPECT_EQ(StepQuery(-1), "");
}

}  // namespace
}  // namespace korvex7
