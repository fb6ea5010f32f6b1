# The steps the display-scale cases (29_scale_*) share, sourced by them:
# every dialog of the program opened from its menu item, checked to lie
# inside the work area with each of its controls inside its client area,
# photographed and closed.

# The menu command, the caption, how the dialog is closed and the picture's
# name: the fourteen settings dialogs, read-all, send-all, the communication
# settings and the about box.
EVERY_DIALOG=$(cat <<'DIALOGS'
IDM_ALARM アラームの設定 IDC_ALARM_CLOSE alarm
IDM_VIDEO_LOSS ビデオロスの設定 IDC_VIDEO_LOSS_CLOSE video-loss
IDM_DATE_TIME 日付・時刻の設定 IDC_DATE_TIME_CLOSE date-time
IDM_TITLE タイトルの設定 IDC_TITLE_CLOSE title
IDM_TITLE_DISPLAY タイトル表示の設定 IDC_TITLE_DISPLAY_CLOSE title-display
IDM_FONT_SIZE フォントサイズの設定 IDC_FONT_SIZE_CLOSE font-size
IDM_AUTO_SWITCH 自動切換えの設定 IDC_AUTO_SWITCH_CLOSE auto-switch
IDM_VIDEO_ADJUST ビデオ調整設定 IDC_VIDEO_ADJUST_CLOSE video-adjust
IDM_AGC オート・ゲイン・コントロール IDC_AGC_CLOSE agc
IDM_VIDEO_FORMAT ビデオフォーマットの設定 IDC_VIDEO_FORMAT_CLOSE video-format
IDM_TITLE_POSITION タイトル位置微調整 IDC_TITLE_POSITION_CLOSE title-position
IDM_SPLIT_LAYOUT 分割画面配置の設定 IDC_SPLIT_CLOSE split-layout
IDM_SCREEN_SWITCH 画面切換え IDC_SCREEN_SWITCH_CLOSE screen-switch
IDM_OTHER その他の設定 IDC_OTHER_CLOSE other
IDM_SEND_ALL 全項目の設定 IDC_SEND_ALL_CLOSE send-all
IDM_READ_ALL 設定項目の読み込み IDC_READ_ALL_CLOSE read-all
IDM_COMM_SETTINGS 通信の設定 - comm-settings
IDM_ABOUT KORVEX7のﾊﾞｰｼﾞｮﾝ情報 IDOK about
DIALOGS
)

# every_dialog_fits: each dialog of EVERY_DIALOG opens inside the work area
# with its controls inside, is photographed (CASE-NAME.png) and closes; then
# the split-layout dialog once more on its 13-way picture, which moves its
# screen boxes; then ユニット検索, opened from the communication settings,
# once it has asked the one unit of COM1 (its query and the answer are the
# only frames of the case).
every_dialog_fits() {
  local command caption close name
  while read -r command caption close name; do
    open_dialog "${!command}" "$caption" fits
    shot "$name" main 1000 dialog "$caption" 1000
    if [ "$close" = - ]; then
      in_dialog "$caption" close gone 3000
    else
      in_dialog "$caption" click "${!close}" gone 3000
    fi
  done <<<"$EVERY_DIALOG"

  local split=分割画面配置の設定
  open_dialog "$IDM_SPLIT_LAYOUT" "$split" choose "$IDC_SPLIT_LAYOUT" 7 \
    wait-text "$IDC_SPLIT_LAYOUT" "１３分割B" 2000 fits
  shot split-layout-13b main 1000 dialog "$split" 1000
  in_dialog "$split" click "$IDC_SPLIT_CLOSE" gone 3000

  local comm=通信の設定 scan=ユニット検索
  open_dialog "$IDM_COMM_SETTINGS" "$comm" click "$IDC_COMM_SCAN" dialog "$scan" 3000 \
    wait-text "$IDC_SCAN_STATUS" "COM1 の検索が終わりました (1 アドレス)" 5000 fits
  shot unit-scan main 1000 dialog "$scan" 1000
  in_dialog "$scan" click "$IDC_SCAN_CLOSE" gone 3000
  in_dialog "$comm" close gone 3000
}

# main_and_every_dialog_at_scale LAYOUT: the whole of a scale case. The
# program starts with its unit; its main window, laid out as LAYOUT (a
# pattern of print-main-layout), fits the work area and shows the clock
# whole; it is photographed, then every dialog (every_dialog_fits). The
# unit was asked only by ユニット検索's one query.
main_and_every_dialog_at_scale() {
  local layout
  start_sim
  start_program
  program_up main-fits status 0 "ﾚﾃﾞｨ"
  layout=$(drv main 1000 print-main-layout)
  # shellcheck disable=SC2053 # LAYOUT is a pattern
  [[ $layout == $1 ]] || fail "main window: $layout"
  [[ $(drv main 1000 print-status 1) =~ ^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]$ ]] || fail "no clock"
  shot_main main-window
  every_dialog_fits
  expect_frames <<'FRAMES'
RX RAM\r\n
TX AMI\r\n
FRAMES
  exit_discarding
}
