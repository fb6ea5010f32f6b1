// The whole road over a line: the program's 55 send-all commands and 55
// queries, through the POSIX serial port and a pseudo-terminal, to
// korvex7-sim and back through the program's reply side.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/model/saved_fields.h"
#include "core/model/settings_file.h"
#include "core/transfer/send_all_steps.h"
#include "tests/integration/sim_link.h"

namespace korvex7::e2e {
namespace {

// The 55 queries of a read-all run, in order.
std::vector<std::string> ReadAllQueries() {
  std::vector<std::string> q = {"RAM",  "RADT",  "RAP",   "RAD",   "RAR", "RVL",
                                "RVLD", "RVLSO", "RVLBC", "RTSDR", "RTSD"};
  for (int ch = 1; ch <= 16; ++ch)
    q.push_back(std::string("RCJ") + (ch < 10 ? "0" : "") + std::to_string(ch));
  for (const char* s : {"RCTDS",   "RCTDD",   "RCTFSS", "RCTFSD", "RCASTM", "RCASM",  "RVAB",
                        "RVAC",    "RVASH",   "RVASA",  "RVAH",   "RAGC",   "RVF",    "ROOV",
                        "ROOH",    "RSPD4A",  "RSPD4B", "RSPD4C", "RSPD4D", "RSPD9A", "RSPD9B",
                        "RSPD13A", "RSPD13B", "RSPD16", "RCI",    "RBL",    "RPOS",   "RNAR"}) {
    q.push_back(s);
  }
  for (std::string& s : q) s += "\r\n";
  return q;
}

TitleText Title(const std::string& bytes) {
  TitleText t{};
  SetText(t, bytes);
  return t;
}

// Settings that differ from the defaults almost everywhere, with titles of
// several lengths and blanks in several places.
SettingsModel VariedSettings(int autoSwitchMode) {
  SettingsModel m;
  m.alarm.mode = 1;
  m.alarm.inputPolarity = 1;
  SetText(m.alarm.holdTimeText, "007");
  m.alarm.returnOn = 0;
  m.alarm.display = 0;
  for (int i = 0; i < kChannels; ++i) {
    const auto k = static_cast<std::size_t>(i);
    m.videoLoss.detect[k] = i % 3 == 0 ? 0 : 1;
    m.videoAdjust.brightness[k] = i * 8;  // both halves of the 7-bit wire form
    m.videoAdjust.contrast[k] = 127 - i;
    m.videoAdjust.hue[k] = i * 16 + 3;  // both halves of the 8-bit wire form
    m.videoAdjust.sharpness[k] = i * 2;
    m.videoAdjust.saturation[k] = i * 7;
    m.videoAdjust.saturationV[k] = 1000 + i;  // carried by no command or answer
    m.agc.on[k] = i % 2;
    m.videoFormat.format[k] = i % 7;
  }
  m.title.text[0] =
      Title("\x82\x60\x82\x61\x82\x62\x82\x63\x82\x64\x82\x65\x82\x66\x82\x67\x82\x68\x82\x69");
  m.title.text[1] = Title("\x81\x40\x82\x60");                  // leading blank
  m.title.text[2] = Title("\x93\xfa\x96\x7b\x81\x40\x81\x40");  // "日本" and two blanks
  m.title.text[3] = Title("\xEE\xEF");                          // NEC-selected IBM extension
  m.title.text[4] = Title("\x83\x4A\x83\x81\x83\x89\x82\x50");  // "カメラ１"
  m.dateTime.display = 0;
  m.dateTime.displayRange = 7;
  m.titleDisplay.single = 0;
  m.titleDisplay.split = 1;
  m.fontSize.single = 0;
  m.fontSize.split = 1;
  m.titlePosition.vertical = 15;
  m.titlePosition.horizontal = 0;
  for (std::size_t i = 0; i < m.autoSwitch.dwellTime.size(); ++i) {
    m.autoSwitch.dwellTime[i] = static_cast<std::int32_t>(i * 4);
  }
  m.autoSwitch.mode = autoSwitchMode;
  m.splitLayout.quadA = {3, 2, 1, 0};
  m.splitLayout.quadD = {15, 0, 7, 8};
  m.splitLayout.nineB = {15, 14, 13, 12, 11, 10, 9, 8, 7};
  m.splitLayout.thirteenA = {12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
  m.splitLayout.sixteen = {15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
  m.other.connectorInput = 1;
  m.other.borderLine = 2;
  m.other.powerOnScreen = 22;  // the 13-way split A
  m.other.ntscAspect = 1;
  return m;
}

// A title as the program reads it back: the unit reports ten characters,
// and the full-width blanks at the end are dropped.
std::string TitleAsReadBack(const char* text, std::size_t size) {
  std::string t(text, strnlen(text, size));
  while (t.size() < kTitleBytes) t += "\x81\x40";
  while (t.size() >= 2 && t.compare(t.size() - 2, 2, "\x81\x40") == 0) t.resize(t.size() - 2);
  return t;
}

// Compares every saved field but videoAdjust.saturationV; returns the
// differences and counts the fields compared.
std::string CompareReadBack(SettingsModel read, SettingsModel expected, int& compared) {
  compared = 0;
  std::string differences;
  const auto a = SavedFields(read);
  const auto b = SavedFields(expected);
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].name.rfind("videoAdjust.saturationV[", 0) == 0) continue;
    ++compared;
    std::string va;
    std::string vb;
    if (a[i].kind == FieldKind::kInt) {
      va = std::to_string(*a[i].integer);
      vb = std::to_string(*b[i].integer);
    } else if (a[i].kind == FieldKind::kTitle) {
      va = std::string(a[i].text, strnlen(a[i].text, a[i].textSize));
      vb = TitleAsReadBack(b[i].text, b[i].textSize);
    } else {
      // The hold time comes back as a number: "007" reads back as "7".
      va = std::to_string(std::atoi(a[i].text));
      vb = std::to_string(std::atoi(b[i].text));
    }
    if (va != vb) differences += a[i].name + ": read " + va + ", expected " + vb + "\n";
  }
  return differences;
}

// Reads every setting with the 55 queries, as a read-all run does; the
// model of `sim.session` receives them.
void ReadAll(SimOnPty& sim) {
  for (const std::string& q : ReadAllQueries()) {
    SCOPED_TRACE(q);
    sim.session.replyWait.unitStatus = 0;
    const auto line = sim.Exchange(q);
    ASSERT_TRUE(line.has_value()) << "no answer";
    EXPECT_EQ(line->substr(0, 1), q.substr(1, 1)) << *line;
    EXPECT_EQ(sim.session.replyWait.unitStatus, 0) << "the program refused the answer " << *line;
    EXPECT_EQ(sim.session.replyWait.outcome, 1) << *line;
    sim.session.replyWait.outcome = 0;
  }
}

TEST(SimOverPty, AnswersTheQueriesAtItsDefaults) {
  TestDir dir;
  SimOnPty sim(dir, {});
  struct Row {
    const char* query;
    const char* answer;
  };
  const Row rows[] = {
      {"RAM\r\n", "AMI\r\n"},
      {"RCJ01\r\n", "CJ012121212121212343234823302331212121212121\r\n"},
      {"RVAB\r\n", "VAB000000000000000000000000000000000000000000000000\r\n"},
      {"RVAH\r\n", "VAH000000000000000000000000000000000000000000000000\r\n"},
      {"RPOS\r\n", "POSD16\r\n"},
      {"RBL\r\n", "BLB\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.query);
    EXPECT_EQ(sim.Exchange(row.query), row.answer);
  }
}

TEST(SimOverPty, TakesEverySendAllCommandOfTheProgramAndReportsItBack) {
  TestDir dir;
  SimOnPty sim(dir, {});
  const SettingsModel sent = VariedSettings(2);
  for (int step = 0; step < kSendAllStepCount; ++step) {
    SCOPED_TRACE(::testing::Message() << "step " << step + 1 << " " << SendAllStepName(step));
    const Encoded e = EncodeSendAllStep(sent, step);
    ASSERT_TRUE(e.ok()) << "the program refused its own step";
    const auto line = sim.Exchange(e.text);
    EXPECT_EQ(line, "GO\r\n") << e.text;
    EXPECT_EQ(sim.session.replyWait.unitStatus, 0);
    EXPECT_EQ(sim.session.replyWait.outcome, 1);
    sim.session.replyWait.outcome = 0;
  }
  ReadAll(sim);
  int compared = 0;
  EXPECT_EQ(CompareReadBack(sim.session.model, sent, compared), "");
  EXPECT_EQ(compared, 266);
}

TEST(SimOverPty, LoadedSettingsFileReadsBackFieldForField) {
  TestDir dir;
  const SettingsModel file = VariedSettings(1);
  {
    std::ofstream out(dir.File("varied.dat"), std::ios::binary);
    WriteSettingsFile(out, file);
  }
  SimOnPty sim(dir, {"--load", dir.File("varied.dat")});
  ReadAll(sim);
  int compared = 0;
  EXPECT_EQ(CompareReadBack(sim.session.model, file, compared), "");
  EXPECT_EQ(compared, 266);  // all 282 values but the 16 of videoAdjust.saturationV
}

TEST(SimOverPty, KeepsAnsweringWhenTheProgramReopensThePort) {
  TestDir dir;
  SimOnPty sim(dir, {});
  EXPECT_EQ(sim.Exchange("AME\r\n"), "GO\r\n");
  sim.Reopen();
  EXPECT_EQ(sim.Exchange("RAM\r\n"), "AME\r\n");
  sim.Reopen();
  EXPECT_EQ(sim.Exchange("RAM\r\n"), "AME\r\n");
}

TEST(SimOverPty, SurvivesGarbageAndOverlongInput) {
  TestDir dir;
  SimOnPty sim(dir, {"--log", dir.File("log.txt")});
  sim.port().WriteAll(std::string(5000, '\xFF'));
  sim.port().WriteAll("\n");
  sim.port().WriteAll(std::string("\0\x13\x11garbage\n", 11));
  sim.port().WriteAll("\r\n");
  EXPECT_EQ(sim.reader().ReadLine(kAnswerTimeout), "E3\r\n");  // the overlong frame
  EXPECT_EQ(sim.reader().ReadLine(kAnswerTimeout), "E3\r\n");  // the garbage
  EXPECT_EQ(sim.Exchange("RAM\r\n"), "AMI\r\n");               // the bare CR LF got no answer
  EXPECT_EQ(sim.process().Stop(), 0);
  const std::string log = ReadFile(dir.File("log.txt"));
  EXPECT_NE(log.find("(overlong: 5001 bytes, the first 600 shown)"), std::string::npos) << log;
  EXPECT_NE(log.find(" RX \\x00\\x13\\x11garbage\\n\n"), std::string::npos) << log;
  EXPECT_NE(log.find(" RX \\r\\n (empty line)\n"), std::string::npos) << log;
}

}  // namespace
}  // namespace korvex7::e2e
