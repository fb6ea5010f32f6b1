# Start-up with a COM port that cannot be opened: the five port messages in
# order, each under "Error", then a working window; without a port the
# program's receive thread rests, so the idle program uses almost no CPU.
absent_port com1
start_program

drv main 15000 box "Miss! File Open" "Error" 5000
shot miss-file-open main 1000 box "Miss! File Open" "Error" 1000
drv main 1000 box "Miss! File Open" "Error" 1000 click 1 \
  box "Miss! Mask Set" "Error" 3000 click 1 \
  box "Miss! Buffer Set" "Error" 3000 click 1 \
  box "Miss! Time Out Set" "Error" 3000 click 1 \
  box "Miss! Set Comm State" "Error" 3000 click 1 \
  no-box 1500 status 0 "ﾚﾃﾞｨ"

# The window works: the communication settings open and close.
drv main 1000 menu 40018 dialog "通信の設定" 5000 close gone 3000 no-box 300

# Idle without a port.
cpu=$(cpu_percent "$PROGRAM_PID" 4)
note "idle CPU without a port: ${cpu}%"
[ "$cpu" -le 3 ] || fail "the idle program uses ${cpu}% CPU without a port"

drv main 1000 alive
