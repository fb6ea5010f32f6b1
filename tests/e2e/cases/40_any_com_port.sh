# e2e-com: 12
# A port after COM6: the communication settings list COM1..COM6 first, then
# the other ports of the computer, COM12 (mapped by the case) among them, the
# same list korvex7ctl.exe --list-ports shows. Choosing COM12 stores
# "com_port" = "-" (which an earlier version reads as COM1) and "port" =
# "COM12", and reopens the port on COM12, where the unit answers; the next
# start opens COM12 at once. korvex7ctl.exe reaches the unit on COM12 too.
start_sim --pty "$RUN/com12" --log "$CASE_DIR/sim12.log"
start_sim --log "$CASE_DIR/sim1.log"
COMM="通信の設定"

# The tool's list: COM1..COM6 first, COM12 later (Wine may add ports of its
# own, which both lists show).
ctl_exe 0 --list-ports
ports=$(tr -d '\r' <"$CTL_OUT")
expect_eq "the first six ports" "$(head -6 <<<"$ports" | paste -sd' ')" \
  "COM1 COM2 COM3 COM4 COM5 COM6"
com12=$(grep -nx COM12 <<<"$ports" | cut -d: -f1)
[ -n "$com12" ] || fail "COM12 is not in the port list: $ports"
com12=$((com12 - 1))

start_program
program_up
listed=$(drv main 1000 menu "$IDM_COMM_SETTINGS" dialog "$COMM" 5000 print-items "$IDC_COMM_PORT")
expect_eq "the ports of the communication settings" "$listed" "$ports"
in_dialog "$COMM" selection "$IDC_COMM_PORT" 0 select "$IDC_COMM_PORT" "$com12" \
  text "$IDC_COMM_PORT" "COM12"
shot comm-settings-com12 main 1000 dialog "$COMM" 1000
in_dialog "$COMM" click "$IDC_COMM_OK" gone 3000 no-box 1000 status 0 "ﾚﾃﾞｨ"
wait_ini_value port COM12
expect_eq "com_port" "$(ini_value com_port)" "-"
expect_eq "control" "$(ini_value control)" ""

agc_set_goes_through "$CASE_DIR/sim12.log"
expect_eq "frames on COM1" "$(frames "$CASE_DIR/sim1.log")" ""
exit_unchanged
wait "$PROGRAM_PID" || true

# The next start opens COM12 and shows it chosen.
start_program
program_up menu "$IDM_COMM_SETTINGS" dialog "$COMM" 5000 selection "$IDC_COMM_PORT" "$com12" \
  text "$IDC_COMM_PORT" "COM12" close gone 3000
open_dialog "$IDM_AGC" "$AGC" click "$IDC_AGC_SET" "${SUCCESS[@]}" no-box 300 \
  dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000
expect_eq "frames on COM12" "$(frames "$CASE_DIR/sim12.log" | wc -l)" 4
exit_unchanged
wait "$PROGRAM_PID" || true

# The command-line tool on COM12.
ctl_exe 0 --port COM12 get alarm.mode
expect_eq "get" "$(tr -d '\r' <"$CTL_OUT")" "alarm.mode=internal"
