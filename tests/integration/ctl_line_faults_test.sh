#!/usr/bin/env bash
# Lines and device servers that misbehave, as found in the field: none of
# them makes the tool report success for a command the unit did not take.
#   1 a line that echoes what is sent        6 bytes that are not text
#   2 a late duplicate of an answer          9 Ctrl+C and SIGTERM
#   3 a stale answer at the next connection 10 get all
#   5 scan on a noisy or echoing line
# (4, 7 and 8, the deadlines: ctl_line_deadlines_test.sh.)
source "$(dirname "$0")/ctl_common.sh"

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
# (Which command meets the doubt first, and how many repeated answers have
# gathered by then, depends on how the lines fall into reads.)
grep -qE '"(GO\\r\\n)+" came after the answer "GO" to [A-Z0-9]+, command [0-9]+ of 55' "$WORK/err" ||
  fail "no doubt about a repeated answer: $(cat "$WORK/err")"
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
# (Where the late answer lands depends on the machine's pace.)
grep -qE 'noise (while|before) asking 0[45]: ' "$WORK/out" || fail "no noise reported: $(cat "$WORK/out")"
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
wait_until 5 "the line to appear" test -L "$WORK/bytes"
ctl 5 --port "$WORK/bytes" --json send RAM
python3 -c 'import json,sys; u=json.load(open(sys.argv[1]))["units"][0]; sys.exit(u["reply"] != "\\xFF\\xFE\\x80")' \
  "$WORK/out" || fail "send --json with bytes that are no text: $(cat "$WORK/out")"
ctl 5 --port "$WORK/bytes" get alarm.mode
expect_in "$WORK/err" 'unexpected answer "\xFF\xFE\x80" to RAM'
LC_ALL=C grep -q $'\xff' "$WORK/err" && fail "a raw 0xFF byte reached the error stream"

# 9. Ctrl+C in a write and SIGTERM in a read: a message that says where the
# run stopped, status 130, and no file half-written. (With job control, so
# that the tool started in the background does not inherit an ignored
# SIGINT.)
stop_sims
set -m
start_sim slow --reply-delay-ms 30 --log "$WORK/slow.log"
"$CTL" --no-progress --port "$WORK/slow" write "$WORK/site.dat" >"$WORK/out" 2>"$WORK/err" &
ctl_pid=$!
wait_until --every 0.01 4 "ten commands" count_at_least 10 ' RX ' "$WORK/slow.log"
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
wait_until --every 0.01 4 "ten commands" count_at_least 10 ' RX ' "$WORK/slow.log"
kill -TERM "$ctl_pid"
rc=0
wait "$ctl_pid" || rc=$?
[ "$rc" -eq 130 ] || fail "a read stopped by SIGTERM exited with $rc"
expect_in "$WORK/err" "no file was written"
cmp -s "$WORK/site.dat" "$WORK/kept.dat" || fail "a stopped read changed the file"
ls "$WORK" | grep -qE '\.tmp|partial' && fail "a stopped read left a file behind"
set +m
stop_sims

# 10. get takes "all" (what the unit does not report is left out).
start_sim all --load "$WORK/site.dat"
ctl 0 --port "$WORK/all" get all
[ "$(grep -c '=' "$WORK/out")" -ge 250 ] || fail "get all printed $(grep -c '=' "$WORK/out") fields"
expect_in "$WORK/out" "alarm.mode=external"
expect_not_in "$WORK/out" "saturationV"
ctl 2 --port "$WORK/all" get 'videoAdjust.saturationV[0]'

finish
