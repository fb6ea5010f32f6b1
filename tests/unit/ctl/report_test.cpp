#include "tools/ctl/report.h"

#include <gtest/gtest.h>

#include "tools/ctl/field_args.h"

namespace korvex7::ctl {
namespace {

std::vector<std::size_t> Select(const std::vector<SavedField>& fields, const char* pattern) {
  const FieldSelection s = SelectFields(fields, pattern);
  EXPECT_TRUE(s.ok()) << s.error;
  return s.indexes;
}

TEST(Report, ShowLinesAreSetArguments) {
  SettingsModel m;
  m.alarm.mode = 1;
  m.videoAdjust.brightness[3] = 63;
  auto fields = SavedFields(m);
  EXPECT_EQ(FieldsText(fields, Select(fields, "alarm")),
            "alarm.mode=external\n"
            "alarm.inputPolarity=make\n"
            "alarm.holdTimeText=030\n"
            "alarm.returnOn=on\n"
            "alarm.display=on\n");
  EXPECT_EQ(FieldsText(fields, Select(fields, "videoAdjust.brightness[3]"), "unit 05: "),
            "unit 05: videoAdjust.brightness[3]=-1\n");

  // Every line of "show all" parses back as an assignment that changes nothing.
  SettingsModel copy = m;
  auto copyFields = SavedFields(copy);
  const std::string text = FieldsText(fields, Select(fields, "all"));
  std::size_t start = 0;
  int lines = 0;
  for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
    const std::string line = text.substr(start, nl - start);
    const Assignment a = ParseAssignment(copyFields, line);
    ASSERT_EQ(a.error, ArgumentError::kNone) << line << ": " << a.message;
    ApplyAssignments(copyFields, {a});
    ++lines;
  }
  EXPECT_EQ(lines, static_cast<int>(kSavedFieldCount));
  EXPECT_TRUE(SavedFieldsEqual(copy, m));
}

TEST(Report, JsonKeepsNumbersAsNumbers) {
  SettingsModel m;
  m.videoAdjust.brightness[3] = 63;
  m.alarm.mode = 7;  // not a valid choice
  SetText(m.title.text[1], "\x93\xfc\x8c\xfb");
  auto fields = SavedFields(m);
  std::vector<std::size_t> indexes = Select(fields, "videoAdjust.brightness[3]");
  for (const char* p :
       {"alarm.mode", "title.text[1]", "splitLayout.quadA[1]", "alarm.holdTimeText"}) {
    const auto more = Select(fields, p);
    indexes.insert(indexes.end(), more.begin(), more.end());
  }
  const nlohmann::ordered_json j = FieldsJson(fields, indexes);
  EXPECT_EQ(j.dump(),
            R"j({"videoAdjust.brightness[3]":-1,"alarm.mode":"invalid(7)","title.text[1]":"入口",)j"
            R"j("splitLayout.quadA[1]":2,"alarm.holdTimeText":"030"})j");
}

TEST(Report, JsonIsValidEvenForBrokenTitleBytes) {
  SettingsModel m;
  SetText(m.title.text[0], "\x81");  // a lead byte without its trail byte
  auto fields = SavedFields(m);
  const std::string dumped = FieldsJson(fields, Select(fields, "title.text[0]")).dump();
  EXPECT_EQ(dumped, "{\"title.text[0]\":\"\xEF\xBF\xBD\"}");
}

TEST(Report, DiffListsChangedFieldsInFileOrder) {
  SettingsModel a;
  SettingsModel b;
  b.other.ntscAspect = 1;
  b.alarm.mode = 1;
  b.videoAdjust.saturationV[0] = 1;
  const auto differences = DiffModels(a, b, false);
  EXPECT_EQ(DiffText(differences),
            "alarm.mode: internal -> external\n"
            "videoAdjust.saturationV[0]: 80 -> 1\n"
            "other.ntscAspect: 4:3 -> full\n");
  EXPECT_EQ(DiffJson(differences).dump(),
            R"([{"field":"alarm.mode","a":"internal","b":"external"},)"
            R"({"field":"videoAdjust.saturationV[0]","a":80,"b":1},)"
            R"({"field":"other.ntscAspect","a":"4:3","b":"full"}])");
  // What a unit cannot report is not compared with it.
  EXPECT_EQ(DiffModels(a, b, true).size(), 2u);
  EXPECT_TRUE(DiffModels(a, a, false).empty());
}

TEST(Report, ValuesTheUnitGetsAlikeAreEqual) {
  struct Row {
    const char* name;
    void (*change)(SettingsModel&);
    bool differs;
  };
  const Row rows[] = {
      {"hold time 30 for 030", [](SettingsModel& m) { SetText(m.alarm.holdTimeText, "30"); },
       false},
      {"hold time 31", [](SettingsModel& m) { SetText(m.alarm.holdTimeText, "31"); }, true},
      {"title without its trailing blanks",
       [](SettingsModel& m) {
         SetText(m.title.text[0], "\x81\x40\x81\x40\x81\x40\x82\x62\x82\x67\x82\x4f\x82\x50");
       },
       false},
      {"title with a blank less in front",
       [](SettingsModel& m) {
         SetText(m.title.text[0], "\x81\x40\x81\x40\x82\x62\x82\x67\x82\x4f\x82\x50");
       },
       true},
      {"empty title against ten blanks",
       [](SettingsModel& m) {
         SetText(m.title.text[0], "");
         m.title.text[1].fill('\0');
         for (int i = 0; i < 20; i += 2) {
           m.title.text[1][static_cast<std::size_t>(i)] = '\x81';
           m.title.text[1][static_cast<std::size_t>(i + 1)] = '\x40';
         }
       },
       true},  // title 0 changes from its default; title 1 too
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SettingsModel a;
    SettingsModel b;
    row.change(b);
    EXPECT_EQ(!DiffModels(a, b, true).empty(), row.differs);
  }
  SettingsModel blank;
  SettingsModel empty;
  SetText(blank.title.text[0],
          "\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40");
  SetText(empty.title.text[0], "");
  EXPECT_TRUE(DiffModels(blank, empty, true).empty());  // both go out as ten blanks
}

}  // namespace
}  // namespace korvex7::ctl
