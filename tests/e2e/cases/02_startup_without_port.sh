# Start-up with a COM port that cannot be opened: the five port messages in
# order, each under "Error", then a working window whose status bar says the
# port is waited for; without a port the program's receive thread rests (and
# the port is tried again now and then), so the idle program uses almost no
# CPU.
absent_port com1
start_program

drv main 15000 box "Miss! File Open" "Error" 5000
shot miss-file-open main 1000 box "Miss! File Open" "Error" 1000
drv main 1000 "${PORT_MISSES[@]}" no-box 1500 status 0 "COM1 を開けません。接続を待っています"

# The window works: the communication settings open and close.
open_dialog "$IDM_COMM_SETTINGS" "通信の設定" close gone 3000 no-box 300

# Idle without a port.
cpu=$(cpu_percent "$PROGRAM_PID" 4)
note "idle CPU without a port: ${cpu}%"
[ "$cpu" -le 3 ] || fail "the idle program uses ${cpu}% CPU without a port"

drv main 1000 alive
