// Resource identifiers of KORVEX7.exe: menu, dialogs, bitmaps, strings and
// the control identifiers the dialogs and the main window share with the
// resource script. Plain #defines so that the resource compiler can read it.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The identifiers of one control of channels 1..16, in channel order, for a
// C++ table: KORVEX7_CHANNEL_IDS(IDC_AGC_ON_) is IDC_AGC_ON_1, ...,
// IDC_AGC_ON_16. Each channel's identifier is defined once, below.
#ifndef RC_INVOKED
#define KORVEX7_CHANNEL_IDS(prefix)                                                       \
  prefix##1, prefix##2, prefix##3, prefix##4, prefix##5, prefix##6, prefix##7, prefix##8, \
      prefix##9, prefix##10, prefix##11, prefix##12, prefix##13, prefix##14, prefix##15,  \
      prefix##16
#endif

// String table
#define IDS_APP_TITLE 1   // "KORVEX7" (window title buffer)
#define IDS_CLASS_NAME 2  // "KORVEX7" (window class name)

// Menu and accelerators
#define IDR_MAIN_MENU 2
#define IDR_ACCELERATORS 2

// Bitmaps and icons: the toolbar's picture strip drawn for 100, 150 and 200 %
#define IDB_TOOLBAR 101
#define IDI_KORVEX7 102
#define IDB_TOOLBAR_150 119
#define IDB_TOOLBAR_200 120

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
#define IDD_UNIT_SCAN 160
#define IDD_VIDEO_ADJUST 135
#define IDD_VIDEO_ADJUST_NARROW 136  // the same controls laid out for more than 96 DPI
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
#define IDC_COMM_HANDSHAKE 1033
#define IDC_COMM_USE_COM 1300
#define IDC_COMM_USE_SERVER 1301
#define IDC_COMM_SERVER_KIND 1302
#define IDC_COMM_HOST 1303
#define IDC_COMM_TCP_PORT 1304
#define IDC_COMM_SCAN 1305
#define IDC_SCAN_STATUS 1306
#define IDC_SCAN_RESULT 1307
#define IDC_SCAN_CLOSE 1308

// About box
#define IDC_ABOUT_VERSION 1000

// ---- Title, title display, font size, title position, auto switching,
// ---- split-screen layout and video adjustment dialogs (dialogs_paint.rc)

// Title dialog
#define IDC_TITLE_CHANNEL 2001
#define IDC_TITLE_EDIT 2002
#define IDC_TITLE_SET 2003
#define IDC_TITLE_SET_ALL 2004
#define IDC_TITLE_SLAVE 2005
#define IDC_TITLE_CLOSE 2006

// Title display dialog
#define IDC_TITLE_DISPLAY_SINGLE 2021
#define IDC_TITLE_DISPLAY_SINGLE_SET 2022
#define IDC_TITLE_DISPLAY_SPLIT 2023
#define IDC_TITLE_DISPLAY_SPLIT_SET 2024
#define IDC_TITLE_DISPLAY_SLAVE 2025
#define IDC_TITLE_DISPLAY_CLOSE 2026

// Font size dialog
#define IDC_FONT_SIZE_SINGLE 2041
#define IDC_FONT_SIZE_SINGLE_SET 2042
#define IDC_FONT_SIZE_SPLIT 2043
#define IDC_FONT_SIZE_SPLIT_SET 2044
#define IDC_FONT_SIZE_SLAVE 2045
#define IDC_FONT_SIZE_CLOSE 2046

// Title position dialog
#define IDC_TITLE_POSITION_VERTICAL 2061
#define IDC_TITLE_POSITION_VERTICAL_SET 2062
#define IDC_TITLE_POSITION_HORIZONTAL 2063
#define IDC_TITLE_POSITION_HORIZONTAL_SET 2064
#define IDC_TITLE_POSITION_SLAVE 2065
#define IDC_TITLE_POSITION_CLOSE 2066

// Auto switching dialog
#define IDC_AUTO_SWITCH_ENTRY 2101
#define IDC_AUTO_SWITCH_TIME 2102
#define IDC_AUTO_SWITCH_SAME_TIME 2103
#define IDC_AUTO_SWITCH_TIME_SET 2104
#define IDC_AUTO_SWITCH_SET_ALL 2105
#define IDC_AUTO_SWITCH_MODE 2106
#define IDC_AUTO_SWITCH_MODE_SET 2107
#define IDC_AUTO_SWITCH_SLAVE 2108
#define IDC_AUTO_SWITCH_CLOSE 2109

// Split-screen layout dialog: the layout list, then per screen 1..16 its
// group box (IDC_SPLIT_SCREEN_BOX + k - 1) and its list
// (IDC_SPLIT_SCREEN_LIST + k - 1).
#define IDC_SPLIT_LAYOUT 2201
#define IDC_SPLIT_SET 2202
#define IDC_SPLIT_SLAVE 2203
#define IDC_SPLIT_CLOSE 2204
#define IDC_SPLIT_SCREEN_BOX 2210
#define IDC_SPLIT_SCREEN_LIST 2230

// Video adjustment dialog: per row (brightness, contrast, hue, sharpness,
// saturation) its list (IDC_VIDEO_ADJUST_LIST + row) and its "設定"
// (IDC_VIDEO_ADJUST_SET + row).
#define IDC_VIDEO_ADJUST_LIST 2301
#define IDC_VIDEO_ADJUST_SET 2311
#define IDC_VIDEO_ADJUST_CHANNEL 2321
#define IDC_VIDEO_ADJUST_SLAVE 2322
#define IDC_VIDEO_ADJUST_SET_ALL 2323
#define IDC_VIDEO_ADJUST_PROGRESS 2324
#define IDC_VIDEO_ADJUST_CLOSE 2325

// ---- end of the title ... video adjustment dialogs

// ---- AGC, video format, video loss, alarm, date and time, other settings,
// ---- screen switching, send-all and read-all dialogs (dialogs_main.rc)

// AGC dialog: the "ON" and "OFF" radio buttons of channels 1..16.
#define IDC_AGC_ON_1 1016
#define IDC_AGC_OFF_1 1017
#define IDC_AGC_ON_2 1020
#define IDC_AGC_OFF_2 1021
#define IDC_AGC_ON_3 1024
#define IDC_AGC_OFF_3 1025
#define IDC_AGC_ON_4 1028
#define IDC_AGC_OFF_4 1029
#define IDC_AGC_ON_5 1032
#define IDC_AGC_OFF_5 1033
#define IDC_AGC_ON_6 1036
#define IDC_AGC_OFF_6 1037
#define IDC_AGC_ON_7 1040
#define IDC_AGC_OFF_7 1041
#define IDC_AGC_ON_8 1044
#define IDC_AGC_OFF_8 1045
#define IDC_AGC_ON_9 1018
#define IDC_AGC_OFF_9 1019
#define IDC_AGC_ON_10 1022
#define IDC_AGC_OFF_10 1023
#define IDC_AGC_ON_11 1026
#define IDC_AGC_OFF_11 1027
#define IDC_AGC_ON_12 1030
#define IDC_AGC_OFF_12 1031
#define IDC_AGC_ON_13 1034
#define IDC_AGC_OFF_13 1035
#define IDC_AGC_ON_14 1038
#define IDC_AGC_OFF_14 1039
#define IDC_AGC_ON_15 1042
#define IDC_AGC_OFF_15 1043
#define IDC_AGC_ON_16 1046
#define IDC_AGC_OFF_16 1047
#define IDC_AGC_SET 1048
#define IDC_AGC_SLAVE 1049
#define IDC_AGC_CLOSE 1050

// Video format dialog: the list and the "設定" of channels 1..16.
#define IDC_VIDEO_FORMAT_LIST_1 1051
#define IDC_VIDEO_FORMAT_SET_1 1052
#define IDC_VIDEO_FORMAT_LIST_2 1053
#define IDC_VIDEO_FORMAT_SET_2 1054
#define IDC_VIDEO_FORMAT_LIST_3 1055
#define IDC_VIDEO_FORMAT_SET_3 1056
#define IDC_VIDEO_FORMAT_LIST_4 1057
#define IDC_VIDEO_FORMAT_SET_4 1058
#define IDC_VIDEO_FORMAT_LIST_5 1059
#define IDC_VIDEO_FORMAT_SET_5 1060
#define IDC_VIDEO_FORMAT_LIST_6 1061
#define IDC_VIDEO_FORMAT_SET_6 1062
#define IDC_VIDEO_FORMAT_LIST_7 1063
#define IDC_VIDEO_FORMAT_SET_7 1064
#define IDC_VIDEO_FORMAT_LIST_8 1065
#define IDC_VIDEO_FORMAT_SET_8 1066
#define IDC_VIDEO_FORMAT_LIST_9 1083
#define IDC_VIDEO_FORMAT_SET_9 1084
#define IDC_VIDEO_FORMAT_LIST_10 1085
#define IDC_VIDEO_FORMAT_SET_10 1086
#define IDC_VIDEO_FORMAT_LIST_11 1087
#define IDC_VIDEO_FORMAT_SET_11 1088
#define IDC_VIDEO_FORMAT_LIST_12 1089
#define IDC_VIDEO_FORMAT_SET_12 1090
#define IDC_VIDEO_FORMAT_LIST_13 1091
#define IDC_VIDEO_FORMAT_SET_13 1092
#define IDC_VIDEO_FORMAT_LIST_14 1093
#define IDC_VIDEO_FORMAT_SET_14 1094
#define IDC_VIDEO_FORMAT_LIST_15 1095
#define IDC_VIDEO_FORMAT_SET_15 1096
#define IDC_VIDEO_FORMAT_LIST_16 1097
#define IDC_VIDEO_FORMAT_SET_16 1098
#define IDC_VIDEO_FORMAT_SAME 1107
#define IDC_VIDEO_FORMAT_SET_ALL 1108
#define IDC_VIDEO_FORMAT_SLAVE 1067
#define IDC_VIDEO_FORMAT_CLOSE 1068

// Video loss dialog: the "ON" and "OFF" radio buttons of channels 1..16, the
// lists with their "設定" buttons.
#define IDC_VIDEO_LOSS_ON_1 1128
#define IDC_VIDEO_LOSS_OFF_1 1129
#define IDC_VIDEO_LOSS_ON_2 1130
#define IDC_VIDEO_LOSS_OFF_2 1131
#define IDC_VIDEO_LOSS_ON_3 1132
#define IDC_VIDEO_LOSS_OFF_3 1133
#define IDC_VIDEO_LOSS_ON_4 1134
#define IDC_VIDEO_LOSS_OFF_4 1135
#define IDC_VIDEO_LOSS_ON_5 1140
#define IDC_VIDEO_LOSS_OFF_5 1141
#define IDC_VIDEO_LOSS_ON_6 1142
#define IDC_VIDEO_LOSS_OFF_6 1143
#define IDC_VIDEO_LOSS_ON_7 1144
#define IDC_VIDEO_LOSS_OFF_7 1145
#define IDC_VIDEO_LOSS_ON_8 1146
#define IDC_VIDEO_LOSS_OFF_8 1147
#define IDC_VIDEO_LOSS_ON_9 1148
#define IDC_VIDEO_LOSS_OFF_9 1149
#define IDC_VIDEO_LOSS_ON_10 1190
#define IDC_VIDEO_LOSS_OFF_10 1191
#define IDC_VIDEO_LOSS_ON_11 1192
#define IDC_VIDEO_LOSS_OFF_11 1193
#define IDC_VIDEO_LOSS_ON_12 1194
#define IDC_VIDEO_LOSS_OFF_12 1195
#define IDC_VIDEO_LOSS_ON_13 1197
#define IDC_VIDEO_LOSS_OFF_13 1198
#define IDC_VIDEO_LOSS_ON_14 1199
#define IDC_VIDEO_LOSS_OFF_14 1200
#define IDC_VIDEO_LOSS_ON_15 1201
#define IDC_VIDEO_LOSS_OFF_15 1202
#define IDC_VIDEO_LOSS_ON_16 1203
#define IDC_VIDEO_LOSS_OFF_16 1204
#define IDC_VIDEO_LOSS_SET 1136
#define IDC_VIDEO_LOSS_DISPLAY 1125
#define IDC_VIDEO_LOSS_DISPLAY_SET 1138
#define IDC_VIDEO_LOSS_OUTPUT 1126
#define IDC_VIDEO_LOSS_OUTPUT_SET 1103
#define IDC_VIDEO_LOSS_BACKGROUND 1127
#define IDC_VIDEO_LOSS_BACKGROUND_SET 1104
#define IDC_VIDEO_LOSS_SLAVE 1137
#define IDC_VIDEO_LOSS_CLOSE 1139

// Alarm dialog
#define IDC_ALARM_MODE 2401
#define IDC_ALARM_MODE_SET 2402
#define IDC_ALARM_HOLD_TIME 2403
#define IDC_ALARM_HOLD_TIME_SET 2404
#define IDC_ALARM_POLARITY 2405
#define IDC_ALARM_POLARITY_SET 2406
#define IDC_ALARM_DISPLAY 2407
#define IDC_ALARM_DISPLAY_SET 2408
#define IDC_ALARM_RETURN 2409
#define IDC_ALARM_RETURN_SET 2410
#define IDC_ALARM_SLAVE 2411
#define IDC_ALARM_CLOSE 2412

// Date and time dialog: the six clock lists year .. second from
// IDC_DATE_TIME_CLOCK, their "設定" buttons from IDC_DATE_TIME_CLOCK_SET.
#define IDC_DATE_TIME_CLOCK 2501
#define IDC_DATE_TIME_CLOCK_SET 2511
#define IDC_DATE_TIME_RANGE 2521
#define IDC_DATE_TIME_RANGE_SET 2522
#define IDC_DATE_TIME_DISPLAY 2523
#define IDC_DATE_TIME_DISPLAY_SET 2524
#define IDC_DATE_TIME_ADJUST_30S 2525
#define IDC_DATE_TIME_SLAVE 2526
#define IDC_DATE_TIME_CLOSE 2527

// Other settings dialog
#define IDC_OTHER_CONNECTOR 2601
#define IDC_OTHER_CONNECTOR_SET 2602
#define IDC_OTHER_BORDER 2603
#define IDC_OTHER_BORDER_SET 2604
#define IDC_OTHER_POWER_ON 2605
#define IDC_OTHER_POWER_ON_SET 2606
#define IDC_OTHER_ASPECT 2607
#define IDC_OTHER_ASPECT_SET 2608
#define IDC_OTHER_SLAVE 2609
#define IDC_OTHER_CLOSE 2610

// Screen switching dialog
#define IDC_SCREEN_SWITCH_PICTURE 2701
#define IDC_SCREEN_SWITCH_SET 2702
#define IDC_SCREEN_SWITCH_SLAVE 2703
#define IDC_SCREEN_SWITCH_CLOSE 2704

// Send-all dialog
#define IDC_SEND_ALL_PROGRESS 1045
#define IDC_SEND_ALL_START 1046
#define IDC_SEND_ALL_PERCENT 1047
#define IDC_SEND_ALL_SLAVE 1079
#define IDC_SEND_ALL_CLOSE 1113

// Read-all dialog
#define IDC_READ_ALL_PROGRESS 1048
#define IDC_READ_ALL_START 1049
#define IDC_READ_ALL_PERCENT 1050
#define IDC_READ_ALL_SLAVE 1078
#define IDC_READ_ALL_CLOSE 1112

// ---- end of the AGC ... read-all dialogs
