# The dialogs at 144 DPI (LogPixels 144): each opens from its menu item and
# is photographed; being laid out in dialog units they grow with the font.
wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
start_sim
start_program
program_up
# The menu command, the caption, the "Close" button and the picture's name.
while read -r command caption close name; do
  open_dialog "${!command}" "$caption"
  shot "$name" main 1000 dialog "$caption" 1000
  in_dialog "$caption" click "${!close}" gone 3000
done <<'DIALOGS'
IDM_ALARM アラームの設定 IDC_ALARM_CLOSE alarm
IDM_VIDEO_LOSS ビデオロスの設定 IDC_VIDEO_LOSS_CLOSE video-loss
IDM_DATE_TIME 日付・時刻の設定 IDC_DATE_TIME_CLOSE date-time
IDM_AGC オート・ゲイン・コントロール IDC_AGC_CLOSE agc
IDM_VIDEO_FORMAT ビデオフォーマットの設定 IDC_VIDEO_FORMAT_CLOSE video-format
IDM_OTHER その他の設定 IDC_OTHER_CLOSE other
IDM_SCREEN_SWITCH 画面切換え IDC_SCREEN_SWITCH_CLOSE screen-switch
IDM_SEND_ALL 全項目の設定 IDC_SEND_ALL_CLOSE send-all
IDM_READ_ALL 設定項目の読み込み IDC_READ_ALL_CLOSE read-all
DIALOGS
expect_frames </dev/null
exit_unchanged
