// The shell's decisions: the unsaved-changes rule, the communication
// settings' "OK", the toolbar table, message-box styles, text conversion.
#include <windows.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/link/status_timer.h"
#include "core/model/settings_model.h"
#include "win/dialogs/comm_settings_dialog.h"
#include "win/dialogs/dialog_caption.h"
#include "win/dialogs/settings_dialogs.h"
#include "win/shell/discard_prompt.h"
#include "win/shell/toolbar_buttons.h"
#include "win/support/message_box.h"
#include "win/support/text.h"

namespace korvex7::win {
namespace {

TEST(DiscardPromptTest, OnlyARealSaveOrNoLetsTheCommandGoOn) {
  struct Row {
    const char* name;
    std::int32_t modified;
    SaveAnswer answer;
    bool saveSucceeds;
    bool goesOn;
    std::int32_t modifiedAfter;
    bool asked;
    bool saved;
  };
  const Row rows[] = {
      {"unchanged", 0, SaveAnswer::kYes, true, true, 0, false, false},
      {"changed, No", 1, SaveAnswer::kNo, true, true, 0, true, false},
      {"changed, Yes, saved", 1, SaveAnswer::kYes, true, true, 0, true, true},
      {"changed, Yes, save cancelled or failed", 1, SaveAnswer::kYes, false, false, 1, true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::int32_t modified = row.modified;
    bool asked = false;
    bool saved = false;
    const bool goesOn = ConfirmDiscardWith(
        modified,
        [&] {
          asked = true;
          return row.answer;
        },
        [&] {
          saved = true;
          if (row.saveSucceeds) modified = 0;  // as SaveDocument does
          return row.saveSucceeds;
        });
    EXPECT_EQ(goesOn, row.goesOn);
    EXPECT_EQ(modified, row.modifiedAfter);
    EXPECT_EQ(asked, row.asked);
    EXPECT_EQ(saved, row.saved);
  }
}

// "OK" takes the three selections; a list without a selection keeps the
// value from opening, and so does an index the list does not have.
TEST(CommSettingsTest, OkTakesTheSelections) {
  const std::vector<PortChoice> ports =
      BuildPortChoices({{"COM7", "USB Serial Port"}, {"COM12", ""}}, L"COM3");
  ASSERT_EQ(ports.size(), 8u);
  const LinkProfile opened{L"COM3", 0, true};
  struct Row {
    int port, mode, handshake;
    LinkProfile chosen;
  };
  const Row rows[] = {
      {2, 0, 0, {L"COM3", 0, true}},     // nothing changed
      {2, 1, 0, {L"COM3", 1, true}},     // line mode only
      {6, 0, 0, {L"COM7", 0, true}},     // the USB adapter's port
      {7, 1, 1, {L"COM12", 1, false}},   // all three
      {-1, -1, -1, {L"COM3", 0, true}},  // no selection keeps the values
      {8, 2, 2, {L"COM3", 0, true}},     // out of the lists: the same
      {0, -1, 1, {L"COM1", 0, false}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.port) + "/" + std::to_string(row.mode) + "/" +
                 std::to_string(row.handshake));
    EXPECT_EQ(ChosenCommSettings(opened, ports, row.port, row.mode, row.handshake), row.chosen);
  }
}

// Every toolbar button shows its own picture and opens a settings dialog of
// the menu; the pictures are used in order.
TEST(ToolbarTest, ButtonsMatchTheMenu) {
  std::set<int> commands;
  for (std::size_t i = 0; i < kToolbarButtons.size(); ++i) {
    const ToolbarButton& b = kToolbarButtons[i];
    SCOPED_TRACE(b.command);
    EXPECT_EQ(b.image, static_cast<int>(i));
    EXPECT_TRUE(commands.insert(b.command).second);
    const SettingsDialogEntry* dialog = FindSettingsDialog(b.command);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(FindToolbarButton(b.command), &b);
    EXPECT_FALSE(b.tooltip.empty());
    EXPECT_FALSE(b.statusText.empty());
  }
  EXPECT_EQ(FindToolbarButton(IDM_FILE_NEW), nullptr);
  EXPECT_EQ(FindToolbarButton(IDM_SEND_ALL), nullptr);
  EXPECT_EQ(FindSettingsDialog(IDM_ABOUT), nullptr);
  EXPECT_EQ(FindToolbarButton(IDM_AGC)->tooltip, L"オート・ゲイン・コントロール");
  EXPECT_EQ(FindToolbarButton(IDM_AGC)->statusText, L"オート・ゲイン・コントロールの設定");
}

TEST(MessageBoxTest, StylesOfTheCoreMessages) {
  struct Row {
    MessageIcon icon;
    UINT style;
  };
  const Row rows[] = {
      {MessageIcon::kNone, MB_OK | MB_TASKMODAL},
      {MessageIcon::kError, MB_OK | MB_TASKMODAL | MB_ICONERROR},
      {MessageIcon::kWarning, MB_OK | MB_TASKMODAL | MB_ICONWARNING},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.icon));
    StatusMessage m{"text", "caption", row.icon, MessageBeep::kNone};
    EXPECT_EQ(StatusMessageStyle(m), row.style);
  }
}

TEST(TextTest, Utf8RoundTrip) {
  const std::string rows[] = {
      "", "Success", "接続成功", "ﾚﾃﾞｨ", "チャンネルが重複しています。", "C:\\データ\\unit.dat",
  };
  for (const std::string& text : rows) {
    SCOPED_TRACE(text);
    EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
  }
  EXPECT_EQ(Utf8ToWide("接続失敗"), L"接続失敗");
}

TEST(TextTest, TitlesFromCodePage932) {
  const std::pair<std::string, std::wstring> rows[] = {
      {"", L""},
      {"\x81\x40", L"\x3000"},
      {std::string(TextView(DefaultTitle(0))), L"　　　ＣＨ０１　　　"},
      {std::string(TextView(DefaultTitle(15))), L"　　　ＣＨ１６　　　"},
      {"\x83\x4A\x83\x81\x83\x89", L"カメラ"},
      {"CAM 1", L"CAM 1"},
      {"\xB1\xB2", L"ｱｲ"},
  };
  for (const auto& [bytes, wide] : rows) {
    SCOPED_TRACE(bytes);
    EXPECT_EQ(Cp932ToWide(bytes), wide);
  }
}

TEST(DialogCaptionTest, FileNameFollowsTheCaption) {
  EXPECT_EQ(CaptionWithFileName(L"通信の設定  ", ""), L"通信の設定  ");
  EXPECT_EQ(CaptionWithFileName(L"通信の設定  ", "C:\\データ\\unit.dat"),
            L"通信の設定  C:\\データ\\unit.dat");
}

}  // namespace
}  // namespace korvex7::win
