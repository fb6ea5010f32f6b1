# korvex7ctl.exe under Wine reaching the unit through a serial device server:
# Debian's ser2net, started by the case on loopback ports, serving the
# simulator's pseudo-terminal raw and with RFC 2217. A read through either
# gives exactly the file a read on COM1 gives; scan on an RS-485 line at
# 9600 baud finds exactly the units there within 4 s; a plain Telnet port
# (no com-port option) is refused with 7.
work=$CASE_DIR/work
settings() { python3 "$E2E_ROOT/tests/e2e/settings_file.py" "$@"; }
CTL_OUT=$CASE_DIR/ctl.out
CTL_ERR=$CASE_DIR/ctl.err
ctl() {
  local want=$1 rc=0
  shift
  (cd "$work" && wine_run "$CTL" --no-progress "$@") >"$CTL_OUT" 2>"$CTL_ERR" || rc=$?
  if [ "$rc" -ne "$want" ]; then
    sed 's/^/    /' "$CTL_ERR" >&2
    fail "korvex7ctl $*: exit status $rc, expected $want"
  fi
}

# start_ser2net: ser2net on the pty of COM1; RAW, RFC and TELNET are its
# ports. Ended with the case (its token), or by stop_ser2net.
start_ser2net() {
  local device
  device=$(readlink -f "$RUN/com1")
  read -r RAW RFC TELNET <<<"$(python3 -c '
import socket
socks = [socket.socket() for _ in range(3)]
for s in socks: s.bind(("127.0.0.1", 0))
print(" ".join(str(s.getsockname()[1]) for s in socks))')"
  cat >"$CASE_DIR/ser2net.yaml" <<YAML
connection: &raw
  accepter: tcp,127.0.0.1,$RAW
  connector: serialdev,$device,9600e81,local
connection: &rfc
  accepter: telnet(rfc2217),tcp,127.0.0.1,$RFC
  connector: serialdev,$device,9600e81,local
connection: &telnet
  accepter: telnet,tcp,127.0.0.1,$TELNET
  connector: serialdev,$device,9600e81,local
YAML
  ser2net -n -d -c "$CASE_DIR/ser2net.yaml" >>"$CASE_DIR/ser2net.log" 2>&1 &
  SER2NET_PID=$!
  python3 -c '
import socket, sys, time
end = time.time() + 10
for port in map(int, sys.argv[1:]):
    while True:
        try:
            socket.create_connection(("127.0.0.1", port), 0.2).close(); break
        except OSError:
            if time.time() > end: sys.exit(f"ser2net does not listen on {port}")
            time.sleep(0.05)' "$RAW" "$RFC" "$TELNET" || fail "ser2net did not start"
}
stop_ser2net() {
  kill "$SER2NET_PID" 2>/dev/null || true
  wait "$SER2NET_PID" 2>/dev/null || true
}

settings write "$work/site.dat" alarm.mode=1 alarm.holdTimeText=120 'videoLoss.detect[4]=0' \
  'title.text[0]=第０番カメラ入口前庭' 'videoAdjust.hue[6]=251' other.powerOnScreen=25

# The same file through COM1, raw TCP and RFC 2217.
start_sim --load "$work/site.dat"
ctl 0 --port COM1 read line.dat
start_ser2net
ctl 0 --port "tcp://127.0.0.1:$RAW" read raw.dat
ctl 0 --port "rfc2217://127.0.0.1:$RFC" read rfc.dat
cmp "$work/line.dat" "$work/raw.dat" || fail "a read through raw TCP differs from a read on COM1"
cmp "$work/line.dat" "$work/rfc.dat" || fail "a read through RFC 2217 differs from a read on COM1"
ctl 7 --port "rfc2217://127.0.0.1:$TELNET" read x.dat
grep -qF "refused the RFC 2217 com-port option" "$CTL_ERR" || fail "no refusal: $(cat "$CTL_ERR")"
stop_ser2net
stop_sims

# scan through the server, the whole command under Wine within 4 s.
start_sim --address 02,09,17 --line-rate 9600
start_ser2net
started=$(date +%s%N)
ctl 0 --port "tcp://127.0.0.1:$RAW" --rs485 scan
took=$((($(date +%s%N) - started) / 1000000))
expect_eq "units found" "$(tr -d '\r' <"$CTL_OUT" | paste -sd' ')" "02 09 17"
note "scan of 32 addresses under Wine through ser2net at 9600 baud: $took ms"
[ "$took" -le 4000 ] || fail "scan took $took ms"
stop_ser2net
