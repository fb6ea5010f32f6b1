#include "tools/ctl/field_args.h"

#include <gtest/gtest.h>

namespace korvex7::ctl {
namespace {

class FieldArgs : public ::testing::Test {
 protected:
  SettingsModel model;
  std::vector<SavedField> fields = SavedFields(model);
};

struct SelectRow {
  const char* pattern;
  std::size_t count;
  const char* first;  // name of the first field selected
};

TEST_F(FieldArgs, SelectsFieldsArraysGroupsAndAll) {
  const SelectRow rows[] = {
      {"alarm.mode", 1, "alarm.mode"},
      {"videoAdjust.brightness[3]", 1, "videoAdjust.brightness[3]"},
      {"videoAdjust.brightness[03]", 1, "videoAdjust.brightness[3]"},
      {"videoAdjust.brightness", 16, "videoAdjust.brightness[0]"},
      {"autoSwitch.dwellTime", 25, "autoSwitch.dwellTime[0]"},
      {"splitLayout.thirteenB", 13, "splitLayout.thirteenB[0]"},
      {"alarm", 5, "alarm.mode"},
      {"title", 16, "title.text[0]"},  // not titleDisplay
      {"titleDisplay", 2, "titleDisplay.single"},
      {"videoAdjust", 96, "videoAdjust.brightness[0]"},
      {"all", kSavedFieldCount, "alarm.mode"},
  };
  for (const SelectRow& row : rows) {
    SCOPED_TRACE(row.pattern);
    const FieldSelection s = SelectFields(fields, row.pattern);
    ASSERT_TRUE(s.ok()) << s.error;
    ASSERT_EQ(s.indexes.size(), row.count);
    EXPECT_EQ(fields[s.indexes.front()].name, row.first);
  }
}

TEST_F(FieldArgs, UnknownNamesSelectNothing) {
  const char* rows[] = {"",
                        "nosuch",
                        "alarm.nosuch",
                        "alarm.mod",
                        "videoAdjust.bright",
                        "videoAdjust.brightness[16]",
                        "videoAdjust.brightness[-1]",
                        "videoAdjust.brightness[x]",
                        "alarm.mode[0]",
                        "Alarm.mode"};
  for (const char* pattern : rows) {
    SCOPED_TRACE(pattern);
    const FieldSelection s = SelectFields(fields, pattern);
    EXPECT_FALSE(s.ok());
    EXPECT_TRUE(s.indexes.empty());
  }
  EXPECT_NE(SelectFields(fields, "videoAdjust.brightness[16]").error.find("[0] to [15]"),
            std::string::npos);
}

TEST_F(FieldArgs, ValidAssignments) {
  struct Row {
    const char* argument;
    std::size_t fieldCount;
  };
  const Row rows[] = {
      {"alarm.mode=external", 1},
      {"videoAdjust.brightness[3]=-1", 1},
      {"agc.on=off", 16},
      {"title.text[1]=入口", 1},
      {"title.text[2]=", 1},  // an empty title: ten full-width blanks on the unit
      {"splitLayout.quadA[0]=5", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.argument);
    const Assignment a = ParseAssignment(fields, row.argument);
    ASSERT_EQ(a.error, ArgumentError::kNone) << a.message;
    EXPECT_EQ(a.indexes.size(), row.fieldCount);
  }
}

struct MalformedRow {
  const char* argument;
  ArgumentError error;
};

// Every row must be refused before anything could be sent.
const MalformedRow kMalformedAssignments[] = {
    {"alarm.mode", ArgumentError::kMalformed},                    // no "="
    {"=external", ArgumentError::kMalformed},                     // no field
    {"alarm.mode=", ArgumentError::kMalformed},                   // no value
    {"alarm.mode==external", ArgumentError::kMalformed},          // value "=external"
    {"alarm.mode=external,internal", ArgumentError::kMalformed},  // one value only
    {"alarm=internal", ArgumentError::kMalformed},                // a group
    {"all=on", ArgumentError::kMalformed},
    {"nosuch.field=1", ArgumentError::kMalformed},
    {"videoAdjust.brightness[16]=0", ArgumentError::kMalformed},
    {"videoAdjust.brightness[x]=0", ArgumentError::kMalformed},
    {"videoAdjust.brightness[3=0", ArgumentError::kMalformed},
    {"agc.on[2]=maybe", ArgumentError::kMalformed},
    {"videoAdjust.brightness[3]=minus one", ArgumentError::kMalformed},
    {" alarm.mode=external", ArgumentError::kMalformed},
    {"videoAdjust.brightness[3]=64", ArgumentError::kRefused},
    {"videoAdjust.hue=-200", ArgumentError::kRefused},
    {"autoSwitch.dwellTime[24]=100", ArgumentError::kRefused},
    {"alarm.holdTimeText=0", ArgumentError::kRefused},
    {"title.text[0]=ABC", ArgumentError::kRefused},
    {"title.text[0]=一二三四五六七八九十百", ArgumentError::kRefused},
    {"splitLayout.sixteen[0]=17", ArgumentError::kRefused},
};

TEST_F(FieldArgs, MalformedAndRefusedAssignments) {
  for (const MalformedRow& row : kMalformedAssignments) {
    SCOPED_TRACE(row.argument);
    const Assignment a = ParseAssignment(fields, row.argument);
    EXPECT_EQ(a.error, row.error);
    EXPECT_FALSE(a.message.empty());
  }
}

TEST_F(FieldArgs, ApplyStoresEveryFieldOfAnAssignment) {
  std::vector<Assignment> assignments = {ParseAssignment(fields, "agc.on=off"),
                                         ParseAssignment(fields, "agc.on[5]=on"),
                                         ParseAssignment(fields, "alarm.holdTimeText=7"),
                                         ParseAssignment(fields, "title.text[3]=入口")};
  ApplyAssignments(fields, assignments);
  for (int ch = 0; ch < kChannels; ++ch) EXPECT_EQ(model.agc.on[ch], ch == 5 ? 1 : 0) << ch;
  EXPECT_EQ(TextView(model.alarm.holdTimeText), "7");
  EXPECT_EQ(TextView(model.title.text[3]), "\x93\xfc\x8c\xfb");
  EXPECT_EQ(model.title.text[3][4], '\0');
}

}  // namespace
}  // namespace korvex7::ctl
