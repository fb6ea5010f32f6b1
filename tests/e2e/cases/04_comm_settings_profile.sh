# The communication settings are written to and read from "KORVEX7.ini":
# only changed keys are written; "OK" closes the port and reopens it (here
# COM3, which cannot be opened, so its five messages follow); the next start
# reads the keys; a "com_port" outside "0".."5" means COM1.
start_sim
start_program
program_up
COMM="通信の設定"

# No profile file: COM1, RS-232C.
open_dialog "$IDM_COMM_SETTINGS" "$COMM" caption "$COMM  " \
  selection "$IDC_COMM_PORT" 0 selection "$IDC_COMM_CONTROL" 0
shot comm-settings main 1000 dialog "$COMM" 1000

# Only the line mode changes: "control" alone is written; the port, reopened,
# still works (no message).
in_dialog "$COMM" select "$IDC_COMM_CONTROL" 1 click "$IDC_COMM_OK" gone 3000 no-box 1000
wait_ini_value control 1
expect_eq "com_port" "$(ini_value com_port)" ""

# Closing by the frame discards the choice.
open_dialog "$IDM_COMM_SETTINGS" "$COMM" selection "$IDC_COMM_CONTROL" 1 \
  selection "$IDC_COMM_PORT" 0 select "$IDC_COMM_PORT" 4 close gone 3000 no-box 500
expect_eq "com_port after a discarded choice" "$(ini_value com_port)" ""

# OK without a change writes nothing.
before=$(cat "$(ini_file)")
open_dialog "$IDM_COMM_SETTINGS" "$COMM" click "$IDC_COMM_OK" gone 3000 no-box 1000
expect_eq "profile after OK without change" "$(cat "$(ini_file)")" "$before"

# Another port: written ("com_port" and "port"), closed, reopened 100 ms
# later (COM3 cannot be opened).
open_dialog "$IDM_COMM_SETTINGS" "$COMM" select "$IDC_COMM_PORT" 2 click "$IDC_COMM_OK" \
  gone 3000 "${PORT_MISSES[@]}" no-box 500
wait_ini_value com_port 2
expect_eq "port" "$(ini_value port)" COM3
expect_eq "control" "$(ini_value control)" 1

exit_unchanged
wait "$PROGRAM_PID" || true

# The next start reads COM3 and RS-485.
start_program
drv main 15000 "${PORT_MISSES[@]}" no-box 500 \
  menu "$IDM_COMM_SETTINGS" dialog "$COMM" 5000 selection "$IDC_COMM_PORT" 2 \
  selection "$IDC_COMM_CONTROL" 1 close gone 3000
exit_unchanged
wait "$PROGRAM_PID" || true

# A hand-edited port number out of range means COM1 (the simulator).
write_ini "com_port=9" "control=0"
start_program
drv main 15000 no-box 1500
open_dialog "$IDM_COMM_SETTINGS" "$COMM" selection "$IDC_COMM_PORT" 0 \
  selection "$IDC_COMM_CONTROL" 0 close gone 3000
exit_unchanged
