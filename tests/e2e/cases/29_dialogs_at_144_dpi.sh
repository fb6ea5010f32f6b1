# The dialogs at 144 DPI (LogPixels 144): each opens from its menu item and
# is photographed; being laid out in dialog units they grow with the font.
wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
start_sim
start_program
drv main 15000 no-box 1000
while read -r command caption closeId name; do
  drv main 1000 menu "$command" dialog "$caption" 5000
  shot "$name" main 1000 dialog "$caption" 1000
  drv main 1000 dialog "$caption" 1000 click "$closeId" gone 3000
done <<'DIALOGS'
40006 アラームの設定 2412 alarm
40007 ビデオロスの設定 1139 video-loss
40020 日付・時刻の設定 2527 date-time
40025 オート・ゲイン・コントロール 1050 agc
40024 ビデオフォーマットの設定 1068 video-format
40015 その他の設定 2610 other
40014 画面切換え 2704 screen-switch
40016 全項目の設定 1113 send-all
40017 設定項目の読み込み 1112 read-all
DIALOGS
expect_frames </dev/null
drv main 1000 menu 40005 exited 5000 0
