// The simulated unit against the program's own encoders and decoders: the
// two sides are written independently, so agreement here means the
// program's commands have the layouts the unit takes and its decoders read
// the layouts the unit answers with.
#include <gtest/gtest.h>

#include <string>

#include "core/link/reply_assembler.h"
#include "core/link/send_command.h"
#include "core/transfer/send_all_steps.h"
#include "tests/unit/sim/sim_test_support.h"
#include "tools/sim/sim_unit.h"

namespace korvex7::sim {
namespace {

using simtest::DifferingSettings;
using simtest::Join;
using simtest::VariedState;

// The unit reports a title as ten characters; the program's decoder drops
// the full-width blanks at its end.
TitleText WithoutTrailingBlanks(const TitleText& title) {
  std::string t(TextView(title));
  while (t.size() % 2 != 0 || t.size() < kTitleBytes) t += (t.size() % 2 == 0) ? '\x81' : '\x40';
  while (t.size() >= 2 && t.compare(t.size() - 2, 2, "\x81\x40") == 0) t.resize(t.size() - 2);
  TitleText out{};
  SetText(out, t);
  return out;
}

SettingsModel ModelWithVariedSettings() {
  SettingsModel m = VariedState().settings;
  for (int i = 0; i < kChannels; ++i)
    m.videoAdjust.saturationV[static_cast<std::size_t>(i)] = 90 + i;
  // Titles of every length the unit reports back differently.
  m.title.text[0] = DefaultTitle(0);
  m.title.text[1] = TitleText{};
  m.title.text[2] = simtest::FullWidthLetters(3);
  SetText(m.title.text[3], "\x81\x40\x81\x40\x82\x60");  // blanks before a letter stay
  return m;
}

TEST(ProgramCrossCheck, UnitTakesEverySendAllStepOfTheProgram) {
  SettingsModel singleMode = ModelWithVariedSettings();
  singleMode.autoSwitch.mode = 0;
  for (const SettingsModel& model : {SettingsModel{}, ModelWithVariedSettings(), singleMode}) {
    SCOPED_TRACE(::testing::Message() << "auto-switching mode " << model.autoSwitch.mode);
    SimUnit unit;
    for (int step = 0; step < kSendAllStepCount; ++step) {
      SCOPED_TRACE(::testing::Message() << "step " << step + 1 << " " << SendAllStepName(step));
      const Encoded e = EncodeSendAllStep(model, step);
      ASSERT_TRUE(e.ok());
      EXPECT_EQ(unit.HandleFrame(e.text).answer, "GO\r\n") << e.text;
    }
    // What the steps carry: every saved setting but saturationV; of the
    // dwell times only those of the current auto-switching mode (SINGLE the
    // channels, DIVISION the split screens); titles as ten characters,
    // padded with blanks.
    SettingsModel expected = model;
    expected.videoAdjust.saturationV = unit.state().settings.videoAdjust.saturationV;
    for (std::size_t i = 0; i < expected.autoSwitch.dwellTime.size(); ++i) {
      const bool channel = i < static_cast<std::size_t>(kPictureFirstSplit);
      const bool carried = model.autoSwitch.mode == 2 || (model.autoSwitch.mode == 0) == channel;
      if (!carried) {
        EXPECT_EQ(unit.state().settings.autoSwitch.dwellTime[i], 3) << "entry " << i;
        expected.autoSwitch.dwellTime[i] = unit.state().settings.autoSwitch.dwellTime[i];
      }
    }
    std::vector<std::string> differences;
    for (int ch = 0; ch < kChannels; ++ch) {
      const auto k = static_cast<std::size_t>(ch);
      if (WithoutTrailingBlanks(unit.state().settings.title.text[k]) !=
          WithoutTrailingBlanks(model.title.text[k])) {
        differences.push_back("title.text[" + std::to_string(ch) + "]");
      }
      expected.title.text[k] = unit.state().settings.title.text[k];
    }
    EXPECT_EQ(Join(differences), "");
    EXPECT_EQ(Join(DifferingSettings(unit.state().settings, expected)), "");
  }
}

TEST(ProgramCrossCheck, ProgramDecodesEveryAnswerOfTheUnit) {
  for (std::optional<int> address : {std::optional<int>{}, std::optional<int>{7}}) {
    SCOPED_TRACE(address ? "RS-485 unit 07" : "RS-232C");
    SimUnit unit(address);
    unit.state().settings = ModelWithVariedSettings();
    Session session;
    if (address) {
      session.model.link.mode = kLinkRs485;
      session.model.link.slaveAddress = *address;
    }
    for (const Query& q : Queries()) {
      SCOPED_TRACE(q.text);
      session.replyWait.ackPending = 1;
      const auto answer = unit.HandleFrame(BuildFrame(session.model.link, q.text)).answer;
      ASSERT_TRUE(answer.has_value());
      ReplyAssembler(session, *answer);
      EXPECT_EQ(session.replyWait.unitStatus, 0) << *answer;
      EXPECT_EQ(session.replyWait.outcome, 1);
      session.replyWait.outcome = 0;
    }
    SettingsModel expected = unit.state().settings;
    expected.videoAdjust.saturationV = session.model.videoAdjust.saturationV;
    for (auto& title : expected.title.text) title = WithoutTrailingBlanks(title);
    EXPECT_EQ(Join(DifferingSettings(session.model, expected)), "");
  }
}

TEST(ProgramCrossCheck, ProgramReportsTheUnitsRefusalsAndStatusWords) {
  struct Row {
    const char* word;  // forced status, or nothing for a refused command
    int status;
  };
  const Row rows[] = {{nullptr, kStatusE3},  {"MENU", kStatusMenu}, {"ALARM", kStatusAlarm},
                      {"LOCK", kStatusLock}, {"GN", kStatusGn},     {"E0", kStatusE0},
                      {"E1", kStatusE1},     {"E2", kStatusE2},     {"E3", kStatusE3}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.word ? row.word : "refused");
    SimUnit unit;
    if (row.word != nullptr) unit.SetForcedStatus(std::string(row.word));
    Session session;
    session.replyWait.ackPending = 1;
    const auto answer = unit.HandleFrame(row.word ? "AMI\r\n" : "AMX\r\n").answer;
    ASSERT_TRUE(answer.has_value());
    ReplyAssembler(session, *answer);
    EXPECT_EQ(session.replyWait.unitStatus, row.status);
  }
}

}  // namespace
}  // namespace korvex7::sim
