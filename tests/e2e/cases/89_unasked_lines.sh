# A device on the port that keeps sending lines nobody asked for (a wrong
# device, or a unit repeating "E3"): each such line is a "Command Error", but
# the boxes come one at a time. While one is open no second one is stacked
# on it, so after three seconds of lines every 50 ms the operator closes one
# box, at most one more follows for what came meanwhile, and the program is
# free again: the clock ticks, dialogs open and close.
start_babbler E3 50 60
start_program
program_up
signal_sim USR1
wait_babbler_done
drv main 1000 box "Command Error" "Error" 3000
shot one-box main 1000 box "Command Error" "Error" 1000
drv main 1000 box "Command Error" "Error" 1000 click "$IDOK"
# What arrived while the box was open is shown once more, then no more.
boxes=1
if drv_try main 1000 box "Command Error" "Error" 800 click "$IDOK" >/dev/null 2>&1; then
  boxes=2
fi
drv main 1000 no-box 1500
note "60 unasked lines: $boxes box(es) to close"

open_dialog "$IDM_ABOUT" "KORVEX7のﾊﾞｰｼﾞｮﾝ情報" click "$IDOK" gone 3000 no-box 300
expect_clock_ticks
exit_unchanged
