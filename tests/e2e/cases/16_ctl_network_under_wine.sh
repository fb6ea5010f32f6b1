# korvex7ctl.exe under Wine reaching the unit through a serial device server:
# Debian's ser2net, started by the case on loopback ports, serving the
# simulator's pseudo-terminal raw and with RFC 2217. A read through either
# gives exactly the file a read on COM1 gives; scan on an RS-485 line at
# 9600 baud finds exactly the units there within 4 s; a plain Telnet port
# (no com-port option) is refused with 7.
work=$CASE_DIR/work
settings() { python3 "$E2E_ROOT/tests/e2e/settings_file.py" "$@"; }
source "$E2E_ROOT/tests/support/ser2net.sh"
# ser2net on the pty of COM1; ended with the case (its token), or here.
start_ser2net() { ser2net_start "$RUN/com1" "$CASE_DIR" || fail "ser2net did not start"; }
stop_ser2net() {
  kill "$SER2NET_PID" 2>/dev/null || true
  wait "$SER2NET_PID" 2>/dev/null || true
}

settings write "$work/site.dat" alarm.mode=1 alarm.holdTimeText=120 'videoLoss.detect[4]=0' \
  'title.text[0]=第０番カメラ入口前庭' 'videoAdjust.hue[6]=251' other.powerOnScreen=25

# The same file through COM1, raw TCP and RFC 2217.
start_sim --load "$work/site.dat"
ctl_exe 0 --port COM1 read line.dat
start_ser2net
ctl_exe 0 --port "tcp://127.0.0.1:$RAW" read raw.dat
ctl_exe 0 --port "rfc2217://127.0.0.1:$RFC" read rfc.dat
cmp "$work/line.dat" "$work/raw.dat" || fail "a read through raw TCP differs from a read on COM1"
cmp "$work/line.dat" "$work/rfc.dat" || fail "a read through RFC 2217 differs from a read on COM1"
ctl_exe 7 --port "rfc2217://127.0.0.1:$TELNET" read x.dat
expect_err "refused the RFC 2217 com-port option"
stop_ser2net
stop_sims

# scan through the server, the whole command under Wine within 4 s.
start_sim --address 02,09,17 --line-rate 9600
start_ser2net
started=$(date +%s%N)
ctl_exe 0 --port "tcp://127.0.0.1:$RAW" --rs485 scan
took=$((($(date +%s%N) - started) / 1000000))
expect_eq "units found" "$(tr -d '\r' <"$CTL_OUT" | paste -sd' ')" "02 09 17"
note "scan of 32 addresses under Wine through ser2net at 9600 baud: $took ms"
[ "$took" -le 4000 ] || fail "scan took $took ms"
stop_ser2net
