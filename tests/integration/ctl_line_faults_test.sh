#!/usr/bin/env bash
# Lines and device servers that misbehave, as found in the field: none of
# them makes the tool report success for a command the unit did not take, or
# wait past its deadlines, or grow without bound.
#   1 a line that echoes what is sent        6 bytes that are not text
#   2 a late duplicate of an answer          7 a busy device server (ser2net)
#   3 a stale answer at the next connection  8 a host with several addresses
#   4 streams that never end                 9 Ctrl+C and SIGTERM
#   5 scan on a noisy or echoing line       10 words and get all
source "$(dirname "$0")/ctl_common.sh"

SUPPORT=$(cd "$(dirname "$0")/../support" && pwd)
HELPER_PIDS=()
faults_cleanup() {
  local pid
  for pid in "${HELPER_PIDS[@]}"; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  cleanup
}
trap faults_cleanup EXIT

# within MS CODE ARGS...: the tool ends with CODE within MS milliseconds; it
# is ended after 20 s whatever it does, or as soon as it holds more than
# 512 MB, and fails the check then.
within() {
  local limit=$1 want=$2
  shift 2
  local rc
  python3 - "$limit" "$want" "$WORK/out" "$WORK/err" "$CTL" --no-progress "$@" <<'PY'
import subprocess, sys, time
limit, want, out, err, argv = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3], sys.argv[4], sys.argv[5:]
started = time.monotonic()
with open(out, "wb") as o, open(err, "wb") as e:
    p = subprocess.Popen(argv, stdout=o, stderr=e)
    peak, why = 0, ""
    while p.poll() is None:
        try:
            for line in open(f"/proc/{p.pid}/status"):
                if line.startswith("VmRSS:"):
                    peak = max(peak, int(line.split()[1]) // 1024)
        except OSError:
            pass
        if peak > 512:
            why = f"held {peak} MB"
        elif time.monotonic() - started > 20:
            why = "ran for 20 s"
        if why:
            p.kill()
            p.wait()
            break
        time.sleep(0.02)
took = int((time.monotonic() - started) * 1000)
problems = []
if why:
    problems.append(f"was ended: it {why}")
elif p.returncode != want:
    problems.append(f"exited with {p.returncode}, expected {want}")
if took > limit:
    problems.append(f"took {took} ms, more than {limit}")
if problems:
    print("FAIL: korvex7ctl " + " ".join(argv[2:]) + ": " + "; ".join(problems), file=sys.stderr)
    sys.exit(1)
PY
  rc=$?
  if [ "$rc" -ne 0 ]; then
    FAILURES=$((FAILURES + 1))
    sed 's/^/  stderr: /' "$WORK/err" | head -5 >&2
  fi
}

# listen_sim NAME OPTIONS...: the simulator on a TCP port of its own; sets
# PORT_URL.
listen_sim() {
  local name=$1
  shift
  "$SIM" --listen tcp://127.0.0.1:0 "$@" >"$WORK/$name.out" 2>&1 &
  SIM_PIDS+=($!)
  for _ in $(seq 100); do grep -q 'on tcp://' "$WORK/$name.out" && break; sleep 0.05; done
  PORT_URL=$(grep -o 'tcp://127.0.0.1:[0-9]*' "$WORK/$name.out")
  [ -n "$PORT_URL" ] || { cat "$WORK/$name.out" >&2; exit 1; }
}

make_site_file "$WORK/site.dat"
stop_sims

# 1. An echoing line in front of a unit that refuses everything: every
# refusal is reported; in front of a working unit everything works, and the
# echo is named once.
start_sim echo-e3 --echo --status E3
ctl 5 --port "$WORK/echo-e3" set alarm.mode=external
expect_in "$WORK/err" 'Command Error (the unit answered "E3" to AME, command 1 of 1)'
ctl 5 --port "$WORK/echo-e3" write "$WORK/site.dat"
expect_in "$WORK/err" 'Command Error (the unit answered "E3" to AME, command 1 of 55)'
start_sim echo-unit --echo --load "$WORK/site.dat" --dump "$WORK/echo-unit.dat"
ctl 0 --port "$WORK/echo-unit" read "$WORK/echo-read.dat"
same_settings "$WORK/site.dat" "$WORK/echo-read.dat"
[ "$(grep -c 'the line echoes what is sent' "$WORK/err")" -eq 1 ] ||
  fail "the echo is not named exactly once: $(cat "$WORK/err")"
ctl 0 --port "$WORK/echo-unit" set other.borderLine=white
ctl 0 --port "$WORK/echo-unit" get other.borderLine
expect_in "$WORK/out" "other.borderLine=white"
stop_sims

# 2. A late duplicate of the previous answer: the repeated "GO" cannot hide
# the unit's "E3" behind it; a server that repeats every answer makes a
# write fail at its first doubt, never end in success.
start_sim dup --duplicate-answers
ctl 0 --port "$WORK/dup" set alarm.mode=external
ctl 5 --port "$WORK/dup" send ZZZ
expect_in "$WORK/err" '"E3\r\n" came after the answer "GO" to ZZZ'
stop_sims
start_sim dup-write --duplicate-answers
ctl 5 --port "$WORK/dup-write" write "$WORK/site.dat"
expect_in "$WORK/err" '"GO\r\n" came after the answer "GO" to ADT120, command 2 of 55'
expect_not_in "$WORK/out" "wrote 55 settings"
stop_sims

# 3. A stale answer held by the server from the last connection comes 60 ms
# into the next one (ser2net hands one on within a few ms), after a tool in a
# hurry would have sent its first command and before the unit, 100 ms away,
# can answer it: dropped by the quiet start, never taken for the answer.
listen_sim stale --stale-answer 60 --reply-delay-ms 100
ctl 0 --port "$PORT_URL" set alarm.mode=external
ctl 5 --port "$PORT_URL" send ZZZ
expect_in "$WORK/err" 'Command Error (the unit answered "E3" to ZZZ'
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
  for _ in $(seq 100); do [ -s "$WORK/$f.port" ] && break; sleep 0.05; done
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

# 5. scan lists only well-formed answers to the address asked: an echoing
# line makes no address a unit, an answer that comes after its wait is
# noise, and so is a garbled answer.
start_sim bus-echo --echo --address 02
ctl 0 --port "$WORK/bus-echo" --rs485 scan
[ "$(paste -sd' ' "$WORK/out")" = "02" ] || fail "scan over an echoing line: $(cat "$WORK/out")"
expect_in "$WORK/err" "the line echoes what is sent"
stop_sims
start_sim bus-late --address 03 --reply-delay-ms 150 --chunked
ctl 8 --port "$WORK/bus-late" --rs485 --address 03-05 scan
expect_in "$WORK/out" "noise while asking 04:"
expect_not_in "$WORK/out" "Command Error"
expect_in "$WORK/err" "unit 03 may have answered after its wait"
expect_in "$WORK/err" "the line is unreliable"
ctl 8 --port "$WORK/bus-late" --rs485 --address 03-05 --json scan
python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); sys.exit(d["units"] != [] or not d["noise"])' \
  "$WORK/out" || fail "scan --json on a late unit: $(cat "$WORK/out")"
stop_sims
start_sim bus-garbled --address 02 --garble-every 1
ctl 8 --port "$WORK/bus-garbled" --rs485 --address 01-03 scan
expect_in "$WORK/out" 'noise while asking 02: "02#MI\r\n"'
stop_sims

# 6. Bytes that are not text, in text and in JSON: escaped, never a crash.
python3 "$SUPPORT/fixed_answer_unit.py" "$WORK/bytes" fffe800d0a &
HELPER_PIDS+=($!)
for _ in $(seq 100); do [ -L "$WORK/bytes" ] && break; sleep 0.05; done
ctl 5 --port "$WORK/bytes" --json send RAM
python3 -c 'import json,sys; u=json.load(open(sys.argv[1]))["units"][0]; sys.exit(u["reply"] != "\\xFF\\xFE\\x80")' \
  "$WORK/out" || fail "send --json with bytes that are no text: $(cat "$WORK/out")"
ctl 5 --port "$WORK/bytes" get alarm.mode
expect_in "$WORK/err" 'unexpected answer "\xFF\xFE\x80" to RAM'
LC_ALL=C grep -q $'\xff' "$WORK/err" && fail "a raw 0xFF byte reached the error stream"

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
for _ in $(seq 100); do [ -s "$WORK/full.port" ] && break; sleep 0.05; done
LD_PRELOAD=$WORK/resolve_shim.so KORVEX7_SHIM_HOST=four.korvex7.test KORVEX7_SHIM_COUNT=4 \
  within 4000 7 --port "tcp://four.korvex7.test:$(cat "$WORK/full.port")" get alarm.mode
expect_in "$WORK/err" "no answer from any of its 4 addresses within 3000 ms"

# 9. Ctrl+C in a write and SIGTERM in a read: a message that says where the
# run stopped, status 130, and no file half-written. (With job control, so
# that the tool started in the background does not inherit an ignored
# SIGINT.)
stop_sims
set -m
start_sim slow --reply-delay-ms 30 --log "$WORK/slow.log"
"$CTL" --no-progress --port "$WORK/slow" write "$WORK/site.dat" >"$WORK/out" 2>"$WORK/err" &
ctl_pid=$!
for _ in $(seq 400); do [ "$(grep -c ' RX ' "$WORK/slow.log")" -ge 10 ] && break; sleep 0.01; done
kill -INT "$ctl_pid"
rc=0
wait "$ctl_pid" || rc=$?
[ "$rc" -eq 130 ] || fail "a write stopped by Ctrl+C exited with $rc"
grep -qE "stopped (at|while waiting for the answer to [A-Z0-9]+,) command [0-9]+ of 55: the unit holds part of the file" "$WORK/err" ||
  fail "no word of where the write stopped: $(cat "$WORK/err")"
cp "$WORK/site.dat" "$WORK/kept.dat"
: >"$WORK/slow.log"
"$CTL" --no-progress --port "$WORK/slow" read "$WORK/kept.dat" >"$WORK/out" 2>"$WORK/err" &
ctl_pid=$!
for _ in $(seq 400); do [ "$(grep -c ' RX ' "$WORK/slow.log")" -ge 10 ] && break; sleep 0.01; done
kill -TERM "$ctl_pid"
rc=0
wait "$ctl_pid" || rc=$?
[ "$rc" -eq 130 ] || fail "a read stopped by SIGTERM exited with $rc"
expect_in "$WORK/err" "no file was written"
cmp -s "$WORK/site.dat" "$WORK/kept.dat" || fail "a stopped read changed the file"
ls "$WORK" | grep -qE '\.tmp|partial' && fail "a stopped read left a file behind"
set +m
stop_sims

# 10. get takes "all" (what the unit does not report is left out), and an
# RFC 2217 server's wrong settings are named in words (above).
start_sim all --load "$WORK/site.dat"
ctl 0 --port "$WORK/all" get all
[ "$(grep -c '=' "$WORK/out")" -ge 250 ] || fail "get all printed $(grep -c '=' "$WORK/out") fields"
expect_in "$WORK/out" "alarm.mode=external"
expect_not_in "$WORK/out" "saturationV"
ctl 2 --port "$WORK/all" get 'videoAdjust.saturationV[0]'

finish
