// The dialogs opened from the "設定" menu and the toolbar: one row per menu
// command with its dialog template. Each dialog unit supplies its Run
// function; a row whose dialog is not part of the program yet has none, and
// its command opens nothing.
#pragma once

#include <windows.h>

#include <array>

#include "win/resources/resource.h"

namespace korvex7::win {

// Runs one modal dialog owned by the main window; returns when it closes.
using DialogRunner = void (*)(HWND owner);

struct SettingsDialogEntry {
  int command;
  int resource;
  DialogRunner run;
};

inline constexpr std::array<SettingsDialogEntry, 16> kSettingsDialogs = {{
    {IDM_ALARM, IDD_ALARM, nullptr},
    {IDM_VIDEO_LOSS, IDD_VIDEO_LOSS, nullptr},
    {IDM_DATE_TIME, IDD_DATE_TIME, nullptr},
    {IDM_TITLE, IDD_TITLE, nullptr},
    {IDM_TITLE_DISPLAY, IDD_TITLE_DISPLAY, nullptr},
    {IDM_FONT_SIZE, IDD_FONT_SIZE, nullptr},
    {IDM_AUTO_SWITCH, IDD_AUTO_SWITCH, nullptr},
    {IDM_VIDEO_ADJUST, IDD_VIDEO_ADJUST, nullptr},
    {IDM_AGC, IDD_AGC, nullptr},
    {IDM_VIDEO_FORMAT, IDD_VIDEO_FORMAT, nullptr},
    {IDM_TITLE_POSITION, IDD_TITLE_POSITION, nullptr},
    {IDM_SPLIT_LAYOUT, IDD_SPLIT_LAYOUT, nullptr},
    {IDM_SCREEN_SWITCH, IDD_SCREEN_SWITCH, nullptr},
    {IDM_OTHER, IDD_OTHER, nullptr},
    {IDM_SEND_ALL, IDD_SEND_ALL, nullptr},
    {IDM_READ_ALL, IDD_READ_ALL, nullptr},
}};

inline const SettingsDialogEntry* FindSettingsDialog(int command) {
  for (const SettingsDialogEntry& e : kSettingsDialogs) {
    if (e.command == command) return &e;
  }
  return nullptr;
}

}  // namespace korvex7::win
