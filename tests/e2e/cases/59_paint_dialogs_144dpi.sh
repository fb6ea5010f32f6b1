# The title, title display, font size, title position, auto switching, split
# layout and video adjustment dialogs at 144 DPI (LogPixels 144): each opens
# from its menu item and is photographed. The controls grow with the font
# (dialog units) and the painted preview and tables with the display's DPI,
# so they keep their places above the controls.
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
IDM_TITLE タイトルの設定 IDC_TITLE_CLOSE title
IDM_TITLE_DISPLAY タイトル表示の設定 IDC_TITLE_DISPLAY_CLOSE title-display
IDM_FONT_SIZE フォントサイズの設定 IDC_FONT_SIZE_CLOSE font-size
IDM_TITLE_POSITION タイトル位置微調整 IDC_TITLE_POSITION_CLOSE title-position
IDM_AUTO_SWITCH 自動切換えの設定 IDC_AUTO_SWITCH_CLOSE auto-switch
IDM_SPLIT_LAYOUT 分割画面配置の設定 IDC_SPLIT_CLOSE split-layout
IDM_VIDEO_ADJUST ビデオ調整設定 IDC_VIDEO_ADJUST_CLOSE video-adjust
DIALOGS

# The 13-way picture at 144 DPI.
S="分割画面配置の設定"
open_dialog "$IDM_SPLIT_LAYOUT" "$S" choose "$IDC_SPLIT_LAYOUT" 7 \
  wait-text "$IDC_SPLIT_LAYOUT" "１３分割B" 2000
shot split-layout-13b main 1000 dialog "$S" 1000
in_dialog "$S" click "$IDC_SPLIT_CLOSE" gone 3000
expect_frames </dev/null
