# The port goes away while the program runs (the simulator ends and its pty
# with it, as a USB adapter unplugged) and comes back at the same place (a
# new simulator, a new pty at the same path): the loss is shown once, in the
# status bar, naming the port, with no message box; meanwhile a "設定" ends
# in "No Connect" as with any silent line, and the idle program uses little
# CPU; when the port is back the program opens it again by itself and says
# so, and the next "設定" is acknowledged.
LOST="COM1 との接続が切れました。再接続を待っています"
BACK="COM1 に再接続しました"
start_sim
start_program
program_up
open_dialog "$IDM_AGC" "$AGC" click "$IDC_AGC_SET" "${SUCCESS[@]}" no-box 300 \
  dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000

# The port goes.
stop_sim "$(last_sim_pid)"
drv main 1000 within 5000 status 0 "$LOST" no-box 1000
shot port-lost main 5000
cpu=$(cpu_percent "$PROGRAM_PID" 3)
note "CPU with the port gone: ${cpu}%"
[ "$cpu" -le 10 ] || fail "the program uses ${cpu}% CPU with the port gone"
open_dialog "$IDM_AGC" "$AGC" click "$IDC_AGC_SET" box "No Connect" "接続失敗" 5000 \
  click "$IDOK" no-box 1000 dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000
# A menu command does not hide the notice.
drv main 1000 status 0 "$LOST"

# The port comes back at the same place.
start_sim --log "$CASE_DIR/sim-back.log"
drv main 1000 within 10000 status 0 "$BACK" no-box 500
agc_set_goes_through "$CASE_DIR/sim-back.log"
drv main 1000 status 0 "ﾚﾃﾞｨ"
exit_unchanged
