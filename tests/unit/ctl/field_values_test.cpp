#include "tools/ctl/field_values.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/transfer/read_all.h"
#include "core/transfer/send_all_steps.h"

namespace korvex7::ctl {
namespace {

const FieldFamily& Family(std::string_view name) {
  const FieldFamily* f = FindFamily(name);
  EXPECT_NE(f, nullptr) << name;
  static const FieldFamily none{};
  return f != nullptr ? *f : none;
}

// ---------------------------------------------------------------------------
// Accepted values: the readable form and the stored integer it gives.

struct IntRow {
  const char* field;
  const char* text;
  std::int32_t stored;
};

const IntRow kValidIntegers[] = {
    // Named choices, any letter case, and the dialogs' own list items.
    {"alarm.mode", "internal", 0},
    {"alarm.mode", "external", 1},
    {"alarm.mode", "EXTERNAL", 1},
    {"alarm.mode", "外部", 1},
    {"alarm.inputPolarity", "break", 1},
    {"alarm.inputPolarity", "メイク", 0},
    {"alarm.returnOn", "off", 0},
    {"alarm.display", "On", 1},
    {"videoLoss.background", "blue", 1},
    {"dateTime.displayRange", "ymdhms", 0},
    {"dateTime.displayRange", "hm", 7},
    {"dateTime.displayRange", "年月日", 2},
    {"dateTime.displayRange", "　月日時分秒", 3},
    {"fontSize.split", "small", 0},
    {"autoSwitch.mode", "division", 1},
    {"videoFormat.format", "ahd1080", 0},
    {"videoFormat.format", "AHD 1080", 0},
    {"videoFormat.format", "TVI  720", 3},
    {"videoFormat.format", "ntsc", 6},
    {"other.connectorInput", "リモート", 1},
    {"other.borderLine", "grey", 2},
    {"other.borderLine", "gray", 2},
    {"other.borderLine", "黒", 3},
    {"other.ntscAspect", "4:3", 0},
    {"other.ntscAspect", "FULL", 1},
    {"other.powerOnScreen", "ch.01", 0},
    {"other.powerOnScreen", "ch16", 15},
    {"other.powerOnScreen", "ch7", 6},
    {"other.powerOnScreen", "split4A", 16},
    {"other.powerOnScreen", "13B", 23},
    {"other.powerOnScreen", "16分割", 24},
    {"other.powerOnScreen", "auto", 25},
    // Signed adjustments: the number shown, stored with its offset.
    {"videoAdjust.brightness", "-1", 63},
    {"videoAdjust.brightness", "-64", 0},
    {"videoAdjust.brightness", "0", 64},
    {"videoAdjust.brightness", "63", 127},
    {"videoAdjust.brightness", "+5", 69},
    {"videoAdjust.hue", "-124", 0},
    {"videoAdjust.hue", "0", 124},
    {"videoAdjust.hue", "127", 251},
    {"videoAdjust.contrast", "127", 127},
    {"videoAdjust.sharpness", "31", 31},
    {"videoAdjust.saturation", "0", 0},
    {"videoAdjust.saturationV", "-7", -7},
    {"videoAdjust.saturationV", "2147483647", 2147483647},
    {"autoSwitch.dwellTime", "0", 0},
    {"autoSwitch.dwellTime", "99", 99},
    {"titlePosition.vertical", "15", 15},
    // Channels: 1..16 shown, 0..15 stored.
    {"splitLayout.quadA", "1", 0},
    {"splitLayout.sixteen", "16", 15},
    {"splitLayout.nineB", "none", -1},
};

TEST(FieldValues, ValidIntegerValues) {
  for (const IntRow& row : kValidIntegers) {
    SCOPED_TRACE(std::string(row.field) + "=" + row.text);
    const ParsedValue v = ParseValue(Family(row.field), row.text);
    ASSERT_EQ(v.error, ValueError::kNone);
    EXPECT_EQ(v.integer, row.stored);
  }
}

struct TextRow {
  const char* field;
  const char* text;
  std::string stored;
};

const TextRow kValidTexts[] = {
    {"alarm.holdTimeText", "5", "5"},
    {"alarm.holdTimeText", "030", "030"},
    {"alarm.holdTimeText", "999", "999"},
    {"title.text", "入口", "\x93\xfc\x8c\xfb"},
    {"title.text", "", ""},
    {"title.text", "ＣＨ０１", "\x82\x62\x82\x67\x82\x4f\x82\x50"},
    {"title.text", "①", "\x87\x40"},  // NEC special characters are sent
    {"title.text", "　　　ＣＨ０１　　　",
     "\x81\x40\x81\x40\x81\x40\x82\x62\x82\x67\x82\x4f\x82\x50\x81\x40\x81\x40\x81\x40"},
};

TEST(FieldValues, ValidTextValues) {
  for (const TextRow& row : kValidTexts) {
    SCOPED_TRACE(std::string(row.field) + "=" + row.text);
    const ParsedValue v = ParseValue(Family(row.field), row.text);
    ASSERT_EQ(v.error, ValueError::kNone);
    EXPECT_EQ(v.text, row.stored);
  }
}

// ---------------------------------------------------------------------------
// Refused values: every row must fail, with the right kind of complaint.

struct BadRow {
  const char* field;
  const char* text;
  ValueError error;
};

const BadRow kBadValues[] = {
    {"alarm.mode", "", ValueError::kMalformed},
    {"alarm.mode", "ext", ValueError::kMalformed},
    {"alarm.mode", "1", ValueError::kMalformed},  // choices are named, not numbered
    {"alarm.returnOn", "yes", ValueError::kMalformed},
    {"videoFormat.format", "ahd", ValueError::kMalformed},
    {"other.powerOnScreen", "ch17", ValueError::kMalformed},
    {"other.powerOnScreen", "split12A", ValueError::kMalformed},
    {"dateTime.displayRange", "ymdh", ValueError::kMalformed},
    {"videoAdjust.brightness", "", ValueError::kMalformed},
    {"videoAdjust.brightness", "abc", ValueError::kMalformed},
    {"videoAdjust.brightness", "1.5", ValueError::kMalformed},
    {"videoAdjust.brightness", " 1", ValueError::kMalformed},
    {"videoAdjust.brightness", "0x10", ValueError::kMalformed},
    {"videoAdjust.brightness", "--1", ValueError::kMalformed},
    {"videoAdjust.brightness", "++1", ValueError::kMalformed},
    {"videoAdjust.brightness", "-", ValueError::kMalformed},
    {"videoAdjust.brightness", "64", ValueError::kOutOfRange},
    {"videoAdjust.brightness", "-65", ValueError::kOutOfRange},
    {"videoAdjust.brightness", "99999999999999999999", ValueError::kOutOfRange},
    {"videoAdjust.hue", "128", ValueError::kOutOfRange},
    {"videoAdjust.hue", "-125", ValueError::kOutOfRange},
    {"videoAdjust.contrast", "-1", ValueError::kOutOfRange},
    {"videoAdjust.sharpness", "32", ValueError::kOutOfRange},
    {"videoAdjust.saturation", "128", ValueError::kOutOfRange},
    {"videoAdjust.saturationV", "2147483648", ValueError::kOutOfRange},
    {"autoSwitch.dwellTime", "100", ValueError::kOutOfRange},
    {"titlePosition.horizontal", "16", ValueError::kOutOfRange},
    {"splitLayout.quadA", "0", ValueError::kOutOfRange},
    {"splitLayout.quadA", "17", ValueError::kOutOfRange},
    {"splitLayout.quadA", "ch1", ValueError::kMalformed},
    {"alarm.holdTimeText", "", ValueError::kMalformed},
    {"alarm.holdTimeText", "1a", ValueError::kMalformed},
    {"alarm.holdTimeText", "0030", ValueError::kMalformed},
    {"alarm.holdTimeText", "-5", ValueError::kMalformed},
    {"alarm.holdTimeText", "0", ValueError::kOutOfRange},
    {"alarm.holdTimeText", "000", ValueError::kOutOfRange},
    // Titles: full-width characters of the JIS X 0208 repertoire only.
    {"title.text", "ABC", ValueError::kTitleCharacters},           // half-width letters
    {"title.text", "入口A", ValueError::kTitleCharacters},         // odd length
    {"title.text", "ｱｲ", ValueError::kTitleCharacters},            // half-width katakana
    {"title.text", "€", ValueError::kTitleCharacters},             // not in code page 932
    {"title.text", "\xEE\x80\x80", ValueError::kTitleCharacters},  // U+E000: user-defined area
    {"title.text", "\xff\xfe", ValueError::kTitleCharacters},      // not UTF-8
    {"title.text", "一二三四五六七八九十百", ValueError::kTitleTooLong},
};

TEST(FieldValues, RefusedValues) {
  for (const BadRow& row : kBadValues) {
    SCOPED_TRACE(std::string(row.field) + "=" + row.text);
    const ParsedValue v = ParseValue(Family(row.field), row.text);
    EXPECT_EQ(v.error, row.error);
    EXPECT_FALSE(DescribeValueError(Family(row.field), row.field, row.text, v.error).empty());
  }
}

// ---------------------------------------------------------------------------
// Round trips: every value a field can validly hold is shown as a text that
// parses back to the same stored value.

TEST(FieldValues, EveryValidStoredIntegerRoundTrips) {
  for (const FieldFamily& family : FieldFamilies()) {
    if (family.form == ValueForm::kHoldTime || family.form == ValueForm::kTitle) continue;
    std::vector<std::int32_t> values;
    if (family.form == ValueForm::kChoice) {
      for (std::size_t i = 0; i < family.choices.size(); ++i) {
        values.push_back(static_cast<std::int32_t>(i));
      }
    } else if (family.form == ValueForm::kChannel) {
      for (std::int32_t v = -1; v < kChannels; ++v) values.push_back(v);
    } else if (family.unbounded) {
      values = {-2147483647 - 1, -1, 0, 80, 2147483647};
    } else {
      for (std::int32_t v = family.min; v <= family.max; ++v) values.push_back(v + family.offset);
    }
    for (std::int32_t stored : values) {
      SCOPED_TRACE(std::string(family.name) + " stored " + std::to_string(stored));
      std::int32_t field = stored;
      const SavedField saved{std::string(family.name) + "[0]", FieldKind::kInt, &field};
      const ShownValue shown = ShowField(saved);
      ASSERT_TRUE(shown.valid) << shown.text;
      const ParsedValue back = ParseValue(family, shown.text);
      ASSERT_EQ(back.error, ValueError::kNone) << shown.text;
      EXPECT_EQ(back.integer, stored) << shown.text;
    }
  }
}

TEST(FieldValues, TitlesRoundTripThroughUtf8) {
  SettingsModel m;
  auto fields = SavedFields(m);
  for (int ch = 0; ch < kChannels; ++ch) {
    const SavedField* f = FindSavedField(fields, "title.text[" + std::to_string(ch) + "]");
    ASSERT_NE(f, nullptr);
    const ShownValue shown = ShowField(*f);
    EXPECT_TRUE(shown.valid);
    const ParsedValue back = ParseValue(Family("title.text"), shown.text);
    ASSERT_EQ(back.error, ValueError::kNone);
    EXPECT_EQ(back.text, TextView(DefaultTitle(ch)));
  }
}

struct InvalidRow {
  const char* field;
  std::int32_t stored;
  const char* shown;
};

TEST(FieldValues, ValuesOutsideTheirFieldShowAsInvalid) {
  const InvalidRow rows[] = {
      {"alarm.mode", 5, "invalid(5)"},
      {"alarm.mode", -1, "invalid(-1)"},
      {"videoAdjust.brightness[0]", 200, "invalid(200)"},
      {"videoAdjust.hue[3]", 252, "invalid(252)"},
      {"splitLayout.quadA[0]", 16, "invalid(16)"},
      {"splitLayout.quadA[0]", -2, "invalid(-2)"},
      {"other.powerOnScreen", 26, "invalid(26)"},
      {"fontSize.single", 5, "invalid(5)"},
  };
  for (const InvalidRow& row : rows) {
    SCOPED_TRACE(row.field);
    std::int32_t value = row.stored;
    const ShownValue shown = ShowField(SavedField{row.field, FieldKind::kInt, &value});
    EXPECT_FALSE(shown.valid);
    EXPECT_EQ(shown.text, row.shown);
  }
  char holdTime[4] = "000";
  EXPECT_FALSE(ShowField(SavedField{"alarm.holdTimeText", FieldKind::kHoldTime, nullptr, holdTime,
                                    sizeof holdTime})
                   .valid);
  char title[21] = "AB";  // half-width: the unit cannot show it
  const ShownValue t =
      ShowField(SavedField{"title.text[0]", FieldKind::kTitle, nullptr, title, sizeof title});
  EXPECT_FALSE(t.valid);
  EXPECT_EQ(t.text, "AB");
}

// ---------------------------------------------------------------------------
// The family table against the core: the step named for a field is the
// send-all step whose command carries it, and the read-all query of the same
// step reads it back.

TEST(FieldValues, EachFieldChangesTheCommandOfItsStep) {
  SettingsModel base;
  std::set<int> stepsSeen;
  SettingsModel probe = base;
  auto fields = SavedFields(probe);
  for (const SavedField& f : fields) {
    const int step = FieldStep(f.name);
    SCOPED_TRACE(f.name);
    ASSERT_NE(FindFamily(f.name), nullptr);
    if (step < 0) {
      EXPECT_EQ(f.name.rfind("videoAdjust.saturationV[", 0), 0u) << "only saturationV is file-only";
      continue;
    }
    stepsSeen.insert(step);
    // Another valid value of the field must change the step's command.
    SettingsModel changed = base;
    auto changedFields = SavedFields(changed);
    const SavedField* target = FindSavedField(changedFields, f.name);
    const FieldFamily& family = *FindFamily(f.name);
    std::string other;
    switch (family.form) {
      case ValueForm::kChoice:
        other = std::string(family.choices[ShowField(*target).stored == 0 ? 1 : 0].name);
        break;
      case ValueForm::kNumber:
        other = ShowField(*target).number == family.min ? std::to_string(family.max)
                                                        : std::to_string(family.min);
        break;
      case ValueForm::kChannel:
        // Swap with another position of the same layout, keeping it free of duplicates.
        other = "none";
        break;
      case ValueForm::kHoldTime:
        other = "45";
        break;
      case ValueForm::kTitle:
        other = "入口";
        break;
    }
    const ParsedValue v = ParseValue(family, other);
    ASSERT_EQ(v.error, ValueError::kNone) << other;
    StoreValue(*target, v);
    const Encoded before = EncodeSendAllStep(base, step);
    const Encoded after = EncodeSendAllStep(changed, step);
    ASSERT_TRUE(before.ok());
    ASSERT_TRUE(after.ok());
    EXPECT_NE(before.text, after.text) << SendAllStepName(step);
    // The query of the step asks for the same keyword the command carries.
    const std::string_view query = ReadAllQuery(step);
    ASSERT_FALSE(query.empty());
    EXPECT_EQ(query.front(), 'R');
    EXPECT_EQ(after.text.substr(0, 2), std::string(query.substr(1, 2))) << query;
  }
  EXPECT_EQ(stepsSeen.size(), static_cast<std::size_t>(kSendAllStepCount));
}

struct EntryRow {
  const char* field;
  int entry;
  const char* value;
  const char* command;
};

TEST(FieldValues, SingleEntryCommands) {
  const EntryRow rows[] = {
      {"videoAdjust.brightness", 3, "-1", "VAB04127\r\n"},
      {"videoAdjust.brightness", 11, "10", "VAB12010\r\n"},
      {"videoAdjust.hue", 0, "-124", "VAH01132\r\n"},
      {"videoAdjust.hue", 15, "127", "VAH16127\r\n"},
      {"videoAdjust.contrast", 0, "64", "VAC01064\r\n"},
      {"videoAdjust.sharpness", 4, "31", "VASH0531\r\n"},
      {"videoAdjust.saturation", 1, "80", "VASA02080\r\n"},
      {"videoFormat.format", 9, "ntsc", "VF107\r\n"},
      {"autoSwitch.dwellTime", 0, "10", "CASTS0110\r\n"},
      {"autoSwitch.dwellTime", 16, "5", "CASTD4A05\r\n"},
      {"autoSwitch.dwellTime", 23, "10", "CASTD13B10\r\n"},
  };
  for (const EntryRow& row : rows) {
    SCOPED_TRACE(std::string(row.field) + "[" + std::to_string(row.entry) + "]=" + row.value);
    SettingsModel m;
    auto fields = SavedFields(m);
    const SavedField* f =
        FindSavedField(fields, std::string(row.field) + "[" + std::to_string(row.entry) + "]");
    ASSERT_NE(f, nullptr);
    const FieldFamily& family = Family(row.field);
    StoreValue(*f, ParseValue(family, row.value));
    ASSERT_NE(family.entryEncoder, nullptr);
    const Encoded e = family.entryEncoder(m, row.entry);
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e.text, row.command);
  }
}

TEST(FieldValues, FieldIndexAndStep) {
  EXPECT_EQ(FieldIndex("videoAdjust.brightness[3]"), 3);
  EXPECT_EQ(FieldIndex("videoAdjust.brightness"), -1);
  EXPECT_EQ(FieldIndex("videoAdjust.brightness[]"), -1);
  EXPECT_EQ(FieldIndex("videoAdjust.brightness[1x]"), -1);
  EXPECT_EQ(FieldStep("title.text[0]"), 11);
  EXPECT_EQ(FieldStep("title.text[15]"), 26);
  EXPECT_EQ(FieldStep("title.text"), -1);  // a title needs its channel
  EXPECT_EQ(FieldStep("other.ntscAspect"), 54);
  EXPECT_EQ(FieldStep("videoAdjust.saturationV[2]"), -1);
  EXPECT_EQ(FieldStep("no.such"), -1);
}

}  // namespace
}  // namespace korvex7::ctl
