# The handshake setting of 通信の設定: by default the line runs with CTS,
# DTR and RTS handshake and XON/XOFF, as specified; "なし" (no handshake,
# for 2-wire RS-485 adapters without CTS) stores "handshake" = "0" and
# reopens the port without any flow control; the unit still answers; the
# next start keeps it; "あり" puts it back. Seen on the line itself: the
# flags Wine sets on the pseudo-terminal for the port's flow control
# (CRTSCTS for the handshake, IXON and IXOFF for XON/XOFF).
COMM="通信の設定"

# line_flags: the flow-control flags of the simulator's pty, as the program
# set them.
line_flags() {
  python3 - "$RUN/com1" <<'PY'
import os, sys, termios
fd = os.open(sys.argv[1], os.O_RDONLY | os.O_NOCTTY | os.O_NONBLOCK)
iflag, _, cflag = termios.tcgetattr(fd)[:3]
os.close(fd)
names = [n for n, on in (("crtscts", cflag & termios.CRTSCTS), ("ixon", iflag & termios.IXON),
                         ("ixoff", iflag & termios.IXOFF)) if on]
print(" ".join(names) or "none")
PY
}

# line_flags_are FLAGS: the pty shows FLAGS.
line_flags_are() { [ "$(line_flags)" = "$1" ]; }

# wait_line_flags FLAGS: waits until the pty shows FLAGS (10 s).
wait_line_flags() {
  wait_until 10 "line flags $1" line_flags_are "$1" && return 0
  fail "line flags: got '$(line_flags)', expected '$1'"
}

start_sim
start_program
program_up
wait_line_flags "crtscts ixon ixoff"

open_dialog "$IDM_COMM_SETTINGS" "$COMM" selection "$IDC_COMM_HANDSHAKE" 0 \
  select "$IDC_COMM_HANDSHAKE" 1 text "$IDC_COMM_HANDSHAKE" "なし"
shot comm-settings-no-handshake main 1000 dialog "$COMM" 1000
in_dialog "$COMM" click "$IDC_COMM_OK" gone 3000 no-box 1000
wait_ini_value handshake 0
expect_eq "com_port" "$(ini_value com_port)" ""
wait_line_flags "none"
open_dialog "$IDM_AGC" "$AGC" click "$IDC_AGC_SET" "${SUCCESS[@]}" no-box 300 \
  dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000
exit_unchanged
wait "$PROGRAM_PID" || true

# The next start keeps it; "あり" puts the handshake back.
start_program
program_up menu "$IDM_COMM_SETTINGS" dialog "$COMM" 5000 selection "$IDC_COMM_HANDSHAKE" 1 \
  select "$IDC_COMM_HANDSHAKE" 0 click "$IDC_COMM_OK" gone 3000 no-box 1000
wait_ini_value handshake 1
wait_line_flags "crtscts ixon ixoff"
open_dialog "$IDM_AGC" "$AGC" click "$IDC_AGC_SET" "${SUCCESS[@]}" no-box 300 \
  dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000
expect_frames <<'FRAMES'
RX AGCNNNNNNNNNNNNNNNN\r\n
TX GO\r\n
RX AGCNNNNNNNNNNNNNNNN\r\n
TX GO\r\n
FRAMES
exit_unchanged
