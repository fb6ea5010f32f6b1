#include "core/model/settings_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/model/saved_fields.h"

namespace korvex7 {
namespace {

const std::string kBlank = "\x81\x40";     // full-width blank
const std::string kAsterisk = "\x81\x96";  // full-width asterisk
const std::string kFullC = "\x82\x62";     // Ｃ

std::string Write(const SettingsModel& m) {
  std::ostringstream out;
  WriteSettingsFile(out, m);
  return out.str();
}

std::vector<std::string> Lines(const std::string& file) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t p; (p = file.find("\r\n", start)) != std::string::npos; start = p + 2) {
    lines.push_back(file.substr(start, p - start));
  }
  EXPECT_EQ(start, file.size()) << "the file must end with CR LF";
  return lines;
}

std::string Repeat(const std::string& s, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += s;
  return r;
}

TEST(SettingsFile, DefaultsAreWrittenAs282CrLfLines) {
  const std::string file = Write(SettingsModel{});
  EXPECT_EQ(file.find('\n'), file.find("\r\n") + 1);
  const auto lines = Lines(file);
  ASSERT_EQ(lines.size(), 282u);
  const std::vector<std::string> first26 = {"0", "0", "030", "1", "1", "1", "1", "1", "1",
                                            "1", "1", "1",   "1", "1", "1", "1", "1", "1",
                                            "1", "1", "1",   "1", "0", "0", "1", "0"};
  for (std::size_t i = 0; i < first26.size(); ++i)
    EXPECT_EQ(lines[i], first26[i]) << "line " << i + 1;
  // ＊＊＊ＣＨ０１＊＊＊
  EXPECT_EQ(lines[26],
            Repeat(kAsterisk, 3) + kFullC + "\x82\x67\x82\x4f\x82\x50" + Repeat(kAsterisk, 3));
  EXPECT_EQ(lines[279], "3");   // other.borderLine at start-up
  EXPECT_EQ(lines[280], "24");  // other.powerOnScreen
}

// Fills every saved field with a value distinct from its default.
SettingsModel NonDefaultModel() {
  SettingsModel m;
  int k = 0;
  for (auto& f : SavedFields(m)) {
    if (f.kind == FieldKind::kInt) *f.integer = (k++ % 3 == 0) ? -k : k * 7;
  }
  SetText(m.alarm.holdTimeText, "007");
  SetText(m.title.text[0], Repeat(kBlank, 10));
  SetText(m.title.text[1], "");
  SetText(m.title.text[2], kFullC + kBlank + kFullC);  // blank inside
  SetText(m.title.text[3], Repeat(kFullC, 10));
  SetText(m.title.text[4], "ABC");  // odd length, half-width
  return m;
}

TEST(SettingsFile, RoundTripRestoresEveryValue) {
  const SettingsModel original = NonDefaultModel();
  std::istringstream in(Write(original));
  SettingsModel loaded;
  const auto report = ReadSettingsFile(in, loaded);
  EXPECT_EQ(report.fieldsRead, 282u);
  EXPECT_FALSE(report.endedEarly);

  SettingsModel expected = original;
  // An empty title comes back as ten full-width blanks.
  SetText(expected.title.text[1], Repeat(kBlank, 10));
  EXPECT_TRUE(SavedFieldsEqual(loaded, expected));
  EXPECT_EQ(TextView(loaded.title.text[0]), Repeat(kBlank, 10));
  EXPECT_EQ(TextView(loaded.title.text[2]), kFullC + kBlank + kFullC);
  EXPECT_EQ(TextView(loaded.title.text[4]), "ABC");
}

TEST(SettingsFile, TitleTokens) {
  struct Row {
    std::string title;
    std::string token;
  };
  const Row rows[] = {
      {"", Repeat(kAsterisk, 10)},
      {Repeat(kBlank, 10), Repeat(kAsterisk, 10)},
      {kBlank + kFullC, kAsterisk + kFullC},
      {"AB", "AB"},
      {"A", "A"},
      {"A B", "A_B"},  // a blank byte would split the word and shift the file
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.token);
    SettingsModel m;
    SetText(m.title.text[7], r.title);
    EXPECT_EQ(Lines(Write(m))[26 + 7], r.token);
  }
}

TEST(SettingsFile, HoldTimeTextsStayOneWord) {
  struct Row {
    const char* text;
    const char* token;
  };
  const Row rows[] = {{"030", "030"}, {"7", "7"}, {"", "0"}, {"1 2", "1_2"}, {"\t5", "_5"}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.token);
    SettingsModel m;
    SetText(m.alarm.holdTimeText, r.text);
    const std::string file = Write(m);
    EXPECT_EQ(Lines(file)[2], r.token);
    // Every later value is still read from its own line.
    std::istringstream in(file);
    SettingsModel loaded;
    EXPECT_EQ(ReadSettingsFile(in, loaded).fieldsRead, 282u);
    EXPECT_EQ(TextView(loaded.alarm.holdTimeText), r.token);
  }
}

TEST(SettingsFile, AnAsteriskInATitleReadsBackAsABlank) {
  SettingsModel m;
  SetText(m.title.text[0], kFullC + kAsterisk);
  std::istringstream in(Write(m));
  SettingsModel loaded;
  ReadSettingsFile(in, loaded);
  EXPECT_EQ(TextView(loaded.title.text[0]), kFullC + kBlank);
}

std::string JoinWith(const std::vector<std::string>& words, const std::string& sep) {
  std::string s;
  for (const auto& w : words) s += w + sep;
  return s;
}

TEST(SettingsFile, AnyWhiteSpaceSeparatesValues) {
  const SettingsModel original = NonDefaultModel();
  const auto words = Lines(Write(original));
  for (const std::string sep : {"\n", " ", "\t\t", " \r\n "}) {
    SCOPED_TRACE(testing::PrintToString(sep));
    std::istringstream in(JoinWith(words, sep));
    SettingsModel loaded;
    EXPECT_EQ(ReadSettingsFile(in, loaded).fieldsRead, 282u);
    SettingsModel expected = original;
    SetText(expected.title.text[1], Repeat(kBlank, 10));
    EXPECT_TRUE(SavedFieldsEqual(loaded, expected));
  }
}

TEST(SettingsFile, OutOfRangeValuesLoadAsTheyAre) {
  SettingsModel m;
  m.alarm.mode = 5;
  m.other.powerOnScreen = -40;
  std::istringstream in(Write(m));
  SettingsModel loaded;
  ReadSettingsFile(in, loaded);
  EXPECT_EQ(loaded.alarm.mode, 5);
  EXPECT_EQ(loaded.other.powerOnScreen, -40);
}

TEST(SettingsFile, TruncatedFileKeepsTheRemainingFields) {
  const auto words = Lines(Write(NonDefaultModel()));
  for (std::size_t keep : {0u, 1u, 2u, 26u, 30u, 200u, 281u}) {
    SCOPED_TRACE(keep);
    std::istringstream in(
        JoinWith({words.begin(), words.begin() + static_cast<long>(keep)}, "\r\n"));
    SettingsModel loaded;  // start-up defaults
    const auto report = ReadSettingsFile(in, loaded);
    EXPECT_TRUE(report.endedEarly);
    EXPECT_EQ(report.fieldsRead, keep);
    SettingsModel fresh;
    auto loadedFields = SavedFields(loaded);
    auto freshFields = SavedFields(fresh);
    for (std::size_t i = keep; i < kSavedFieldCount; ++i) {
      if (loadedFields[i].kind == FieldKind::kInt) {
        EXPECT_EQ(*loadedFields[i].integer, *freshFields[i].integer) << loadedFields[i].name;
      } else {
        EXPECT_EQ(std::string(loadedFields[i].text), std::string(freshFields[i].text))
            << loadedFields[i].name;
      }
    }
  }
}

TEST(SettingsFile, WordsThatDoNotFitKeepTheirField) {
  struct Row {
    std::size_t line;  // 1-based
    std::string word;
  };
  const Row rows[] = {
      {1, "abc"},
      {1, "12abc"},
      {1, "99999999999"},
      {1, "--1"},
      {1, "+"},
      {3, "0300"},
      {3, "12345678"},
      {27, Repeat(kFullC, 11)},
      {42, Repeat("X", 21)},
      {282, "0x10"},
  };
  const auto words = Lines(Write(NonDefaultModel()));
  for (const auto& r : rows) {
    SCOPED_TRACE(r.word);
    auto changed = words;
    changed[r.line - 1] = r.word;
    std::istringstream in(JoinWith(changed, "\r\n"));
    SettingsModel loaded;
    const SettingsModel before = loaded;
    const auto report = ReadSettingsFile(in, loaded);
    EXPECT_EQ(report.fieldsSkipped, 1u);
    EXPECT_EQ(report.fieldsRead, 281u);
    auto l = SavedFields(loaded);
    SettingsModel beforeCopy = before;
    auto b = SavedFields(beforeCopy);
    const auto& f = l[r.line - 1];
    if (f.kind == FieldKind::kInt) {
      EXPECT_EQ(*f.integer, *b[r.line - 1].integer);
    } else {
      EXPECT_EQ(std::string(f.text), std::string(b[r.line - 1].text));
    }
    // The next field is still read from its own word.
    if (r.line < 282) {
      SettingsModel source = NonDefaultModel();
      auto s = SavedFields(source);
      if (s[r.line].kind == FieldKind::kInt) {
        EXPECT_EQ(*l[r.line].integer, *s[r.line].integer);
      }
    }
  }
}

TEST(SettingsFile, PlusSignAndNegativeNumbersAreIntegers) {
  auto words = Lines(Write(SettingsModel{}));
  words[0] = "+4";
  words[1] = "-2147483648";
  std::istringstream in(JoinWith(words, "\n"));
  SettingsModel loaded;
  ReadSettingsFile(in, loaded);
  EXPECT_EQ(loaded.alarm.mode, 4);
  EXPECT_EQ(loaded.alarm.inputPolarity, INT32_MIN);
}

TEST(SettingsFile, BinaryGarbageNeverCrashes) {
  std::string garbage;
  std::uint32_t x = 12345;
  for (int i = 0; i < 20000; ++i) {
    x = x * 1103515245u + 12345u;
    garbage += static_cast<char>(x >> 24);
  }
  std::istringstream in(garbage);
  SettingsModel loaded;
  ReadSettingsFile(in, loaded);
  for (const auto& t : loaded.title.text) EXPECT_EQ(t[kTitleBytes], '\0');
  EXPECT_EQ(loaded.alarm.holdTimeText[3], '\0');
}

// A file picked by mistake may be gigabytes long: the reader takes at most
// kSettingsFileReadLimit bytes of the stream and treats the rest as the end
// of the file, so it never reads such a file to its end.
TEST(SettingsFile, ReadsNoFurtherThanTheLimit) {
  const std::size_t limit = kSettingsFileReadLimit;
  const auto words = Lines(Write(NonDefaultModel()));
  const std::string head =
      JoinWith({words.begin(), words.begin() + static_cast<long>(kSavedFieldCount - 1)}, "\r\n") +
      "\r\n";
  const std::string& last = words.back();
  const std::string lastAtLimit = head + std::string(limit - head.size() - last.size(), ' ') + last;
  struct Row {
    const char* what;
    std::string bytes;
    std::size_t fieldsRead;
    bool endedEarly;
  };
  const Row rows[] = {
      {"a settings file, then zeros", Write(NonDefaultModel()) + std::string(2 * limit, '\0'),
       kSavedFieldCount, false},
      {"the last value ends at the limit", lastAtLimit + "\r\n5\r\n", kSavedFieldCount, false},
      {"the last value begins at the limit", head + std::string(limit - head.size(), ' ') + last,
       kSavedFieldCount - 1, true},
      {"one endless word", std::string(2 * limit, 'x'), 0, true},
      {"blanks only", std::string(2 * limit, ' '), 0, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::istringstream in(row.bytes);
    SettingsModel loaded;
    const auto report = ReadSettingsFile(in, loaded);
    EXPECT_EQ(report.fieldsRead, row.fieldsRead);
    EXPECT_EQ(report.endedEarly, row.endedEarly);
    in.clear();
    EXPECT_LE(static_cast<std::size_t>(in.tellg()), limit);
    if (row.fieldsRead == kSavedFieldCount) {
      EXPECT_EQ(loaded.other.ntscAspect, NonDefaultModel().other.ntscAspect);
    }
  }
}

}  // namespace
}  // namespace korvex7
