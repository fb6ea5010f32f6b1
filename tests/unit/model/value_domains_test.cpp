// The choice lists and number ranges that give the stored values their
// meaning: what a list hands to the encoders, the decoders and the dialogs,
// and where a range starts and ends.
#include "core/model/value_domains.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/model/saved_fields.h"

namespace korvex7 {
namespace {

TEST(Choices, CodesOfStoredValues) {
  struct Row {
    std::span<const Choice> choices;
    std::int32_t stored;
    std::string_view code;
  };
  const Row rows[] = {
      {kOffOnChoices, 0, "F"},
      {kOffOnChoices, 1, "N"},
      {kOffOnChoices, 2, ""},
      {kOffOnChoices, -1, ""},
      {kAlarmModeChoices, 1, "E"},
      {kDisplayRangeChoices, 0, "1"},
      {kDisplayRangeChoices, 7, "8"},
      {kDisplayRangeChoices, 8, ""},
      {kVideoFormatChoices, 6, "7"},
      {kBorderLineChoices, 2, "G"},
      {kPictureChoices, 0, "S01"},
      {kPictureChoices, kPictureFirstSplit + kLayoutThirteenB, "D13B"},
      {kPictureChoices, kPictureAutoSequence, "CAS"},
      {kPictureChoices, kPictureCount, ""},
      {kPictureChoices, -2147483647 - 1, ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.stored);
    EXPECT_EQ(ChoiceCode(r.choices, r.stored), r.code);
  }
}

TEST(Choices, StoredValuesOfCodes) {
  struct Row {
    std::span<const Choice> choices;
    std::string_view code;
    std::int32_t stored;
  };
  const Row rows[] = {
      {kOffOnChoices, "N", 1},      {kOffOnChoices, "F", 0},
      {kOffOnChoices, "n", -1},     {kOffOnChoices, "", -1},
      {kOffOnChoices, "NN", -1},    {kAutoSwitchModeChoices, "M", 2},
      {kPictureChoices, "D16", 24}, {kPictureChoices, "D1", -1},
      {kPictureChoices, "S1", -1},  {kNtscAspectChoices, "4", 0},
      {kFontSizeChoices, "L", 1},   {kVideoLossBackgroundChoices, "B", 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.code);
    EXPECT_EQ(ChoiceWithCode(r.choices, r.code), r.stored);
  }
}

// Every choice list of the saved settings tells its choices apart on the
// wire, in the dialog and by name.
TEST(Choices, EveryListTellsItsChoicesApart) {
  for (const SavedSetting& setting : SavedSettings()) {
    if (setting.form != ValueForm::kChoice) continue;
    SCOPED_TRACE(setting.name);
    ASSERT_GE(setting.choices.size(), 2u);
    std::set<std::string_view> codes;
    std::set<std::string_view> items;
    std::set<std::string_view> names;
    for (const Choice& c : setting.choices) {
      EXPECT_FALSE(c.code.empty());
      EXPECT_FALSE(c.item.empty());
      EXPECT_FALSE(c.name.empty());
      codes.insert(c.code);
      items.insert(c.item);
      names.insert(c.name);
    }
    EXPECT_EQ(codes.size(), setting.choices.size());
    EXPECT_EQ(items.size(), setting.choices.size());
    EXPECT_EQ(names.size(), setting.choices.size());
  }
}

TEST(Choices, ItemsFollowTheListsOrder) {
  constexpr auto items = ItemsOf(kAlarmPolarityChoices);
  static_assert(items.size() == 2);
  EXPECT_EQ(items[0], "メイク");
  EXPECT_EQ(items[1], "ブレイク");
  EXPECT_EQ(ItemsOf(kPictureChoices)[kPictureFirstSplit], "4分割A");
}

TEST(NumberRanges, StoredFormsAndBounds) {
  struct Row {
    const char* name;
    NumberRange range;
    std::int32_t firstStored;
    std::int32_t lastStored;
    int count;
  };
  const Row rows[] = {
      {"brightness", kBrightnessRange, 0, 127, 128},
      {"contrast", kContrastRange, 0, 127, 128},
      {"hue", kHueRange, 0, 251, 252},
      {"sharpness", kSharpnessRange, 0, 31, 32},
      {"saturation", kSaturationRange, 0, 127, 128},
      {"dwell time", kDwellTimeRange, 0, 99, 100},
      {"title offset", kTitleOffsetRange, 0, 15, 16},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(r.range.min + r.range.offset, r.firstStored);
    EXPECT_EQ(r.range.MaxStored(), r.lastStored);
    EXPECT_EQ(r.range.Count(), r.count);
    EXPECT_TRUE(r.range.HoldsStored(r.firstStored));
    EXPECT_TRUE(r.range.HoldsStored(r.lastStored));
    EXPECT_FALSE(r.range.HoldsStored(r.firstStored - 1));
    EXPECT_FALSE(r.range.HoldsStored(r.lastStored + 1));
  }
}

}  // namespace
}  // namespace korvex7
