// The dialogs opened from the "設定" menu and the toolbar: one row per menu
// command with the function that runs its dialog (each dialog knows its own
// template).
#pragma once

#include <windows.h>

#include <array>

#include "win/dialogs/agc_dialog.h"
#include "win/dialogs/alarm_dialog.h"
#include "win/dialogs/auto_switch_dialog.h"
#include "win/dialogs/date_time_dialog.h"
#include "win/dialogs/dialog_context.h"
#include "win/dialogs/font_size_dialog.h"
#include "win/dialogs/other_dialog.h"
#include "win/dialogs/read_all_dialog.h"
#include "win/dialogs/screen_switch_dialog.h"
#include "win/dialogs/send_all_dialog.h"
#include "win/dialogs/split_layout_dialog.h"
#include "win/dialogs/title_dialog.h"
#include "win/dialogs/title_display_dialog.h"
#include "win/dialogs/title_position_dialog.h"
#include "win/dialogs/video_adjust_dialog.h"
#include "win/dialogs/video_format_dialog.h"
#include "win/dialogs/video_loss_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

// Runs one modal dialog over context.owner; returns when it closes.
using DialogRunner = void (*)(const DialogContext& context);

struct SettingsDialogEntry {
  int command;
  DialogRunner run;
};

inline constexpr std::array<SettingsDialogEntry, 16> kSettingsDialogs = {{
    {IDM_ALARM, RunAlarmDialog},
    {IDM_VIDEO_LOSS, RunVideoLossDialog},
    {IDM_DATE_TIME, RunDateTimeDialog},
    {IDM_TITLE, RunTitleDialog},
    {IDM_TITLE_DISPLAY, RunTitleDisplayDialog},
    {IDM_FONT_SIZE, RunFontSizeDialog},
    {IDM_AUTO_SWITCH, RunAutoSwitchDialog},
    {IDM_VIDEO_ADJUST, RunVideoAdjustDialog},
    {IDM_AGC, RunAgcDialog},
    {IDM_VIDEO_FORMAT, RunVideoFormatDialog},
    {IDM_TITLE_POSITION, RunTitlePositionDialog},
    {IDM_SPLIT_LAYOUT, RunSplitLayoutDialog},
    {IDM_SCREEN_SWITCH, RunScreenSwitchDialog},
    {IDM_OTHER, RunOtherDialog},
    {IDM_SEND_ALL, RunSendAllDialog},
    {IDM_READ_ALL, RunReadAllDialog},
}};

inline const SettingsDialogEntry* FindSettingsDialog(int command) {
  for (const SettingsDialogEntry& e : kSettingsDialogs) {
    if (e.command == command) return &e;
  }
  return nullptr;
}

}  // namespace korvex7::win
