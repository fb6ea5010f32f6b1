# Start-up with the unit on COM1: the window comes up with its title,
# "ﾚﾃﾞｨ" and a running clock, no message box, nothing is sent; the about box
# opens and closes; Exit without changes ends the program with code 0.
start_sim
start_program

drv main 15000 caption "KORVEX-7 " no-box 1500 status 0 "ﾚﾃﾞｨ"
shot_main main-window

expect_clock_ticks

# The about box.
ABOUT="KORVEX7のﾊﾞｰｼﾞｮﾝ情報"
open_dialog "$IDM_ABOUT" "$ABOUT"
shot about-box main 1000 dialog "$ABOUT" 1000
in_dialog "$ABOUT" click "$IDOK" gone 3000 no-box 300

# A menu command puts "ﾚﾃﾞｨ" into the status bar; nothing went to the unit.
drv main 1000 status 0 "ﾚﾃﾞｨ"
expect_frames </dev/null

# Exit with no changes: no prompt, exit code 0.
exit_unchanged 300
wait "$PROGRAM_PID" || fail "exit status $?"
