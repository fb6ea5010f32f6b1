#include "tools/ctl/unit_jobs.h"

#include <gtest/gtest.h>

#include "core/transfer/read_all.h"
#include "core/transfer/send_all_steps.h"
#include "ctl_test_support.h"

namespace korvex7::ctl {
namespace {

using testing::FakeClock;
using testing::SimulatedBus;

std::vector<Assignment> Parse(const std::vector<SavedField>& fields,
                              const std::vector<std::string>& arguments) {
  std::vector<Assignment> out;
  for (const auto& a : arguments) {
    out.push_back(ParseAssignment(fields, a));
    EXPECT_EQ(out.back().error, ArgumentError::kNone) << a << ": " << out.back().message;
  }
  return out;
}

struct PlanRow {
  std::vector<std::string> assignments;
  std::vector<int> queries;           // read-all steps read first
  std::vector<std::string> commands;  // what goes to a unit holding the defaults
};

const PlanRow kPlans[] = {
    {{"alarm.mode=external"}, {}, {"AME\r\n"}},
    {{"alarm.holdTimeText=7"}, {}, {"ADT007\r\n"}},
    // Sent in the order of the send-all run, whatever the order typed.
    {{"other.ntscAspect=full", "alarm.mode=external"}, {}, {"AME\r\n", "NARF\r\n"}},
    // One channel of an adjustment: its single-channel command.
    {{"videoAdjust.brightness[3]=-1"}, {}, {"VAB04127\r\n"}},
    {{"videoAdjust.brightness[3]=-1", "videoAdjust.brightness[0]=1"},
     {},
     {"VAB01001\r\n", "VAB04127\r\n"}},
    // Every channel: the all-channel command.
    {{"videoAdjust.brightness=-1"},
     {},
     {"VAB127127127127127127127127127127127127127127127127\r\n"}},
    {{"videoFormat.format[9]=ntsc"}, {}, {"VF107\r\n"}},
    {{"title.text[1]=入口"}, {}, {"CJ02467E387D21212121212121212121212121212121\r\n"}},
    {{"autoSwitch.dwellTime[0]=10"}, {}, {"CASTS0110\r\n"}},
    {{"autoSwitch.mode=single"}, {}, {"CASMS\r\n"}},
    // Only an all-channel command exists: the other channels are read first.
    {{"agc.on[2]=off"}, {38}, {"AGCNNFNNNNNNNNNNNNN\r\n"}},
    {{"videoLoss.detect[15]=off"}, {5}, {"VLNNNNNNNNNNNNNNNF\r\n"}},
    {{"splitLayout.quadB[3]=16", "splitLayout.quadB[2]=8", "splitLayout.quadB[1]=7"},
     {43},
     {"SPD4B05070816\r\n"}},
    // Every entry given: nothing to read.
    {{"agc.on=off"}, {}, {"AGCFFFFFFFFFFFFFFFF\r\n"}},
};

TEST(SetPlan, CommandsAndReadsForEachKindOfField) {
  for (const PlanRow& row : kPlans) {
    SCOPED_TRACE(row.assignments.front());
    SettingsModel model;
    auto fields = SavedFields(model);
    const auto assignments = Parse(fields, row.assignments);
    const SetPlan plan = PlanSet(fields, assignments);
    EXPECT_TRUE(plan.errors.empty());
    EXPECT_EQ(plan.queries, row.queries);
    ApplyAssignments(fields, assignments);
    const BuiltCommands built = BuildCommands(model, plan);
    ASSERT_TRUE(built.refusals.empty()) << built.refusals.front().message;
    std::vector<std::string> texts;
    for (const Encoded& e : built.commands) texts.push_back(e.text);
    EXPECT_EQ(texts, row.commands);
  }
}

TEST(SetPlan, EveryDwellTimeGoesOutEntryByEntry) {
  // The all-entries command depends on the unit's mode; the single entries do not.
  SettingsModel model;
  auto fields = SavedFields(model);
  const auto assignments = Parse(fields, {"autoSwitch.dwellTime=5"});
  const SetPlan plan = PlanSet(fields, assignments);
  EXPECT_TRUE(plan.queries.empty());
  ApplyAssignments(fields, assignments);
  const BuiltCommands built = BuildCommands(model, plan);
  ASSERT_EQ(built.commands.size(), 25u);
  EXPECT_EQ(built.commands.front().text, "CASTS0105\r\n");
  EXPECT_EQ(built.commands.back().text, "CASTD1605\r\n");
}

TEST(SetPlan, FieldsKeptOnlyInFilesCannotBeSet) {
  SettingsModel model;
  auto fields = SavedFields(model);
  const SetPlan plan = PlanSet(fields, Parse(fields, {"videoAdjust.saturationV[0]=1"}));
  ASSERT_EQ(plan.errors.size(), 1u);
  EXPECT_NE(plan.errors.front().find("videoAdjust.saturationV"), std::string::npos);
  EXPECT_TRUE(plan.commands.empty());
}

TEST(SetPlan, ChannelShownTwiceIsRefusedWithTheDuplicateMessage) {
  SettingsModel model;  // quadA holds channels 1, 2, 3, 4
  auto fields = SavedFields(model);
  const auto assignments = Parse(fields, {"splitLayout.quadA[0]=2"});
  const SetPlan plan = PlanSet(fields, assignments);
  ApplyAssignments(fields, assignments);
  const BuiltCommands built = BuildCommands(model, plan);
  EXPECT_TRUE(built.commands.empty());
  ASSERT_EQ(built.refusals.size(), 1u);
  EXPECT_EQ(built.refusals.front().field, "splitLayout.quadA");
  EXPECT_NE(built.refusals.front().message.find("チャンネルが重複しています。"), std::string::npos);
}

struct CheckRow {
  const char* name;
  void (*spoil)(SettingsModel&);
  const char* field;  // the refusal names it
};

const CheckRow kSpoiledModels[] = {
    {"alarm mode 5", [](SettingsModel& m) { m.alarm.mode = 5; }, "alarm.mode"},
    {"hold time 000", [](SettingsModel& m) { SetText(m.alarm.holdTimeText, "000"); },
     "alarm.holdTimeText"},
    {"brightness 200", [](SettingsModel& m) { m.videoAdjust.brightness[4] = 200; },
     "videoAdjust.brightness[4]"},
    {"hue -1", [](SettingsModel& m) { m.videoAdjust.hue[0] = -1; }, "videoAdjust.hue[0]"},
    {"font size 5", [](SettingsModel& m) { m.fontSize.single = 5; }, "fontSize.single"},
    {"dwell time 100", [](SettingsModel& m) { m.autoSwitch.dwellTime[24] = 100; },
     "autoSwitch.dwellTime[24]"},
    {"half-width title", [](SettingsModel& m) { SetText(m.title.text[6], "AB"); }, "title.text[6]"},
    {"odd title",
     [](SettingsModel& m) {
       SetText(m.title.text[2],
               "\x93\xfc"
               "A");
     },
     "title.text[2]"},
    {"duplicate channel", [](SettingsModel& m) { m.splitLayout.nineB[8] = m.splitLayout.nineB[0]; },
     "splitLayout.nineB"},
    {"two empty positions",
     [](SettingsModel& m) { m.splitLayout.quadC[0] = m.splitLayout.quadC[1] = -1; },
     "splitLayout.quadC"},
};

TEST(CheckSendAll, RefusesEveryValueTheUnitWouldNotTake) {
  EXPECT_TRUE(CheckSendAll(SettingsModel{}).empty());
  for (const CheckRow& row : kSpoiledModels) {
    SCOPED_TRACE(row.name);
    SettingsModel m;
    row.spoil(m);
    const auto refusals = CheckSendAll(m);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals.front().field, row.field);
  }
}

TEST(CheckSendAll, ValuesNeverSentAreNotChecked) {
  SettingsModel m;
  m.videoAdjust.saturationV[3] = -12345;
  m.screenSwitch.picture = 99;
  EXPECT_TRUE(CheckSendAll(m).empty());
}

// Read-all and send-all against the simulator's unit logic.

SettingsModel NonDefaultSettings() {
  SettingsModel m;
  m.alarm.mode = 1;
  SetText(m.alarm.holdTimeText, "45");
  m.videoLoss.detect[3] = 0;
  m.dateTime.displayRange = 6;
  SetText(m.title.text[1], "\x93\xfc\x8c\xfb");
  m.autoSwitch.dwellTime[20] = 17;
  m.videoAdjust.brightness[3] = 63;
  m.videoAdjust.hue[15] = 0;
  m.agc.on[2] = 0;
  m.videoFormat.format[9] = 6;
  m.splitLayout.quadA = {3, 2, 1, 0};
  m.other.powerOnScreen = 22;
  m.other.borderLine = 1;
  return m;
}

TEST(UnitJobs, ReadAllFillsTheModelFromTheUnit) {
  FakeClock clock;
  SimulatedBus bus(clock);
  bus.AddUnit().state().settings = NonDefaultSettings();
  Session session;
  CommandExchange exchange(session, bus, ExchangeTiming{}, clock);
  int calls = 0;
  const JobResult r = ReadAllSettings(exchange, [&calls](int done, int total) {
    ++calls;
    EXPECT_EQ(done, calls);
    EXPECT_EQ(total, kReadAllStepCount);
  });
  ASSERT_TRUE(r.ok) << OutcomeText(r.failure);
  EXPECT_EQ(calls, kReadAllStepCount);
  EXPECT_EQ(bus.frames.size(), static_cast<std::size_t>(kReadAllStepCount));
  EXPECT_EQ(session.model.alarm.mode, 1);
  EXPECT_EQ(session.model.videoAdjust.brightness[3], 63);
  EXPECT_EQ(session.model.splitLayout.quadA, (std::array<std::int32_t, 4>{3, 2, 1, 0}));
  EXPECT_EQ(session.model.other.powerOnScreen, 22);
  EXPECT_EQ(TextView(session.model.title.text[1]), "\x93\xfc\x8c\xfb");
}

TEST(UnitJobs, WriteAllCarriesTheModelToTheUnit) {
  FakeClock clock;
  SimulatedBus bus(clock);
  sim::SimUnit& unit = bus.AddUnit();
  Session session;
  session.model = NonDefaultSettings();
  CommandExchange exchange(session, bus, ExchangeTiming{}, clock);
  const JobResult r = WriteAllSettings(exchange);
  ASSERT_TRUE(r.ok) << OutcomeText(r.failure);
  EXPECT_EQ(bus.frames.size(), static_cast<std::size_t>(kSendAllStepCount));
  const SettingsModel& held = unit.state().settings;
  EXPECT_EQ(held.alarm.mode, 1);
  EXPECT_EQ(held.videoAdjust.hue[15], 0);
  EXPECT_EQ(held.autoSwitch.dwellTime[20], 17);
  EXPECT_EQ(held.videoFormat.format[9], 6);
}

TEST(UnitJobs, StopsAtTheFirstFailure) {
  FakeClock clock;
  SimulatedBus bus(clock);
  bus.AddUnit().SetForcedStatus("LOCK");
  Session session;
  CommandExchange exchange(session, bus, ExchangeTiming{}, clock);
  const JobResult r = ReadAllSettings(exchange);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.failedAt, 0);
  EXPECT_EQ(r.total, kReadAllStepCount);
  EXPECT_EQ(r.failure.status, ExchangeStatus::kUnitError);
  EXPECT_EQ(OutcomeText(r.failure), "Lock Display");
  EXPECT_EQ(bus.frames.size(), 1u);
}

TEST(UnitJobs, EveryQueryIsAnsweredByItsOwnLine) {
  // What the simulated unit answers to each of the 55 queries is taken: the
  // core's table of what each answer begins with agrees with the unit.
  SettingsModel::Link rs232c;
  SettingsModel::Link rs485;
  rs485.mode = kLinkRs485;
  rs485.slaveAddress = 7;
  for (const auto& link : {rs232c, rs485}) {
    FakeClock clock;
    SimulatedBus bus(clock);
    bus.AddUnit(link.mode == kLinkRs485 ? std::optional<int>(7) : std::nullopt);
    Session session;
    session.model.link = link;
    CommandExchange exchange(session, bus, ExchangeTiming{}, clock);
    for (int step = 0; step < kReadAllStepCount; ++step) {
      SCOPED_TRACE(ReadAllQuery(step));
      const ExchangeResult r = exchange.Query(ReadAllQuery(step));
      EXPECT_EQ(r.status, ExchangeStatus::kAcknowledged) << r.reply;
    }
  }
}

TEST(UnitJobs, AnswerToAnotherQueryFailsTheRead) {
  struct Row {
    const char* answer;
    bool accepted;
  };
  const Row rows[] = {
      {"AME\r\n", true},   {"APM\r\n", false},  // a valid line, but for the polarity
      {"GO\r\n", false},                        // acknowledged, yet nothing was read
      {"ADON\r\n", false}, {"AM\r\n", false},   // its own keyword, without a value
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.answer);
    FakeClock clock;
    testing::ScriptedPort port(clock);
    port.Answer({row.answer});
    Session session;
    CommandExchange exchange(session, port, ExchangeTiming{}, clock);
    const JobResult r = RunQueries(exchange, {0});
    EXPECT_EQ(r.ok, row.accepted);
    if (!row.accepted) {
      EXPECT_EQ(r.failure.status, ExchangeStatus::kUnexpectedAnswer);
      EXPECT_EQ(OutcomeText(r.failure), "unexpected answer");
    }
  }
}

TEST(UnitJobs, QueriesForFieldsAreTheirStepsOnce) {
  SettingsModel m;
  auto fields = SavedFields(m);
  std::vector<std::size_t> indexes;
  for (const char* name :
       {"agc.on[3]", "agc.on[4]", "alarm.mode", "title.text[2]", "videoAdjust.saturationV[1]"}) {
    indexes.push_back(static_cast<std::size_t>(FindSavedField(fields, name) - fields.data()));
  }
  std::vector<std::string> notKept;
  EXPECT_EQ(QueriesFor(fields, indexes, &notKept), (std::vector<int>{0, 13, 38}));
  EXPECT_EQ(notKept, std::vector<std::string>{"videoAdjust.saturationV[1]"});
  EXPECT_EQ(ReadAllQuery(13), "RCJ03\r\n");
  EXPECT_EQ(ReadAllQuery(38), "RAGC\r\n");
}

}  // namespace
}  // namespace korvex7::ctl
