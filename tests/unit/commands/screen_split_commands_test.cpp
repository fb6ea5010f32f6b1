#include "core/commands/screen_split_commands.h"

#include <gtest/gtest.h>

#include "tests/unit/commands/command_test_support.h"

namespace korvex7 {
namespace {

using testing_support::CommandCase;
using testing_support::ExpectCommands;
using testing_support::RecordingSession;

TEST(ScreenSwitch, EveryPicture) {
  const char* const expected[kPictureCount] = {
      "CS01\r\n", "CS02\r\n",  "CS03\r\n",  "CS04\r\n", "CS05\r\n", "CS06\r\n", "CS07\r\n",
      "CS08\r\n", "CS09\r\n",  "CS10\r\n",  "CS11\r\n", "CS12\r\n", "CS13\r\n", "CS14\r\n",
      "CS15\r\n", "CS16\r\n",  "CD4A\r\n",  "CD4B\r\n", "CD4C\r\n", "CD4D\r\n", "CD9A\r\n",
      "CD9B\r\n", "CD13A\r\n", "CD13B\r\n", "CD16\r\n", "CCAS\r\n",
  };
  for (int picture = 0; picture < kPictureCount; ++picture) {
    SCOPED_TRACE(testing::Message() << "picture " << picture);
    RecordingSession r;
    r.session.model.screenSwitch.picture = picture;
    ASSERT_TRUE(SendScreenSwitch(r.session));
    ASSERT_EQ(r.port.frames.size(), 1u);
    EXPECT_EQ(r.port.frames[0], expected[picture]);
  }
}

TEST(ScreenSwitch, OutOfRange) {
  const CommandCase cases[] = {
      {"default channel 1", nullptr, EncodeScreenSwitch, SendScreenSwitch, "CS01\r\n"},
      {"26", [](SettingsModel& m) { m.screenSwitch.picture = 26; }, EncodeScreenSwitch,
       SendScreenSwitch, ""},
      {"-1", [](SettingsModel& m) { m.screenSwitch.picture = -1; }, EncodeScreenSwitch,
       SendScreenSwitch, ""},
  };
  ExpectCommands(cases);
}

struct LayoutCase {
  int layout;
  const char* expected;
};

TEST(SplitLayout, DefaultsOfEveryLayout) {
  const LayoutCase cases[] = {
      {kLayoutQuadA, "SPD4A01020304\r\n"},
      {kLayoutQuadB, "SPD4B05060708\r\n"},
      {kLayoutQuadC, "SPD4C09101112\r\n"},
      {kLayoutQuadD, "SPD4D13141516\r\n"},
      {kLayoutNineA, "SPD9A010203040506070809\r\n"},
      {kLayoutNineB, "SPD9B080910111213141516\r\n"},
      {kLayoutThirteenA, "SPD13A01020304050607080910111213\r\n"},
      {kLayoutThirteenB, "SPD13B01020304050607080910141516\r\n"},
      {kLayoutSixteen, "SPD1601020304050607080910111213141516\r\n"},
  };
  const std::size_t lengths[kLayoutCount] = {15, 15, 15, 15, 25, 25, 34, 34, 39};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "layout " << c.layout);
    RecordingSession r;
    r.session.model.selectedLayout = c.layout;
    ASSERT_TRUE(SendSplitLayout(r.session));
    ASSERT_EQ(r.port.frames.size(), 1u);
    EXPECT_EQ(r.port.frames[0], c.expected);
    EXPECT_EQ(r.port.frames[0].size(), lengths[c.layout]);
    EXPECT_EQ(EncodeSplitLayout(r.session.model, c.layout).text, c.expected);
  }
}

TEST(SplitLayout, DuplicatesAndChannelRange) {
  const CommandCase cases[] = {
      {"quad 3,3,1,2",
       [](SettingsModel& m) {
         m.splitLayout.quadA = {2, 2, 0, 1};
       },
       [](const SettingsModel& m) { return EncodeSplitQuad(m, m.splitLayout.quadA, 0); },
       [](Session& s) { return SendSplitQuad(s, s.model.splitLayout.quadA, 0); }, "",
       kStatusDuplicateChannel},
      {"sixteen first equals last", [](SettingsModel& m) { m.splitLayout.sixteen[15] = 0; },
       EncodeSplitSixteen, SendSplitSixteen, "", kStatusDuplicateChannel},
      {"one -1 sends 00",
       [](SettingsModel& m) {
         m.splitLayout.quadB = {4, -1, 6, 7};
       },
       [](const SettingsModel& m) { return EncodeSplitQuad(m, m.splitLayout.quadB, 1); },
       [](Session& s) { return SendSplitQuad(s, s.model.splitLayout.quadB, 1); },
       "SPD4B05000708\r\n"},
      {"two -1 are a duplicate",
       [](SettingsModel& m) {
         m.splitLayout.nineA[0] = -1;
         m.splitLayout.nineA[8] = -1;
       },
       [](const SettingsModel& m) { return EncodeSplitNine(m, m.splitLayout.nineA, 0); },
       [](Session& s) { return SendSplitNine(s, s.model.splitLayout.nineA, 0); }, "",
       kStatusDuplicateChannel},
      {"thirteen B duplicate in the middle",
       [](SettingsModel& m) { m.splitLayout.thirteenB[6] = m.splitLayout.thirteenB[7]; },
       [](const SettingsModel& m) { return EncodeSplitThirteen(m, m.splitLayout.thirteenB, 1); },
       [](Session& s) { return SendSplitThirteen(s, s.model.splitLayout.thirteenB, 1); }, "",
       kStatusDuplicateChannel},
      {"channel 16 stored as 15 is fine", [](SettingsModel& m) { m.splitLayout.quadA[3] = 15; },
       [](const SettingsModel& m) { return EncodeSplitQuad(m, m.splitLayout.quadA, 0); },
       [](Session& s) { return SendSplitQuad(s, s.model.splitLayout.quadA, 0); },
       "SPD4A01020316\r\n"},
      // A stored value beyond the channels would not fit its two digits.
      {"stored 16", [](SettingsModel& m) { m.splitLayout.quadA[3] = 16; },
       [](const SettingsModel& m) { return EncodeSplitQuad(m, m.splitLayout.quadA, 0); },
       [](Session& s) { return SendSplitQuad(s, s.model.splitLayout.quadA, 0); }, ""},
      {"stored -2", [](SettingsModel& m) { m.splitLayout.sixteen[4] = -2; }, EncodeSplitSixteen,
       SendSplitSixteen, ""},
      {"stored 99", [](SettingsModel& m) { m.splitLayout.sixteen[0] = 99; }, EncodeSplitSixteen,
       SendSplitSixteen, ""},
      {"a duplicate is reported before a bad value",
       [](SettingsModel& m) {
         m.splitLayout.quadA = {99, 1, 1, 3};
       },
       [](const SettingsModel& m) { return EncodeSplitQuad(m, m.splitLayout.quadA, 0); },
       [](Session& s) { return SendSplitQuad(s, s.model.splitLayout.quadA, 0); }, "",
       kStatusDuplicateChannel},
  };
  ExpectCommands(cases);
}

struct VariantCase {
  int variant;
  const char* quad;
  const char* nine;
  const char* thirteen;
};

TEST(SplitLayout, VariantLetters) {
  const VariantCase cases[] = {
      {0, "SPD4A", "SPD9A", "SPD13A"}, {1, "SPD4B", "SPD9B", "SPD13B"},
      {2, "SPD4C", "SPD9A", "SPD13A"}, {3, "SPD4D", "SPD9A", "SPD13A"},
      {4, "SPD4A", "SPD9A", "SPD13A"}, {-1, "SPD4A", "SPD9A", "SPD13A"},
  };
  const SettingsModel m;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "variant " << c.variant);
    EXPECT_EQ(EncodeSplitQuad(m, m.splitLayout.quadA, c.variant).text,
              std::string(c.quad) + "01020304\r\n");
    EXPECT_EQ(EncodeSplitNine(m, m.splitLayout.nineA, c.variant).text,
              std::string(c.nine) + "010203040506070809\r\n");
    EXPECT_EQ(EncodeSplitThirteen(m, m.splitLayout.thirteenA, c.variant).text,
              std::string(c.thirteen) + "01020304050607080910111213\r\n");
  }
}

TEST(SplitLayout, SendWaitsForTheAcknowledgement) {
  RecordingSession r;
  r.session.replyWait.ackPending = 1;
  EXPECT_FALSE(SendSplitLayout(r.session));
  EXPECT_TRUE(r.port.frames.empty());
  EXPECT_EQ(r.session.replyWait.unitStatus, kStatusNone);
}

TEST(SplitLayout, UnknownLayoutIsRefused) {
  for (const int layout : {-1, 9, 100}) {
    SCOPED_TRACE(layout);
    RecordingSession r;
    r.session.model.selectedLayout = layout;
    EXPECT_FALSE(SendSplitLayout(r.session));
    EXPECT_TRUE(r.port.frames.empty());
    EXPECT_EQ(r.session.replyWait.unitStatus, kStatusCommandError);
  }
}

}  // namespace
}  // namespace korvex7
