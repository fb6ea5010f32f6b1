#!/usr/bin/env bash
# Deadlines that hold whatever a line or a device server sends, and memory
# that stays bounded:
#   4 streams that never end (a Telnet server's NOPs and notifications, a
#     line of noise), and an RFC 2217 server that sets the line otherwise
#   7 a busy device server (ser2net)
#   8 a host name with several addresses
source "$(dirname "$0")/ctl_common.sh"

make_site_file "$WORK/site.dat"
stop_sims

# 4. Streams that never end: a Telnet server that never takes up the
# com-port option and sends NOPs without a pause; one that agrees and then
# sends notifications without a unit behind it; a line of noise. Each wait
# ends by its deadline, and memory stays bounded.
python3 "$SUPPORT/rfc2217_babbler.py" "$WORK/mute.port" mute &
HELPER_PIDS+=($!)
python3 "$SUPPORT/rfc2217_babbler.py" "$WORK/chatter.port" chatter &
HELPER_PIDS+=($!)
python3 "$SUPPORT/rfc2217_babbler.py" "$WORK/wrong.port" wrong &
HELPER_PIDS+=($!)
for f in mute chatter wrong; do
  wait_until 5 "the $f server's port" test -s "$WORK/$f.port"
done
within 4500 7 --port "rfc2217://127.0.0.1:$(cat "$WORK/mute.port")" get alarm.mode
expect_in "$WORK/err" "did not take up the RFC 2217 com-port option within 3000 ms"
within 4500 4 --port "rfc2217://127.0.0.1:$(cat "$WORK/chatter.port")" get alarm.mode
expect_in "$WORK/err" "No Connect (no answer to RAM within 1900 ms"
within 4500 7 --port "rfc2217://127.0.0.1:$(cat "$WORK/wrong.port")" get alarm.mode
expect_in "$WORK/err" "set the line to no parity, 2 stop bits instead of"
listen_sim noise --noise --address 01,02
within 4000 8 --port "$PORT_URL" --rs485 --address 00-03 scan
expect_in "$WORK/err" "the line does not fall silent"
within 4000 8 --port "$PORT_URL" --rs485 --address 01 read "$WORK/noise.dat"
[ ! -e "$WORK/noise.dat" ] || fail "a read from a noisy line wrote its file"
stop_sims
start_sim noise --noise
within 4000 8 --port "$WORK/noise" get alarm.mode
stop_sims

# 7. A busy device server: ser2net turns away a connection that comes a
# moment after another one to the same device ended; the tool tries again
# within its connect time.
if command -v ser2net >/dev/null; then
  source "$SUPPORT/ser2net.sh"
  start_sim busy --load "$WORK/site.dat"
  mkdir -p "$WORK/busy.ser2net"
  ser2net_start "$WORK/busy" "$WORK/busy.ser2net" || exit 1
  HELPER_PIDS+=("$SER2NET_PID")
  for round in 1 2 3; do
    ctl 0 --port "tcp://127.0.0.1:$RAW" get alarm.mode
    ctl 0 --port "rfc2217://127.0.0.1:$RFC" get alarm.mode
    ctl 0 --port "tcp://127.0.0.1:$RAW" get alarm.mode
  done
  # Held by another client for longer than the connect time: busy, 7.
  python3 -c '
import socket, sys, time
s = socket.create_connection(("127.0.0.1", int(sys.argv[1])))
time.sleep(6)' "$RAW" &
  holder=$!
  sleep 0.3
  within 4500 7 --port "rfc2217://127.0.0.1:$RFC" get alarm.mode
  expect_in "$WORK/err" "the device server's port is busy"
  kill "$holder" 2>/dev/null
  wait "$holder" 2>/dev/null
  stop_sims
else
  fail "ser2net is not installed (Debian: ser2net; scripts/install-deps.sh installs it)"
fi

# 8. A host name with four addresses, none of which answers: the one connect
# time covers all of them.
cc -shared -fPIC -o "$WORK/resolve_shim.so" "$SUPPORT/resolve_shim.c" -ldl ||
  { echo "cannot build the resolver shim" >&2; exit 1; }
python3 -c '
import os, socket, sys, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(0)
filler = socket.create_connection(s.getsockname())
open(sys.argv[1] + ".new", "w").write(str(s.getsockname()[1]))
os.rename(sys.argv[1] + ".new", sys.argv[1])
time.sleep(120)' "$WORK/full.port" &
HELPER_PIDS+=($!)
wait_until 5 "the full server's port" test -s "$WORK/full.port"
LD_PRELOAD=$WORK/resolve_shim.so KORVEX7_SHIM_HOST=four.korvex7.test KORVEX7_SHIM_COUNT=4 \
  within 4000 7 --port "tcp://four.korvex7.test:$(cat "$WORK/full.port")" get alarm.mode
expect_in "$WORK/err" "no answer from any of its 4 addresses within 3000 ms"

finish
