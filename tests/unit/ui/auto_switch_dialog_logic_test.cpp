#include "core/ui/auto_switch_dialog_logic.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/commands/auto_switch_commands.h"

namespace korvex7 {
namespace {

// Bytes of a UTF-8 text in code page 932: every character here is ASCII (one
// byte) or a JIS X 0208 character (two bytes).
std::size_t Cp932Bytes(std::string_view utf8) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      ++n;
    } else if ((b & 0xC0) != 0x80) {
      n += 2;  // the first byte of a multi-byte UTF-8 character
    }
  }
  return n;
}

TEST(AutoSwitchEntries, ListOfEachMode) {
  struct Row {
    std::int32_t mode;
    int count;
    int first;
  };
  const Row rows[] = {
      {kAutoSwitchSingle, 16, 0},
      {kAutoSwitchDivision, 9, 16},
      {kAutoSwitchMix, 25, 0},
      // A mode no list offers lists the channels, as the mode command sends "S".
      {-1, 16, 0},
      {3, 16, 0},
      {INT_MAX, 16, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.mode);
    EXPECT_EQ(AutoSwitchEntryCount(row.mode), row.count);
    EXPECT_EQ(AutoSwitchFirstEntry(row.mode), row.first);
  }
}

TEST(AutoSwitchEntries, EntryOfAListPosition) {
  struct Row {
    std::int32_t mode;
    std::int32_t position;
    int entry;
  };
  const Row rows[] = {
      {kAutoSwitchSingle, 0, 0},    {kAutoSwitchSingle, 15, 15},  {kAutoSwitchSingle, 16, -1},
      {kAutoSwitchDivision, 0, 16}, {kAutoSwitchDivision, 8, 24}, {kAutoSwitchDivision, 9, -1},
      {kAutoSwitchMix, 0, 0},       {kAutoSwitchMix, 20, 20},     {kAutoSwitchMix, 24, 24},
      {kAutoSwitchMix, 25, -1},     {kAutoSwitchMix, -1, -1},     {kAutoSwitchSingle, INT_MIN, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "mode " << row.mode << " position " << row.position);
    EXPECT_EQ(AutoSwitchEntryAt(row.mode, row.position), row.entry);
  }
}

TEST(AutoSwitchEntries, PositionSelectedAtOpening) {
  struct Row {
    std::int32_t mode;
    std::int32_t stored;
    std::int32_t opened;
  };
  const Row rows[] = {
      // Position 20 chosen in MIX, then the mode became SINGLE elsewhere.
      {kAutoSwitchSingle, 20, 0}, {kAutoSwitchMix, 20, 20},    {kAutoSwitchSingle, 15, 15},
      {kAutoSwitchSingle, 16, 0}, {kAutoSwitchDivision, 8, 8}, {kAutoSwitchDivision, 9, 0},
      {kAutoSwitchMix, 24, 24},   {kAutoSwitchMix, 25, 0},     {kAutoSwitchMix, -4, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "mode " << row.mode << " stored " << row.stored);
    EXPECT_EQ(AutoSwitchOpeningPosition(row.mode, row.stored), row.opened);
  }
}

TEST(AutoSwitchTexts, ListItems) {
  struct Row {
    int entry;
    const char* item;
    const char* label;
  };
  const Row rows[] = {
      {0, "ch.01", "ch.01  "},
      {9, "ch.10", "ch.10  "},
      {15, "ch.16", "ch.16  "},
      {16, "４分割A", "4分割A "},
      {19, "４分割D", "4分割D "},
      {20, "９分割A", "9分割A "},
      {21, "９分割B", "9分割B "},
      {22, "１３分割A", "13分割A"},
      {23, "１３分割B", "13分割B"},
      {24, "１６分割", "16分割 "},
      {25, "", ""},
      {-1, "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.entry);
    EXPECT_EQ(AutoSwitchEntryItem(row.entry), row.item);
    EXPECT_EQ(AutoSwitchTableLabel(row.entry), row.label);
  }
  EXPECT_EQ(AutoSwitchModeItem(0), "SINGLE");
  EXPECT_EQ(AutoSwitchModeItem(1), "DIVISION");
  EXPECT_EQ(AutoSwitchModeItem(2), "MIX");
  EXPECT_EQ(AutoSwitchModeItem(3), "");
}

TEST(AutoSwitchTexts, EveryTableLabelIsSevenBytesInCodePage932) {
  for (int e = 0; e < kAutoSwitchEntries; ++e) {
    SCOPED_TRACE(e);
    EXPECT_EQ(Cp932Bytes(AutoSwitchTableLabel(e)), 7u);
  }
}

TEST(AutoSwitchTexts, DwellTimes) {
  struct Row {
    std::int32_t seconds;
    const char* text;
    const char* item;
  };
  const Row rows[] = {
      {0, "00   秒", "00"},
      {3, "03   秒", "03"},
      {10, "10   秒", "10"},
      {99, "99   秒", "99"},
      {100, "100   秒", ""},
      {-5, "-05   秒", ""},
      {INT_MIN, "-2147483648   秒", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.seconds);
    EXPECT_EQ(DwellTimeText(row.seconds), row.text);
    EXPECT_EQ(DwellTimeItem(row.seconds), row.item);
  }
}

TEST(AutoSwitchSameTime, ChangesOnlyTheEntriesOfTheMode) {
  struct Row {
    std::int32_t mode;
    int firstChanged;
    int lastChanged;
  };
  const Row rows[] = {
      {kAutoSwitchSingle, 0, 15},
      {kAutoSwitchDivision, 16, 24},
      {kAutoSwitchMix, 0, 24},
      {7, 0, 15},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.mode);
    SettingsModel m;
    m.autoSwitch.mode = row.mode;
    for (int e = 0; e < kAutoSwitchEntries; ++e) m.autoSwitch.dwellTime[e] = 50 + e;
    SetSameDwellTime(m, 7);
    for (int e = 0; e < kAutoSwitchEntries; ++e) {
      SCOPED_TRACE(e);
      const bool changed = e >= row.firstChanged && e <= row.lastChanged;
      EXPECT_EQ(m.autoSwitch.dwellTime[e], changed ? 7 : 50 + e);
    }
  }
}

TEST(AutoSwitchTable, LinesEightToAColumn) {
  struct Row {
    int position;
    AutoSwitchTableLine expected;
  };
  const Row rows[] = {
      {0, {30, 100, 35}},    {7, {30, 100, 175}},  {8, {190, 260, 35}},
      {15, {190, 260, 175}}, {16, {350, 420, 35}}, {24, {510, 580, 35}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.position);
    const AutoSwitchTableLine got = AutoSwitchTableLineOf(row.position);
    EXPECT_EQ(got.labelX, row.expected.labelX);
    EXPECT_EQ(got.timeX, row.expected.timeX);
    EXPECT_EQ(got.y, row.expected.y);
  }
}

// The last column of MIX (one entry) and the last line of a full column lie
// inside the frame.
TEST(AutoSwitchTable, EveryEntryOfMixLiesInsideTheFrame) {
  for (int p = 0; p < AutoSwitchEntryCount(kAutoSwitchMix); ++p) {
    SCOPED_TRACE(p);
    const AutoSwitchTableLine line = AutoSwitchTableLineOf(p);
    EXPECT_GT(line.labelX, kAutoSwitchTableFrame.left);
    EXPECT_LT(line.timeX + 60, kAutoSwitchTableFrame.right);  // "99   秒" is about 60 pixels
    EXPECT_GT(line.y, kAutoSwitchTableFrame.top);
    EXPECT_LT(line.y + 20, kAutoSwitchTableFrame.bottom);
  }
}

}  // namespace
}  // namespace korvex7
