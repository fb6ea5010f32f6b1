# Without the test library a pty refuses the parity setting after its first
# configuration and Wine ends every event wait at once ("operation
# aborted"): the port reports "Miss! Set Comm State", yet replies still
# arrive through the receive thread's read-after-failed-wait path, and its
# back-off keeps the idle program from spinning.
SHIM=
start_sim
# The first configuration of a new pty succeeds.
wine "$LINK_CHECK" >"$CASE_DIR/first-open.out" 2>>"$CASE_DIR/link-check.err"
out=$(wine "$LINK_CHECK" "RAM" "AGCNNNNNNNNNNNNNNNN" 2>>"$CASE_DIR/link-check.err")
expect_eq "exchange without the pty library" "$out" "profile: com_port=0 control=0
open: Miss! Set Comm State
sent: RAM\\r\\n
line: AMI\\r\\n
status: Success / 接続成功
sent: AGCNNNNNNNNNNNNNNNN\\r\\n
line: GO\\r\\n
status: Success / 接続成功"

start_program
drv main 15000 box "Miss! Set Comm State" "Error" 5000 click "$IDOK" no-box 1000
cpu=$(cpu_percent "$PROGRAM_PID" 4)
note "idle CPU with the port open and waits aborting: ${cpu}%"
[ "$cpu" -le 15 ] || fail "the idle program uses ${cpu}% CPU"
exit_unchanged
