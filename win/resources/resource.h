// Resource identifiers of KORVEX7.exe: menu, dialogs, bitmaps, strings and
// the control identifiers the dialogs and the main window share with the
// resource script. Plain #defines so that the resource compiler can read it.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// String table
#define IDS_APP_TITLE 1   // "KORVEX7" (window title buffer)
#define IDS_CLASS_NAME 2  // "KORVEX7" (window class name)

// Menu and accelerators
#define IDR_MAIN_MENU 2
#define IDR_ACCELERATORS 2

// Bitmaps and icons
#define IDB_TOOLBAR 101
#define IDI_KORVEX7 102

// Dialog templates
#define IDD_DATE_TIME 104
#define IDD_VIDEO_LOSS 105
#define IDD_TITLE_DISPLAY 106
#define IDD_TITLE 107
#define IDD_AUTO_SWITCH 109
#define IDD_TITLE_POSITION 110
#define IDD_SPLIT_LAYOUT 111
#define IDD_SCREEN_SWITCH 112
#define IDD_OTHER 113
#define IDD_SEND_ALL 114
#define IDD_ALARM 115
#define IDD_READ_ALL 116
#define IDD_ABOUT 117
#define IDD_COMM_SETTINGS 118
#define IDD_VIDEO_ADJUST 135
#define IDD_FONT_SIZE 141
#define IDD_VIDEO_FORMAT 147
#define IDD_AGC 151

// Menu commands (also sent by the toolbar buttons)
#define IDM_FILE_NEW 40001
#define IDM_FILE_OPEN 40002
#define IDM_FILE_SAVE 40003
#define IDM_FILE_SAVE_AS 40004
#define IDM_FILE_EXIT 40005
#define IDM_ALARM 40006
#define IDM_VIDEO_LOSS 40007
#define IDM_TITLE 40008
#define IDM_TITLE_DISPLAY 40009
#define IDM_AUTO_SWITCH 40011
#define IDM_TITLE_POSITION 40012
#define IDM_SPLIT_LAYOUT 40013
#define IDM_SCREEN_SWITCH 40014
#define IDM_OTHER 40015
#define IDM_SEND_ALL 40016
#define IDM_READ_ALL 40017
#define IDM_COMM_SETTINGS 40018
#define IDM_ABOUT 40019
#define IDM_DATE_TIME 40020
#define IDM_VIDEO_ADJUST 40022
#define IDM_FONT_SIZE 40023
#define IDM_VIDEO_FORMAT 40024
#define IDM_AGC 40025

// Child windows of the main window
#define IDC_STATUS_BAR 30
#define IDC_TOOLBAR 50

// Communication-settings dialog
#define IDC_COMM_CONTROL 1030
#define IDC_COMM_OK 1031
#define IDC_COMM_PORT 1032

// About box
#define IDC_ABOUT_VERSION 1000
