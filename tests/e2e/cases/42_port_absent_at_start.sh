# A port absent at start-up: the five port messages, as ever, then the
# status bar names the port as not opened and waiting; "OK" in 通信の設定,
# with nothing changed, tries the port again at once (the five messages
# again, nothing written to the profile); once the unit's port is there the
# program opens it by itself and a "設定" is acknowledged.
ABSENT="COM1 を開けません。接続を待っています"
BACK="COM1 に再接続しました"
COMM="通信の設定"
absent_port com1
start_program
drv main 15000 "${PORT_MISSES[@]}" no-box 1000 status 0 "$ABSENT"
shot port-absent main 5000

# "OK" tries again: the messages once more, the profile untouched.
open_dialog "$IDM_COMM_SETTINGS" "$COMM" click "$IDC_COMM_OK" gone 3000 "${PORT_MISSES[@]}" \
  no-box 1000 status 0 "$ABSENT"
[ ! -e "$(ini_file)" ] || fail "the profile was written: $(cat "$(ini_file)")"

# The retries are silent and cheap.
cpu=$(cpu_percent "$PROGRAM_PID" 3)
note "idle CPU while the port is tried again: ${cpu}%"
[ "$cpu" -le 3 ] || fail "the idle program uses ${cpu}% CPU without its port"
drv main 1000 no-box 500

# The unit's port appears.
start_sim
drv main 1000 within 10000 status 0 "$BACK" no-box 500
agc_set_goes_through
exit_unchanged
