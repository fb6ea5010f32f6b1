# e2e-screen: 1920x1080
# e2e-dpi: 96
# The operator drags the main window onto a monitor of 200 % and back (the
# drag is WM_ENTERSIZEMOVE ... WM_EXITSIZEMOVE; Wine sends neither with
# WM_DPICHANGED, so the driver does). During the drag the window takes
# exactly the rectangle Windows proposes, which keeps it under the pointer,
# laid out for the new DPI; once the drag ends it takes its own size there,
# inside the work area. Back at 96 DPI it is the window it was, pixel for
# pixel (the clock aside). The pointer stays in a corner that the window
# never covers: a window moved under it would light the button it is over.
main_up_at_96_dpi
drv main 1000 pointer-at 1910 1070
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
expect_same_but_clock before after

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
