// The lists of the video loss, video format, other-settings and screen
// switching dialogs: each position, stored and sent, gives the command the
// item names.
#include <gtest/gtest.h>

#include <string>

#include "core/commands/agc_format_commands.h"
#include "core/commands/other_commands.h"
#include "core/commands/screen_split_commands.h"
#include "core/commands/video_loss_commands.h"
#include "core/ui/other_dialog_logic.h"
#include "core/ui/video_format_dialog_logic.h"
#include "core/ui/video_loss_dialog_logic.h"

namespace korvex7 {
namespace {

TEST(PictureList, ItemsAndCommands) {
  struct Row {
    int position;
    const char* item;
    const char* powerOn;
    const char* screenSwitch;
  } const rows[] = {
      {0, "ch.01", "POSS01\r\n", "CS01\r\n"},       {9, "ch.10", "POSS10\r\n", "CS10\r\n"},
      {15, "ch.16", "POSS16\r\n", "CS16\r\n"},      {16, "4分割A", "POSD4A\r\n", "CD4A\r\n"},
      {19, "4分割D", "POSD4D\r\n", "CD4D\r\n"},     {20, "9分割A", "POSD9A\r\n", "CD9A\r\n"},
      {21, "9分割B", "POSD9B\r\n", "CD9B\r\n"},     {22, "13分割A", "POSD13A\r\n", "CD13A\r\n"},
      {23, "13分割B", "POSD13B\r\n", "CD13B\r\n"},  {24, "16分割", "POSD16\r\n", "CD16\r\n"},
      {25, "自動切換え", "POSCAS\r\n", "CCAS\r\n"},
  };
  ASSERT_EQ(kPictureItems.size(), 26u);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.item);
    EXPECT_EQ(kPictureItems[static_cast<std::size_t>(r.position)], r.item);
    SettingsModel m;
    m.other.powerOnScreen = r.position;
    m.screenSwitch.picture = r.position;
    EXPECT_EQ(EncodePowerOnScreen(m).text, r.powerOn);
    EXPECT_EQ(EncodeScreenSwitch(m).text, r.screenSwitch);
  }
  // Every single-channel item names the channel its command carries.
  for (int i = 0; i < kChannels; ++i) {
    SettingsModel m;
    m.screenSwitch.picture = i;
    const std::string item(kPictureItems[static_cast<std::size_t>(i)]);
    EXPECT_EQ(EncodeScreenSwitch(m).text, "CS" + item.substr(3) + "\r\n");
  }
}

TEST(OtherLists, PositionIsTheValueSent) {
  struct Row {
    std::string_view item;
    void (*set)(SettingsModel&);
    Encoded (*encode)(const SettingsModel&);
    const char* command;
  } const rows[] = {
      {kConnectorInputItems[0], [](SettingsModel& m) { m.other.connectorInput = 0; },
       EncodeConnectorInput, "CIA\r\n"},
      {kConnectorInputItems[1], [](SettingsModel& m) { m.other.connectorInput = 1; },
       EncodeConnectorInput, "CIR\r\n"},
      {kBorderLineItems[0], [](SettingsModel& m) { m.other.borderLine = 0; }, EncodeBorderLine,
       "BLO\r\n"},
      {kBorderLineItems[1], [](SettingsModel& m) { m.other.borderLine = 1; }, EncodeBorderLine,
       "BLW\r\n"},
      {kBorderLineItems[2], [](SettingsModel& m) { m.other.borderLine = 2; }, EncodeBorderLine,
       "BLG\r\n"},
      {kBorderLineItems[3], [](SettingsModel& m) { m.other.borderLine = 3; }, EncodeBorderLine,
       "BLB\r\n"},
      {kNtscAspectItems[0], [](SettingsModel& m) { m.other.ntscAspect = 0; }, EncodeNtscAspect,
       "NAR4\r\n"},
      {kNtscAspectItems[1], [](SettingsModel& m) { m.other.ntscAspect = 1; }, EncodeNtscAspect,
       "NARF\r\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.item);
    SettingsModel m;
    r.set(m);
    EXPECT_EQ(r.encode(m).text, r.command);
  }
  EXPECT_EQ(kBorderLineItems[3], "黒");
  EXPECT_EQ(kNtscAspectItems[0], "4:3 ");
  // Start-up defaults show "黒" and "16分割".
  const SettingsModel defaults;
  EXPECT_EQ(kBorderLineItems[static_cast<std::size_t>(defaults.other.borderLine)], "黒");
  EXPECT_EQ(kPowerOnScreenItems[static_cast<std::size_t>(defaults.other.powerOnScreen)], "16分割");
}

// A stored value past the end of a list is refused by its encoder: the list
// shows no selection and its "設定" ends in "Command Error".
TEST(OtherLists, ValueAfterTheLastItemIsRefused) {
  struct Row {
    const char* what;
    void (*set)(SettingsModel&, std::int32_t);
    Encoded (*encode)(const SettingsModel&);
    std::size_t items;
  } const rows[] = {
      {"connector", [](SettingsModel& m, std::int32_t v) { m.other.connectorInput = v; },
       EncodeConnectorInput, kConnectorInputItems.size()},
      {"border", [](SettingsModel& m, std::int32_t v) { m.other.borderLine = v; }, EncodeBorderLine,
       kBorderLineItems.size()},
      {"power-on", [](SettingsModel& m, std::int32_t v) { m.other.powerOnScreen = v; },
       EncodePowerOnScreen, kPowerOnScreenItems.size()},
      {"aspect", [](SettingsModel& m, std::int32_t v) { m.other.ntscAspect = v; }, EncodeNtscAspect,
       kNtscAspectItems.size()},
      {"screen switch", [](SettingsModel& m, std::int32_t v) { m.screenSwitch.picture = v; },
       EncodeScreenSwitch, kPictureItems.size()},
      {"video loss display", [](SettingsModel& m, std::int32_t v) { m.videoLoss.display = v; },
       EncodeVideoLossDisplay, kOffOnItems.size()},
      {"video loss output", [](SettingsModel& m, std::int32_t v) { m.videoLoss.signalOutput = v; },
       EncodeVideoLossSignalOutput, kOffOnItems.size()},
      {"video loss background",
       [](SettingsModel& m, std::int32_t v) { m.videoLoss.background = v; },
       EncodeVideoLossBackground, kVideoLossBackgroundItems.size()},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    for (std::int32_t v : {static_cast<std::int32_t>(r.items), -1}) {
      SettingsModel m;
      r.set(m, v);
      EXPECT_FALSE(r.encode(m).ok()) << v;
    }
    SettingsModel m;
    r.set(m, static_cast<std::int32_t>(r.items) - 1);
    EXPECT_TRUE(r.encode(m).ok());
  }
}

TEST(VideoLossLists, PositionIsTheValueSent) {
  SettingsModel m;
  m.videoLoss.display = 0;
  m.videoLoss.signalOutput = 1;
  m.videoLoss.background = 1;
  EXPECT_EQ(EncodeVideoLossDisplay(m).text, "VLDOF\r\n");
  EXPECT_EQ(EncodeVideoLossSignalOutput(m).text, "VLSOON\r\n");
  EXPECT_EQ(EncodeVideoLossBackground(m).text, "VLBCB\r\n");
  EXPECT_EQ(kVideoLossBackgroundItems[1], "BLUE");
}

TEST(VideoFormatList, PositionIsTheFormatSent) {
  ASSERT_EQ(kVideoFormatItems.size(), static_cast<std::size_t>(kVideoFormatCount));
  for (std::size_t i = 0; i < kVideoFormatItems.size(); ++i) {
    SCOPED_TRACE(kVideoFormatItems[i]);
    EXPECT_EQ(kVideoFormatItems[i].size(), 8u);  // names are padded to eight
    SettingsModel m;
    const auto format = static_cast<std::int32_t>(i);
    EXPECT_EQ(EncodeVideoFormatChannel(m, 9, format).text, "VF10" + std::to_string(i + 1) + "\r\n");
  }
}

TEST(VideoFormatList, SameSettingGivesEveryChannelOneFormat) {
  SettingsModel m;
  m.videoFormat.format[3] = 9;  // e.g. from a file
  ApplySameVideoFormat(m, 6);   // "NTSC    "
  EXPECT_EQ(EncodeVideoFormatAll(m).text, "VF7777777777777777\r\n");
  // One channel changed afterwards changes only that channel.
  m.videoFormat.format[0] = 0;
  EXPECT_EQ(EncodeVideoFormatAll(m).text, "VF1777777777777777\r\n");
}

}  // namespace
}  // namespace korvex7
