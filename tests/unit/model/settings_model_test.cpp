#include "core/model/settings_model.h"

#include <gtest/gtest.h>

#include "core/model/saved_fields.h"

namespace korvex7 {
namespace {

TEST(SettingsModel, DefaultTitlesAreFullWidthChannelNames) {
  // "　　　ＣＨ０１　　　" and "　　　ＣＨ１６　　　" in code page 932.
  const std::string ch1 =
      "\x81\x40\x81\x40\x81\x40\x82\x62\x82\x67\x82\x4f\x82\x50\x81\x40\x81\x40\x81\x40";
  const std::string ch16 =
      "\x81\x40\x81\x40\x81\x40\x82\x62\x82\x67\x82\x50\x82\x55\x81\x40\x81\x40\x81\x40";
  const SettingsModel m;
  EXPECT_EQ(TextView(m.title.text[0]), ch1);
  EXPECT_EQ(TextView(m.title.text[15]), ch16);
  for (const auto& t : m.title.text) EXPECT_EQ(TextLength(t), 20u);
}

TEST(SettingsModel, NewDiffersFromStartUpOnlyInBorderLine) {
  SettingsModel startUp;
  SettingsModel edited;
  // Change every saved field, then reset.
  for (auto& f : SavedFields(edited)) {
    if (f.kind == FieldKind::kInt) {
      *f.integer += 7;
    } else {
      f.text[0] = 'X';
    }
  }
  edited.alarm.holdTime = 99;
  ResetSettings(edited);
  EXPECT_EQ(edited.other.borderLine, 0);
  EXPECT_EQ(TextView(edited.alarm.holdTimeText), "030");
  EXPECT_EQ(edited.alarm.holdTime, 30);
  edited.other.borderLine = 3;
  EXPECT_TRUE(SavedFieldsEqual(edited, startUp));
}

TEST(SettingsModel, NewKeepsDocumentLinkAndUserInterfaceState) {
  SettingsModel m;
  m.document.fileName = "C:\\data\\a.dat";
  m.document.modified = 1;
  m.link = {3, kLinkRs485, 17};
  m.selectedChannel = 5;
  m.selectedLayout = 7;
  m.selectedSwitchEntry = 4;
  m.screenSwitch.picture = 20;
  m.titleDisplay.perLayout = {0, 0, 0};
  m.fontSize.perLayout = {0, 1, 1};
  ResetSettings(m);
  EXPECT_EQ(m.document.fileName, "C:\\data\\a.dat");
  EXPECT_EQ(m.document.modified, 1);
  EXPECT_EQ(m.link.comPort, 3);
  EXPECT_EQ(m.link.mode, kLinkRs485);
  EXPECT_EQ(m.link.slaveAddress, 17);
  EXPECT_EQ(m.selectedChannel, 5);
  EXPECT_EQ(m.selectedLayout, 7);
  EXPECT_EQ(m.selectedSwitchEntry, 4);
  EXPECT_EQ(m.screenSwitch.picture, 20);
  EXPECT_EQ(m.titleDisplay.perLayout, (std::array<std::int32_t, 3>{0, 0, 0}));
  EXPECT_EQ(m.fontSize.perLayout, (std::array<std::int32_t, 3>{0, 1, 1}));
}

TEST(SavedFields, TableHasTheFileOrderAndUniqueNames) {
  SettingsModel m;
  const auto fields = SavedFields(m);
  ASSERT_EQ(fields.size(), kSavedFieldCount);
  struct Row {
    std::size_t line;  // 1-based line of the file
    const char* name;
  };
  const Row rows[] = {
      {1, "alarm.mode"},
      {3, "alarm.holdTimeText"},
      {6, "videoLoss.detect[0]"},
      {21, "videoLoss.detect[15]"},
      {26, "dateTime.displayRange"},
      {27, "title.text[0]"},
      {42, "title.text[15]"},
      {47, "autoSwitch.dwellTime[0]"},
      {72, "autoSwitch.mode"},
      {73, "videoAdjust.brightness[0]"},
      {153, "videoAdjust.saturationV[0]"},
      {185, "videoFormat.format[0]"},
      {201, "titlePosition.vertical"},
      {203, "splitLayout.quadA[0]"},
      {237, "splitLayout.thirteenA[0]"},
      {263, "splitLayout.sixteen[0]"},
      {279, "other.connectorInput"},
      {282, "other.ntscAspect"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(fields[r.line - 1].name, r.name);
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    for (std::size_t j = i + 1; j < fields.size(); ++j) ASSERT_NE(fields[i].name, fields[j].name);
  }
  EXPECT_EQ(FindSavedField(fields, "other.borderLine")->integer, &m.other.borderLine);
  EXPECT_EQ(FindSavedField(fields, "nope"), nullptr);
}

// Equality follows the saved-field table: every saved value counts, and
// nothing else does.
TEST(SettingsModel, EqualityLooksAtEverySavedValueAndNothingElse) {
  const SettingsModel base;
  SettingsModel probe;
  const std::vector<SavedField> fields = SavedFields(probe);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    SCOPED_TRACE(fields[i].name);
    SettingsModel changed;
    const std::vector<SavedField> changedFields = SavedFields(changed);
    const SavedField& f = changedFields[i];
    if (f.kind == FieldKind::kInt) {
      *f.integer += 1;
    } else {
      f.text[f.textSize - 1] = 'X';  // even a byte behind the text's end
    }
    EXPECT_FALSE(SavedFieldsEqual(base, changed));
    EXPECT_FALSE(SavedFieldsEqual(changed, base));
  }
  SettingsModel unsaved;
  unsaved.alarm.holdTime = 5;
  unsaved.titleDisplay.perLayout = {0, 0, 0};
  unsaved.fontSize.perLayout = {0, 0, 0};
  unsaved.screenSwitch.picture = 7;
  unsaved.link = {2, kLinkRs485, 9};
  unsaved.selectedChannel = 3;
  unsaved.selectedLayout = 4;
  unsaved.selectedSwitchEntry = 5;
  unsaved.document = {"a.dat", 1};
  EXPECT_TRUE(SavedFieldsEqual(base, unsaved));
}

// Each row of the table counts the values its member holds, and the rows
// together are the 282 values of the settings file.
TEST(SavedFields, RowsCountTheirValues) {
  SettingsModel m;
  std::size_t total = 0;
  for (const SavedSetting& s : SavedSettings()) {
    SCOPED_TRACE(s.name);
    const SettingValues v = s.in(m);
    EXPECT_EQ(s.count, v.Count());
    EXPECT_EQ(v.array, s.count > 1) << "an array of one would be named with an index";
    EXPECT_EQ(v.text != nullptr, s.kind() != FieldKind::kInt);
    total += s.count;
  }
  EXPECT_EQ(total, 282u);
  EXPECT_EQ(kSavedFieldCount, 282u);
}

TEST(SavedFields, EachSettingIsFoundByItsNameOrAnEntrysName) {
  struct Row {
    const char* field;
    const char* setting;  // nullptr: none
  };
  const Row rows[] = {
      {"alarm.mode", "alarm.mode"},
      {"videoAdjust.brightness[3]", "videoAdjust.brightness"},
      {"videoAdjust.brightness", "videoAdjust.brightness"},
      {"title.text[15]", "title.text"},
      {"alarm.holdTime", nullptr},  // kept, but not saved
      {"alarm", nullptr},
      {"", nullptr},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.field);
    const SavedSetting* s = FindSavedSetting(r.field);
    if (r.setting == nullptr) {
      EXPECT_EQ(s, nullptr);
    } else {
      ASSERT_NE(s, nullptr);
      EXPECT_EQ(s->name, r.setting);
    }
  }
}

}  // namespace
}  // namespace korvex7
