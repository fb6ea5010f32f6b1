# e2e-screen: 1920x1080
# e2e-dpi: 96
# The main window moved to a monitor of 200 % and back, as Windows reports it
# (WM_DPICHANGED; Wine, whose monitors all have the one DPI of LogPixels,
# never sends it, so the driver does): at 192 DPI the window takes the 200 %
# pictures and status bar inside the work area; back at 96 DPI it is the
# 961 x 141 frame again, pixel for pixel as before (the clock aside).
main_up_at_96_dpi

drv main 1000 dpi-changed 192 main-fits status 0 "ﾚﾃﾞｨ"
layout=$(drv main 1000 print-main-layout)
[[ $layout == "window 1920 282 "*" buttons 136 116 "*" parts 1366 1566 1922" ]] ||
  fail "main window at 192 DPI: $layout"
shot_main at-192

drv main 1000 dpi-changed 96 main-fits status 0 "ﾚﾃﾞｨ"
expect_eq "back at 96 DPI" "$(drv main 1000 print-main-layout)" "$at96"
shot_main after

expect_same_but_clock before after

# The split layout dialog told of a new DPI (Wine leaves the dialog's scale
# as it was): its screen boxes stay on their slots, the 16-way picture whole,
# and a layout chosen afterwards is arranged on the same slots.
S="分割画面配置の設定"
open_dialog "$IDM_SPLIT_LAYOUT" "$S" choose "$IDC_SPLIT_LAYOUT" 8 fits
slot16=$(drv main 1000 dialog "$S" 1000 print-control-rect "${SPLIT_SCREEN_BOX[16]}")
in_dialog "$S" dpi-changed 96 sleep 200 fits choose "$IDC_SPLIT_LAYOUT" 7 choose "$IDC_SPLIT_LAYOUT" 8
expect_eq "screen 16 after the DPI change" \
  "$(drv main 1000 dialog "$S" 1000 print-control-rect "${SPLIT_SCREEN_BOX[16]}")" "$slot16"
in_dialog "$S" click "$IDC_SPLIT_CLOSE" gone 3000
expect_frames </dev/null
exit_discarding
