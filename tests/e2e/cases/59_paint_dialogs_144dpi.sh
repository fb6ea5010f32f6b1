# The title, title display, font size, title position, auto switching, split
# layout and video adjustment dialogs at 144 DPI (LogPixels 144): each opens
# from its menu item and is photographed. The controls grow with the font
# (dialog units) and the painted preview and tables with the display's DPI,
# so they keep their places above the controls.
wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
start_sim
start_program
drv main 15000 no-box 1000
while read -r command caption closeId name; do
  drv main 1000 menu "$command" dialog "$caption" 5000
  shot "$name" main 1000 dialog "$caption" 1000
  drv main 1000 dialog "$caption" 1000 click "$closeId" gone 3000
done <<'DIALOGS'
40008 タイトルの設定 2006 title
40009 タイトル表示の設定 2026 title-display
40023 フォントサイズの設定 2046 font-size
40012 タイトル位置微調整 2066 title-position
40011 自動切換えの設定 2109 auto-switch
40013 分割画面配置の設定 2204 split-layout
40022 ビデオ調整設定 2325 video-adjust
DIALOGS

# The 13-way picture at 144 DPI.
drv main 1000 menu 40013 dialog "分割画面配置の設定" 5000 choose 2201 7 \
  wait-text 2201 "１３分割B" 2000
shot split-layout-13b main 1000 dialog "分割画面配置の設定" 1000
drv main 1000 dialog "分割画面配置の設定" 1000 click 2204 gone 3000
expect_frames </dev/null
