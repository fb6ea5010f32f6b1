# The communication settings are written to and read from "KORVEX7.ini":
# only changed keys are written; a changed port is closed and reopened
# (here COM3, which cannot be opened, so its five messages follow); the next
# start reads both keys; a "com_port" outside "0".."5" means COM1.
start_sim
start_program
drv main 15000 no-box 1000

# No profile file: COM1, RS-232C.
drv main 1000 menu 40018 dialog "通信の設定" 5000 caption "通信の設定  " \
  selection 1032 0 selection 1030 0
shot comm-settings main 1000 dialog "通信の設定" 1000

# Only the line mode changes: "control" is written, the port stays open.
drv main 1000 dialog "通信の設定" 1000 select 1030 1 click 1031 gone 3000 no-box 1000
wait_ini_value control 1
expect_eq "com_port" "$(ini_value com_port)" ""

# Closing by the frame discards the choice.
drv main 1000 menu 40018 dialog "通信の設定" 5000 selection 1030 1 selection 1032 0 \
  select 1032 4 close gone 3000 no-box 500
expect_eq "com_port after a discarded choice" "$(ini_value com_port)" ""

# OK without a change writes nothing.
before=$(cat "$(ini_file)")
drv main 1000 menu 40018 dialog "通信の設定" 5000 click 1031 gone 3000 no-box 1000
expect_eq "profile after OK without change" "$(cat "$(ini_file)")" "$before"

# Another port: written, closed, reopened 100 ms later (COM3 cannot be opened).
drv main 1000 menu 40018 dialog "通信の設定" 5000 select 1032 2 click 1031 gone 3000 \
  box "Miss! File Open" "Error" 3000 click 1 \
  box "Miss! Mask Set" "Error" 3000 click 1 \
  box "Miss! Buffer Set" "Error" 3000 click 1 \
  box "Miss! Time Out Set" "Error" 3000 click 1 \
  box "Miss! Set Comm State" "Error" 3000 click 1 no-box 500
wait_ini_value com_port 2
expect_eq "control" "$(ini_value control)" 1

drv main 1000 menu 40005 exited 5000 0
wait "$PROGRAM_PID" || true

# The next start reads COM3 and RS-485.
start_program
drv main 15000 box "Miss! File Open" "Error" 5000 click 1 \
  box "Miss! Mask Set" "Error" 3000 click 1 \
  box "Miss! Buffer Set" "Error" 3000 click 1 \
  box "Miss! Time Out Set" "Error" 3000 click 1 \
  box "Miss! Set Comm State" "Error" 3000 click 1 no-box 500 \
  menu 40018 dialog "通信の設定" 5000 selection 1032 2 selection 1030 1 close gone 3000
drv main 1000 menu 40005 exited 5000 0
wait "$PROGRAM_PID" || true

# A hand-edited port number out of range means COM1 (the simulator).
write_ini "com_port=9" "control=0"
start_program
drv main 15000 no-box 1500 menu 40018 dialog "通信の設定" 5000 selection 1032 0 \
  selection 1030 0 close gone 3000
drv main 1000 menu 40005 exited 5000 0
