#!/usr/bin/env bash
# Measures what the quiet start of korvex7ctl must cover: how soon after a
# connection a device server hands on an answer held from an earlier
# connection, and how far apart the bytes of one answer arrive on a line at
# 9600 baud. Prints figures; it is not a test.
#
#   bench/quiet_start.sh SIM [ROUNDS]     SIM: the korvex7-sim binary
#
# For each way in (ser2net's raw TCP and RFC 2217 accepters in front of the
# simulator's pseudo-terminal, and the simulator's own --listen with
# --stale-answer 0): a client sends a query and leaves before the unit's
# answer (the unit answers 300 ms late); 200 ms after the answer went out a
# new client connects and waits 2 s: the time from its connection to the
# first byte it gets is printed (none: nothing stale came). Then the largest
# gap between two bytes of one answer at 9600 baud (--line-rate 9600), from
# the simulator's own TCP port and through ser2net's raw accepter.
set -uo pipefail
SIM=${1:?korvex7-sim binary}
ROUNDS=${2:-5}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/korvex7-quiet.XXXXXX")
PIDS=()
trap 'for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done; rm -rf "$WORK"' EXIT
source "$ROOT/tests/support/ser2net.sh"

start_sim() {
  "$SIM" "$@" >"$WORK/sim.out" 2>&1 &
  PIDS+=($!)
  for _ in $(seq 100); do grep -q 'korvex7-sim: ' "$WORK/sim.out" && break; sleep 0.05; done
}

# probe HOST PORT TELNET: the late-answer experiment; prints ms or "none".
probe() {
  python3 - "$@" <<'PY'
import socket, sys, time
host, port, telnet = sys.argv[1], int(sys.argv[2]), sys.argv[3] == "1"
IAC, WILL, DO, SB, SE = 255, 251, 253, 250, 240
def negotiate(s):
    if not telnet:
        return
    s.sendall(bytes([IAC, WILL, 44]))
    end = time.monotonic() + 2
    got = b""
    while bytes([IAC, DO, 44]) not in got and time.monotonic() < end:
        s.settimeout(0.2)
        try:
            got += s.recv(4096)
        except socket.timeout:
            pass
def data(chunk):
    # Telnet commands are not line bytes: drop IAC sequences (enough here).
    out, i = b"", 0
    while i < len(chunk):
        if chunk[i] == IAC and telnet:
            i += 3 if i + 1 < len(chunk) and chunk[i + 1] in (251, 252, 253, 254) else 2
            continue
        out += chunk[i:i + 1]
        i += 1
    return out
first = socket.create_connection((host, port))
negotiate(first)
first.sendall(b"RAM\r\n")
time.sleep(0.05)
first.close()
time.sleep(0.45)  # the unit answers at 300 ms; 200 ms more
s = socket.create_connection((host, port))
start = time.monotonic()
negotiate(s)
s.settimeout(0.05)
while time.monotonic() - start < 2:
    try:
        chunk = s.recv(4096)
    except socket.timeout:
        continue
    if not chunk:
        break
    if data(chunk):
        print(f"{(time.monotonic() - start) * 1000:.1f}")
        sys.exit(0)
print("none")
PY
}

# gaps HOST PORT: the largest gap (ms) between bytes of one answer.
gaps() {
  python3 - "$@" <<'PY'
import socket, sys, time
s = socket.create_connection((sys.argv[1], int(sys.argv[2])))
time.sleep(0.2)
worst = 0.0
for _ in range(10):
    s.sendall(b"RCASTM\r\n")
    last, line = None, b""
    s.settimeout(2)
    while not line.endswith(b"\n"):
        chunk = s.recv(4096)
        now = time.monotonic()
        if last is not None:
            worst = max(worst, now - last)
        last, line = now, line + chunk
print(f"{worst * 1000:.1f}")
PY
}

start_sim --pty "$WORK/unit" --reply-delay-ms 300
ser2net_start "$WORK/unit" "$WORK" || exit 1
PIDS+=("$SER2NET_PID")
for way in raw rfc2217; do
  port=$RAW telnet=0
  [ "$way" = rfc2217 ] && port=$RFC telnet=1
  figures=()
  for _ in $(seq "$ROUNDS"); do figures+=("$(probe 127.0.0.1 "$port" "$telnet")"); sleep 0.2; done
  echo "ser2net $way: a held answer arrived after (ms): ${figures[*]}"
done
kill "$SER2NET_PID" "${PIDS[0]}" 2>/dev/null
wait "$SER2NET_PID" "${PIDS[0]}" 2>/dev/null
PIDS=()

start_sim --listen tcp://127.0.0.1:0 --reply-delay-ms 300 --stale-answer 0
url=$(grep -o 'tcp://127.0.0.1:[0-9]*' "$WORK/sim.out")
figures=()
for _ in $(seq "$ROUNDS"); do figures+=("$(probe 127.0.0.1 "${url##*:}" 0)"); sleep 0.2; done
echo "korvex7-sim --listen --stale-answer 0: a held answer arrived after (ms): ${figures[*]}"
kill "${PIDS[0]}" 2>/dev/null
wait "${PIDS[0]}" 2>/dev/null
PIDS=()

start_sim --pty "$WORK/rate" --line-rate 9600 --listen tcp://127.0.0.1:0
url=$(grep -o 'tcp://127.0.0.1:[0-9]*' "$WORK/sim.out")
echo "korvex7-sim --line-rate 9600: largest gap inside one answer (ms): $(gaps 127.0.0.1 "${url##*:}")"
ser2net_start "$WORK/rate" "$WORK" || exit 1
PIDS+=("$SER2NET_PID")
echo "9600 baud through ser2net raw: largest gap inside one answer (ms): $(gaps 127.0.0.1 "$RAW")"
