#!/usr/bin/env bash
# korvex7ctl through a serial device server: Debian's ser2net, started here
# with a configuration of its own on loopback ports (no system service),
# serving the simulator's pseudo-terminal with a raw TCP accepter, an RFC 2217
# accepter and a plain Telnet accepter that does not offer the com-port
# option; and the simulator's own --listen.
source "$(dirname "$0")/ctl_common.sh"

command -v ser2net >/dev/null || {
  echo "ser2net is not installed (Debian: ser2net; scripts/install-deps.sh installs it)" >&2
  exit 1
}
SER2NET_PIDS=()
network_cleanup() {
  local pid
  for pid in "${SER2NET_PIDS[@]}"; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  cleanup
}
trap network_cleanup EXIT

source "$(dirname "$0")/../support/ser2net.sh"

# start_ser2net NAME: ser2net serving the simulator NAME's pseudo-terminal.
start_ser2net() {
  mkdir -p "$WORK/$1.ser2net"
  ser2net_start "$WORK/$1" "$WORK/$1.ser2net" || exit 1
  SER2NET_PIDS+=("$SER2NET_PID")
}

make_site_file "$WORK/site.dat"

# Read: the same file through the pty, raw TCP and RFC 2217.
start_sim unit --load "$WORK/site.dat"
ctl 0 --port "$WORK/unit" read "$WORK/pty.dat"
start_ser2net unit
ctl 0 --port "tcp://127.0.0.1:$RAW" read "$WORK/raw.dat"
ctl 0 --port "rfc2217://127.0.0.1:$RFC" read "$WORK/rfc.dat"
cmp -s "$WORK/pty.dat" "$WORK/raw.dat" || fail "a read through raw TCP differs from a pty read"
cmp -s "$WORK/pty.dat" "$WORK/rfc.dat" || fail "a read through RFC 2217 differs from a pty read"
same_settings "$WORK/site.dat" "$WORK/rfc.dat"

# The wrong kind of port, and a server that will not set the line.
ctl 7 --port "rfc2217://127.0.0.1:$TELNET" read "$WORK/x.dat"
expect_in "$WORK/err" "refused the RFC 2217 com-port option"
ctl 7 --port "tcp://127.0.0.1:$RFC" read "$WORK/x.dat"
expect_in "$WORK/err" "it is an RFC 2217 port, give it as rfc2217://"
read -r CLOSED <<<"$(free_ports 1)"
ctl 7 --port "tcp://127.0.0.1:$CLOSED" read "$WORK/x.dat"
expect_in "$WORK/err" "tcp://127.0.0.1:$CLOSED: cannot connect"
ctl 2 --port "tcp://127.0.0.1" read "$WORK/x.dat"
[ ! -e "$WORK/x.dat" ] || fail "a failed read wrote x.dat"

# Write through RFC 2217 to a unit at its defaults: its dump is the file.
stop_sims
start_sim blank --dump "$WORK/blank-unit.dat"
start_ser2net blank
ctl 0 --port "rfc2217://127.0.0.1:$RFC" write "$WORK/site.dat"
wait_same_settings "$WORK/site.dat" "$WORK/blank-unit.dat"
ctl 0 --port "tcp://127.0.0.1:$RAW" set alarm.mode=internal
expect_in "$WORK/out" "set 1 values with 1 command"

# The line lost in the middle of a read: ser2net ends while the answers come.
stop_sims
start_sim slow --reply-delay-ms 40 --log "$WORK/slow.log"
start_ser2net slow
"$CTL" --no-progress --port "tcp://127.0.0.1:$RAW" read "$WORK/lost.dat" \
  >"$WORK/out" 2>"$WORK/err" &
reader=$!
wait_until --every 0.02 4 "five commands" count_at_least 5 ' RX ' "$WORK/slow.log"
{ kill -KILL "${SER2NET_PIDS[-1]}" && wait "${SER2NET_PIDS[-1]}"; } 2>/dev/null
wait "$reader"
[ $? -eq 7 ] || fail "a read whose connection was lost did not end with 7"
expect_in "$WORK/err" "the connection was closed (while sending"
[ ! -e "$WORK/lost.dat" ] || fail "a read whose connection was lost wrote its file"

# A unit that does not answer, through the server: 4.
stop_sims
start_sim quiet --silent
start_ser2net quiet
ctl 4 --port "tcp://127.0.0.1:$RAW" --timeout-ms 300 get alarm.mode

# scan on an RS-485 line at 9600 baud through the server: exactly the units
# there, within 4 s for the 32 addresses.
stop_sims
start_sim bus --address 02,09,17,31 --line-rate 9600
start_ser2net bus
started=$(date +%s%N)
ctl 0 --port "tcp://127.0.0.1:$RAW" --rs485 scan
took=$((($(date +%s%N) - started) / 1000000))
[ "$(paste -sd' ' "$WORK/out")" = "02 09 17 31" ] || fail "scan found: $(paste -sd' ' "$WORK/out")"
[ "$took" -le 4000 ] || fail "scan of 32 addresses took $took ms"
echo "scan of 32 addresses through ser2net at 9600 baud: $took ms"
ctl 0 --port "rfc2217://127.0.0.1:$RFC" --rs485 --address 05-10 --json scan
python3 -c 'import json,sys; u=json.load(open(sys.argv[1]))["units"]; sys.exit(u != [{"address":"09","ok":True}])' \
  "$WORK/out" || fail "scan --json: $(cat "$WORK/out")"

# Every other command over the network with an address list.
ctl 0 --port "rfc2217://127.0.0.1:$RFC" --rs485 --address 02,09 diff --unit "$WORK/defaults.dat"
ctl 0 --port "tcp://127.0.0.1:$RAW" --rs485 --address 02,09 send RAM
[ "$(paste -sd' ' "$WORK/out")" = "unit 02: 02AMI unit 09: 09AMI" ] || fail "send: $(cat "$WORK/out")"
ctl 0 --port "rfc2217://127.0.0.1:$RFC" --rs485 --address 02,09 switch ch.05
ctl 0 --port "tcp://127.0.0.1:$RAW" --rs485 --address 02,09 clock --now
ctl 4 --port "tcp://127.0.0.1:$RAW" --rs485 --address 02,03 --timeout-ms 200 get alarm.mode
expect_in "$WORK/err" "unit 03: No Connect"

# The simulator's own TCP port, IPv4 and IPv6.
stop_sims
"$SIM" --listen tcp://127.0.0.1:0 --listen 'tcp://[::1]:0' --load "$WORK/site.dat" \
  >"$WORK/listen.out" 2>&1 &
SIM_PIDS+=($!)
wait_until 5 "the simulator to listen" grep -q 'on tcp://' "$WORK/listen.out"
v4=$(grep -o 'tcp://127.0.0.1:[0-9]*' "$WORK/listen.out")
v6=$(grep -o 'tcp://\[::1\]:[0-9]*' "$WORK/listen.out")
ctl 0 --port "$v4" read "$WORK/listen4.dat"
ctl 0 --port "$v6" read "$WORK/listen6.dat"
cmp -s "$WORK/pty.dat" "$WORK/listen4.dat" || fail "a read from --listen (IPv4) differs"
cmp -s "$WORK/pty.dat" "$WORK/listen6.dat" || fail "a read from --listen (IPv6) differs"

finish
