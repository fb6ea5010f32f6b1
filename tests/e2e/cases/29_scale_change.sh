# e2e-screen: 1920x1080
# e2e-dpi: 96
# The main window moved to a monitor of 200 % and back, as Windows reports it
# (WM_DPICHANGED; Wine, whose monitors all have the one DPI of LogPixels,
# never sends it, so the driver does): at 192 DPI the window takes the 200 %
# pictures and status bar inside the work area; back at 96 DPI it is the
# 961 x 141 frame again, pixel for pixel as before (the clock aside).
start_sim
start_program
program_up main-fits
at96="window 961 141 client 955 97 buttons 68 61 status 20 parts 683 783 961"
expect_eq "at 96 DPI" "$(drv main 1000 print-main-layout)" "$at96"
shot_main before

drv main 1000 dpi-changed 192 main-fits status 0 "ﾚﾃﾞｨ"
layout=$(drv main 1000 print-main-layout)
[[ $layout == "window 1920 282 "*" buttons 136 116 "*" parts 1366 1566 1922" ]] ||
  fail "main window at 192 DPI: $layout"
shot_main at-192

drv main 1000 dpi-changed 96 main-fits status 0 "ﾚﾃﾞｨ"
expect_eq "back at 96 DPI" "$(drv main 1000 print-main-layout)" "$at96"
shot_main after

# The clock's part (right of x = 683 in the status bar) is painted over in
# both pictures; everything else must be the same.
for name in before after; do
  convert "$SHOTS/$CASE-$name.png" -fill black -draw "rectangle 680,112 960,140" \
    "$CASE_DIR/$name-no-clock.png"
done
differ=$(compare -metric AE "$CASE_DIR/before-no-clock.png" "$CASE_DIR/after-no-clock.png" \
  null: 2>&1) || true
expect_eq "pixels that differ after the round trip" "$differ" 0

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
