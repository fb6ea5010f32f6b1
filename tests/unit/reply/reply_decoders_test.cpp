#include "core/link/reply_decoders.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/link/reply_dispatcher.h"
#include "model_diff.h"

namespace korvex7 {
namespace {

using testing_support::ChangedFields;
using testing_support::MarkedModel;
using testing_support::Numbers;

using Names = std::vector<std::string>;

// Every row must be rejected by the dispatcher and leave the whole model as it
// was.
void ExpectAllRejected(const std::vector<std::string>& lines) {
  for (const auto& line : lines) {
    SCOPED_TRACE(testing::PrintToString(line));
    Session s;
    s.model = MarkedModel();
    s.replyWait.ackPending = 1;
    const SettingsModel before = s.model;
    ReplyDispatcher(s, line);
    EXPECT_EQ(s.replyWait.unitStatus, kStatusCommandError);
    EXPECT_EQ(s.replyWait.outcome, kOutcomeNone);
    EXPECT_EQ(ChangedFields(before, s.model), Names{});
  }
}

SettingsModel Decoded(const std::string& line) {
  SettingsModel m = MarkedModel();
  EXPECT_TRUE(DecodeReply(m, line)) << testing::PrintToString(line);
  return m;
}

// ---- "ADT" -------------------------------------------------------------

TEST(AlarmHoldTimeReply, StoresTheNumberAndItsText) {
  struct Row {
    const char* line;
    int holdTime;
    const char* text;
  };
  const Row rows[] = {
      {"ADT030\r\n", 30, "30"},   {"ADT005\r\n", 5, "5"}, {"ADT999\r\n", 999, "999"},
      {"ADT100\r\n", 100, "100"}, {"ADT000\r\n", 0, "0"}, {"ADT010\r\n", 10, "10"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.line);
    const SettingsModel m = Decoded(r.line);
    EXPECT_EQ(m.alarm.holdTime, r.holdTime);
    EXPECT_EQ(TextView(m.alarm.holdTimeText), r.text);
    EXPECT_EQ(m.alarm.holdTimeText[3], '\0');
  }
}

TEST(AlarmHoldTimeReply, Malformed) {
  ExpectAllRejected({"ADT0A0\r\n", "ADT 30\r\n", "ADT-30\r\n", "ADT03:\r\n", "ADT30\r\n",
                     "ADT0300\r\n", "ADT030\n", "ADT030\r", "ADT030", "ADT\r\n", "ADT"});
}

// ---- "VL", "AGC", "VF" ---------------------------------------------------

TEST(ChannelLetterReplies, DecodeEveryChannel) {
  EXPECT_EQ(Decoded("VLNFFNNNFFFFNNNNNF\r\n").videoLoss.detect,
            (ChannelInts{1, 0, 0, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0}));
  EXPECT_EQ(Decoded("AGCFNNNNNNNNNNNNNNF\r\n").agc.on,
            (ChannelInts{0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}));
  EXPECT_EQ(Decoded("VF7654321123456777\r\n").videoFormat.format,
            (ChannelInts{6, 5, 4, 3, 2, 1, 0, 0, 1, 2, 3, 4, 5, 6, 6, 6}));
}

// The line with one channel's character replaced.
std::string WithChannel(std::string line, std::size_t start, std::size_t channel, char c) {
  line[start + channel] = c;
  return line;
}

TEST(ChannelLetterReplies, OneBadChannelRejectsTheWholeTable) {
  std::vector<std::string> bad;
  for (std::size_t ch = 0; ch < kChannels; ++ch) {
    bad.push_back(WithChannel("AGCNNNNNNNNNNNNNNNN\r\n", 3, ch, 'X'));
    bad.push_back(WithChannel("AGCFFFFFFFFFFFFFFFF\r\n", 3, ch, 'n'));
    bad.push_back(WithChannel("VLNNNNNNNNNNNNNNNN\r\n", 2, ch, 'X'));
    bad.push_back(WithChannel("VF1111111111111111\r\n", 2, ch, '0'));
    bad.push_back(WithChannel("VF7777777777777777\r\n", 2, ch, '8'));
  }
  bad.insert(bad.end(), {
                            "AGCNNNNNNNNNNNNNNN\r\n",    // 15 channels
                            "AGCNNNNNNNNNNNNNNNNN\r\n",  // 17 channels
                            "AGCNNNNNNNNNNNNNNNN\n",
                            "AGCNNNNNNNNNNNNNNNN",
                            "VLNNNNNNNNNNNNNNNN\r",
                            "VF111111111111111\r\n",
                            "VF11111111111111111\r\n",
                            "VF1111111111111111 \r\n",
                        });
  ExpectAllRejected(bad);
}

// ---- "OOV", "OOH" -------------------------------------------------------

TEST(TitleOffsetReplies, StoreZeroToFifteen) {
  for (int v : {0, 1, 8, 9, 10, 15}) {
    const std::string digits = Numbers({v}, 2);
    SCOPED_TRACE(digits);
    EXPECT_EQ(Decoded("OOV" + digits + "\r\n").titlePosition.vertical, v);
    EXPECT_EQ(Decoded("OOH" + digits + "\r\n").titlePosition.horizontal, v);
  }
}

TEST(TitleOffsetReplies, Malformed) {
  ExpectAllRejected({"OOH16\r\n", "OOV16\r\n", "OOV99\r\n", "OOV1:\r\n", "OOV0:\r\n", "OOVA0\r\n",
                     "OOV 8\r\n", "OOV8\r\n", "OOV008\r\n", "OOV08\n", "OOV08", "OOH-1\r\n"});
}

// ---- "CASTM" ------------------------------------------------------------

TEST(DwellTimeReply, StoresAllTwentyFiveEntries) {
  std::vector<int> values;
  for (int i = 0; i < 25; ++i) values.push_back(i * 4);
  const SettingsModel m = Decoded("CASTM" + Numbers(values, 2) + "\r\n");
  for (int i = 0; i < 25; ++i) EXPECT_EQ(m.autoSwitch.dwellTime[i], i * 4) << "entry " << i;

  const SettingsModel all99 = Decoded("CASTM" + std::string(50, '9') + "\r\n");
  for (int i = 0; i < 25; ++i) EXPECT_EQ(all99.autoSwitch.dwellTime[i], 99);
}

TEST(DwellTimeReply, Malformed) {
  const std::string good = "CASTM" + std::string(50, '3') + "\r\n";
  std::vector<std::string> bad;
  for (std::size_t entry = 0; entry < 25; ++entry) {
    std::string colon = good;  // "9:" would give 100
    colon[5 + 2 * entry] = '9';
    colon[6 + 2 * entry] = ':';
    bad.push_back(colon);
    std::string letter = good;
    letter[5 + 2 * entry] = 'A';
    bad.push_back(letter);
  }
  bad.push_back("CASTM" + std::string(48, '3') + "\r\n");
  bad.push_back("CASTM" + std::string(52, '3') + "\r\n");
  bad.push_back("CASTM" + std::string(50, '3') + "\n");
  ExpectAllRejected(bad);
}

// ---- Split-screen layouts ----------------------------------------------------

std::vector<std::int32_t> SplitTable(const SettingsModel& m, const std::string& keyword) {
  const auto& s = m.splitLayout;
  auto v = [](const auto& a) { return std::vector<std::int32_t>(a.begin(), a.end()); };
  if (keyword == "SPD4A") return v(s.quadA);
  if (keyword == "SPD4B") return v(s.quadB);
  if (keyword == "SPD4C") return v(s.quadC);
  if (keyword == "SPD4D") return v(s.quadD);
  if (keyword == "SPD9A") return v(s.nineA);
  if (keyword == "SPD9B") return v(s.nineB);
  if (keyword == "SPD13A") return v(s.thirteenA);
  if (keyword == "SPD13B") return v(s.thirteenB);
  return v(s.sixteen);
}

struct SplitKeyword {
  const char* keyword;
  int count;
  const char* field;
};
const SplitKeyword kSplitKeywords[] = {
    {"SPD4A", 4, "splitLayout.quadA"},       {"SPD4B", 4, "splitLayout.quadB"},
    {"SPD4C", 4, "splitLayout.quadC"},       {"SPD4D", 4, "splitLayout.quadD"},
    {"SPD9A", 9, "splitLayout.nineA"},       {"SPD9B", 9, "splitLayout.nineB"},
    {"SPD13A", 13, "splitLayout.thirteenA"}, {"SPD13B", 13, "splitLayout.thirteenB"},
    {"SPD16", 16, "splitLayout.sixteen"},
};

TEST(SplitLayoutReplies, StoreChannelIndexesInTheirOwnTable) {
  for (const auto& k : kSplitKeywords) {
    SCOPED_TRACE(k.keyword);
    // Channels counted down from 16, so every position differs.
    std::vector<int> channels;
    std::vector<std::int32_t> indexes;
    for (int i = 0; i < k.count; ++i) {
      channels.push_back(16 - i);
      indexes.push_back(15 - i);
    }
    SettingsModel m = MarkedModel();
    const SettingsModel before = m;
    ASSERT_TRUE(DecodeReply(m, k.keyword + Numbers(channels, 2) + "\r\n"));
    EXPECT_EQ(SplitTable(m, k.keyword), indexes);
    EXPECT_EQ(ChangedFields(before, m), testing_support::Indexed(k.field, k.count));
  }
}

TEST(SplitLayoutReplies, Malformed) {
  std::vector<std::string> bad;
  for (const auto& k : kSplitKeywords) {
    const std::string keyword = k.keyword;
    const std::string good = keyword + Numbers(std::vector<int>(k.count, 5), 2) + "\r\n";
    for (int pos = 0; pos < k.count; ++pos) {
      for (const char* field : {"00", "17", "99", "0A", " 5", "1:"}) {
        std::string line = good;
        line.replace(keyword.size() + 2 * pos, 2, field);
        bad.push_back(line);
      }
    }
    bad.push_back(keyword + Numbers(std::vector<int>(k.count - 1, 5), 2) + "\r\n");
    bad.push_back(keyword + Numbers(std::vector<int>(k.count + 1, 5), 2) + "\r\n");
    bad.push_back(keyword + Numbers(std::vector<int>(k.count, 5), 2) + "\n");
  }
  ExpectAllRejected(bad);
}

// ---- "POS" --------------------------------------------------------------

TEST(PowerOnScreenReply, EveryScreenAndBothNamesOfTheThirteenWaySplits) {
  struct Row {
    const char* line;
    int index;
  };
  const Row rows[] = {
      {"POSS01\r\n", 0},   {"POSS02\r\n", 1},   {"POSS09\r\n", 8},   {"POSS10\r\n", 9},
      {"POSS16\r\n", 15},  {"POSD4A\r\n", 16},  {"POSD4B\r\n", 17},  {"POSD4C\r\n", 18},
      {"POSD4D\r\n", 19},  {"POSD9A\r\n", 20},  {"POSD9B\r\n", 21},  {"POSD13A\r\n", 22},
      {"POSD13B\r\n", 23}, {"POSD12A\r\n", 22}, {"POSD12B\r\n", 23}, {"POSD16\r\n", 24},
      {"POSCAS\r\n", 25},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.line);
    EXPECT_EQ(Decoded(r.line).other.powerOnScreen, r.index);
  }
  for (int ch = 1; ch <= 16; ++ch) {
    EXPECT_EQ(Decoded("POSS" + Numbers({ch}, 2) + "\r\n").other.powerOnScreen, ch - 1);
  }
}

TEST(PowerOnScreenReply, Malformed) {
  ExpectAllRejected({"POSS00\r\n", "POSS17\r\n", "POSS1\r\n", "POSS001\r\n", "POSD4E\r\n",
                     "POSD13C\r\n", "POSD12\r\n", "POSD16A\r\n", "POSD9C\r\n", "POSCAS\n", "POSCAS",
                     "POSCASX\r\n", "POS\r\n", "POSD4A \r\n", "POSd4a\r\n"});
}

// ---- Video adjustment ------------------------------------------------------

TEST(VideoAdjustReplies, WorkedExamples) {
  struct Row {
    const char* wire;
    int brightness;
    int hue;
  };
  const Row rows[] = {
      {"064", 0, 188},   {"000", 64, 124}, {"127", 63, 251},
      {"063", 127, 187}, {"001", 65, 125}, {"100", 36, 224},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.wire);
    std::string digits;
    for (int i = 0; i < kChannels; ++i) digits += r.wire;
    EXPECT_EQ(Decoded("VAB" + digits + "\r\n").videoAdjust.brightness,
              SettingsModel::Filled(r.brightness));
    EXPECT_EQ(Decoded("VAH" + digits + "\r\n").videoAdjust.hue, SettingsModel::Filled(r.hue));
  }
  const Row hueOnly[] = {{"132", -1, 0}, {"255", -1, 123}, {"200", -1, 68}};
  for (const auto& r : hueOnly) {
    SCOPED_TRACE(r.wire);
    std::string digits;
    for (int i = 0; i < kChannels; ++i) digits += r.wire;
    EXPECT_EQ(Decoded("VAH" + digits + "\r\n").videoAdjust.hue, SettingsModel::Filled(r.hue));
  }
}

TEST(VideoAdjustReplies, ContrastSaturationAndSharpnessAreStoredAsSent) {
  std::vector<int> v3;
  std::vector<int> v2;
  for (int i = 0; i < kChannels; ++i) {
    v3.push_back(127 - i * 8);
    v2.push_back(31 - i * 2);
  }
  ChannelInts e3{};
  ChannelInts e2{};
  for (int i = 0; i < kChannels; ++i) {
    e3[i] = v3[i];
    e2[i] = v2[i];
  }
  EXPECT_EQ(Decoded("VAC" + Numbers(v3, 3) + "\r\n").videoAdjust.contrast, e3);
  EXPECT_EQ(Decoded("VASA" + Numbers(v3, 3) + "\r\n").videoAdjust.saturation, e3);
  EXPECT_EQ(Decoded("VASH" + Numbers(v2, 2) + "\r\n").videoAdjust.sharpness, e2);
}

// Two's complement as the unit means it: the signed value in 7 or 8 bits.
int BrightnessWire(int stored) { return (stored - 64) & 0x7F; }
int HueWire(int stored) { return (stored - 124) & 0xFF; }

TEST(VideoAdjustReplies, BrightnessAndHueRoundTripEveryStoredValue) {
  for (int s = 0; s <= 127; ++s) EXPECT_EQ(BrightnessFromWire(BrightnessWire(s)), s) << s;
  for (int s = 0; s <= 251; ++s) EXPECT_EQ(HueFromWire(HueWire(s)), s) << s;

  // Whole replies: sixteen stored values per line, every value once.
  for (int first = 0; first <= 127; first += kChannels) {
    std::vector<int> wire;
    ChannelInts stored{};
    for (int i = 0; i < kChannels; ++i) {
      stored[i] = first + i;
      wire.push_back(BrightnessWire(first + i));
    }
    EXPECT_EQ(Decoded("VAB" + Numbers(wire, 3) + "\r\n").videoAdjust.brightness, stored);
  }
  for (int first = 0; first <= 251; first += kChannels) {
    std::vector<int> wire;
    ChannelInts stored{};
    for (int i = 0; i < kChannels; ++i) {
      stored[i] = (first + i) % 252;
      wire.push_back(HueWire(stored[i]));
    }
    EXPECT_EQ(Decoded("VAH" + Numbers(wire, 3) + "\r\n").videoAdjust.hue, stored);
  }
}

TEST(VideoAdjustReplies, WireValuesOutsideTheUnitsRangeAreNotStored) {
  EXPECT_EQ(BrightnessFromWire(128), -1);
  EXPECT_EQ(BrightnessFromWire(-1), -1);
  for (int w = 128; w <= 131; ++w) EXPECT_EQ(HueFromWire(w), -1) << w;
  EXPECT_EQ(HueFromWire(256), -1);
}

TEST(VideoAdjustReplies, Malformed) {
  struct Keyword {
    std::string keyword;
    int width;
    std::vector<std::string> badFields;
  };
  const Keyword keywords[] = {
      {"VAB", 3, {"128", "999", "12A", " 12", "0:0", "-01"}},
      {"VAC", 3, {"128", "999", "1/0", "X00"}},
      {"VASA", 3, {"128", "500", "00 ", "~~~"}},
      {"VASH", 2, {"32", "99", "3A", "-1"}},
      {"VAH", 3, {"128", "129", "130", "131", "256", "999", "2F5"}},
  };
  std::vector<std::string> bad;
  for (const auto& k : keywords) {
    const std::string good = k.keyword + Numbers(std::vector<int>(kChannels, 7), k.width) + "\r\n";
    for (int ch = 0; ch < kChannels; ++ch) {
      for (const auto& field : k.badFields) {
        std::string line = good;
        line.replace(k.keyword.size() + static_cast<std::size_t>(ch * k.width),
                     static_cast<std::size_t>(k.width), field);
        bad.push_back(line);
      }
    }
    bad.push_back(good.substr(0, good.size() - 3) + "\r\n");   // one digit short
    bad.push_back(good.substr(0, good.size() - 2) + "0\r\n");  // one digit more
    bad.push_back(good.substr(0, good.size() - 2) + "\n");
    bad.push_back(good.substr(0, good.size() - 2));
  }
  ExpectAllRejected(bad);
}

}  // namespace
}  // namespace korvex7
