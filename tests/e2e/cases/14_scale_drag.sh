# e2e-screen: 1920x1080
# e2e-dpi: 96
# The operator drags the main window onto a monitor of 200 % and back (the
# drag is WM_ENTERSIZEMOVE ... WM_EXITSIZEMOVE; Wine sends neither with
# WM_DPICHANGED, so the driver does). During the drag the window takes
# exactly the rectangle Windows proposes, which keeps it under the pointer,
# laid out for the new DPI; once the drag ends it takes its own size there,
# inside the work area. Back at 96 DPI it is the window it was, pixel for
# pixel (the clock aside).
start_sim
start_program
program_up main-fits
at96="window 961 141 client 955 97 buttons 68 61 status 20 parts 683 783 961"
expect_eq "at 96 DPI" "$(drv main 1000 print-main-layout)" "$at96"
shot_main before
read -r x0 y0 _ _ <<<"$(drv main 1000 print-main-rect)"

drv main 1000 size-move-start dpi-changed-to 192 300 400 1922 282
expect_eq "during the drag" "$(drv main 1000 print-main-rect)" "300 400 1922 282"
[[ $(drv main 1000 print-main-layout) == *" buttons 136 116 "* ]] ||
  fail "not the 200 % pictures during the drag: $(drv main 1000 print-main-layout)"
drv main 1000 size-move-end main-fits
layout=$(drv main 1000 print-main-layout)
[[ $layout == "window 1920 282 "*" buttons 136 116 "* ]] || fail "after the drag: $layout"
expect_eq "place after the drag" "$(drv main 1000 print-main-rect)" "0 400 1920 282"

# Back, dragged to where it was.
drv main 1000 size-move-start dpi-changed-to 96 "$x0" "$y0" 960 141 size-move-end main-fits
expect_eq "back at 96 DPI" "$(drv main 1000 print-main-layout)" "$at96"
shot_main after
for name in before after; do
  convert "$SHOTS/$CASE-$name.png" -fill black -draw "rectangle 680,112 960,140" \
    "$CASE_DIR/$name-no-clock.png"
done
differ=$(compare -metric AE "$CASE_DIR/before-no-clock.png" "$CASE_DIR/after-no-clock.png" \
  null: 2>&1) || true
expect_eq "pixels that differ after the round trip" "$differ" 0

# A change of DPI without a drag (the monitor's scale changed): its own size
# at the proposed corner at once.
drv main 1000 dpi-changed-to 192 100 500 1922 282
layout=$(drv main 1000 print-main-layout)
[[ $layout == "window 1920 282 "* ]] || fail "without a drag: $layout"
expect_eq "place without a drag" "$(drv main 1000 print-main-rect)" "0 500 1920 282"
drv main 1000 dpi-changed-to 96 "$x0" "$y0" 961 141
expect_eq "back without a drag" "$(drv main 1000 print-main-layout)" "$at96"
expect_frames </dev/null
exit_unchanged
