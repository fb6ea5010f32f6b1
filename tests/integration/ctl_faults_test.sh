#!/usr/bin/env bash
# Faults of the unit and of the line, and files that cannot be used: each
# ends with its own exit status and words, never as success, and never
# costs a settings file.
source "$(dirname "$0")/ctl_common.sh"

make_site_file "$WORK/site.dat"
stop_sims

# Every status word, for a single set and in a write run: the program's text
# for it, status 5, and the run stops at its first command.
words=(MENU ALARM LOCK GN E0 E1 E2 E3)
texts=("Menu Display" "Alarm Display" "Lock Display" "Mode Error" "Framing Error" "Parity Error"
  "Over Run Error" "Command Error")
for i in "${!words[@]}"; do
  word=${words[$i]}
  start_sim "st-$word" --status "$word" --log "$WORK/st-$word.log"
  ctl 5 --port "$WORK/st-$word" set other.borderLine=white
  expect_in "$WORK/err" "${texts[$i]} (the unit answered \"$word\" to BLW, command 1 of 1)"
  ctl 5 --port "$WORK/st-$word" write "$WORK/site.dat"
  expect_in "$WORK/err" "${texts[$i]} (the unit answered \"$word\" to AME, command 1 of 55)"
  [ "$(grep -c ' RX ' "$WORK/st-$word.log")" -eq 2 ] || fail "$word: commands after the refusal"
done
stop_sims

# Garbled answers (every second one): a garbled "GO" and a garbled data line
# are unexpected answers, status 5; a read that meets one writes no file.
start_sim garbled --load "$WORK/site.dat" --garble-every 2
ctl 0 --port "$WORK/garbled" set alarm.mode=external
ctl 5 --port "$WORK/garbled" set alarm.mode=external
expect_in "$WORK/err" 'unexpected answer "G#" to AME (command 1 of 1; the unit answers it with GO or a status word)'
cp "$WORK/site.dat" "$WORK/kept.dat"
ctl 5 --port "$WORK/garbled" read "$WORK/kept.dat"
expect_in "$WORK/err" 'unexpected answer "ADT#20" to RADT (command 2 of 55; the unit answers it with its ADT line)'
cmp -s "$WORK/site.dat" "$WORK/kept.dat" || fail "a read with a garbled answer changed the file"
ctl 0 --port "$WORK/garbled" get alarm.holdTimeText
expect_in "$WORK/out" "alarm.holdTimeText=120"
ctl 5 --port "$WORK/garbled" write "$WORK/site.dat"
expect_in "$WORK/err" 'unexpected answer "G#" to AME (command 1 of 55;'
stop_sims

# Answers delivered byte by byte: a whole read, and a set.
start_sim chunked --load "$WORK/site.dat" --chunked
ctl 0 --port "$WORK/chunked" read "$WORK/chunked.dat"
same_settings "$WORK/site.dat" "$WORK/chunked.dat"
ctl 0 --port "$WORK/chunked" set 'title.text[3]=第３倉庫'
ctl 0 --port "$WORK/chunked" get 'title.text[3]'
expect_in "$WORK/out" "title.text[3]=第３倉庫"
stop_sims

# RS-485: unit 05 answers too late for itself, so its answer arrives while
# unit 06 (not on the line) is asked: a line with another unit's address is
# no answer for 06 and nothing is reported as read.
start_sim late --address 05 --reply-delay-ms 2500 --log "$WORK/late.log"
ctl 5 --port "$WORK/late" --rs485 --address 05,06 get alarm.mode
expect_in "$WORK/err" "unit 05: No Connect (no answer to RAM within 1900 ms"
expect_in "$WORK/err" 'unit 06: unexpected answer "05AMI" to RAM'
expect_not_in "$WORK/out" "alarm.mode="
stop_sims

# A device that sends lines nobody asked for, every 20 ms: the line never
# falls silent, so nothing is sent (status 8, the line named with what it
# sends); the tool neither hangs nor reads such a line into a file.
python3 "$(dirname "$0")/../e2e/line_babbler.py" "$WORK/babbler" E3 20 100000 >/dev/null 2>&1 &
SIM_PIDS+=($!)
wait_until 5 "the babbler to make its line" test -L "$WORK/babbler"
kill -USR1 "${SIM_PIDS[-1]}"
ctl 8 --port "$WORK/babbler" set alarm.mode=external
expect_in "$WORK/err" 'the line does not fall silent: '
expect_in "$WORK/err" 'beginning "E3\r\nE3\r\n'
ctl 8 --port "$WORK/babbler" read "$WORK/babbled.dat"
[ ! -e "$WORK/babbled.dat" ] || fail "a read from a babbling device wrote a file"
stop_sims

# The unit falls silent in the middle of runs: status 4 at the step it left
# unanswered; an existing file stays as it was.
start_sim paused --load "$WORK/site.dat" --reply-delay-ms 20 --log "$WORK/paused.log"
sim_pid=${SIM_PIDS[-1]}
cp "$WORK/site.dat" "$WORK/kept.dat"
"$CTL" --no-progress --timeout-ms 500 --port "$WORK/paused" read "$WORK/kept.dat" \
  >"$WORK/out" 2>"$WORK/err" &
ctl_pid=$!
wait_until --every 0.01 2 "ten answers" count_at_least 10 ' TX ' "$WORK/paused.log"
kill -STOP "$sim_pid"
rc=0
wait "$ctl_pid" || rc=$?
kill -CONT "$sim_pid"
[ "$rc" -eq 4 ] || fail "a read from a unit that fell silent exited with $rc, expected 4"
expect_in "$WORK/err" "No Connect (no answer to"
cmp -s "$WORK/site.dat" "$WORK/kept.dat" || fail "a read cut short by silence changed the file"
stop_sims
start_sim silent --silent
ctl 4 --port "$WORK/silent" --timeout-ms 300 write "$WORK/site.dat"
expect_in "$WORK/err" "No Connect (no answer to AME within 300 ms, command 1 of 55)"
stop_sims

# The line goes away in the middle of a read (the simulator is killed and its
# pty closed): status 7 at once, the port named, the file left alone.
start_sim doomed --reply-delay-ms 20 --log "$WORK/doomed.log"
sim_pid=${SIM_PIDS[-1]}
"$CTL" --no-progress --port "$WORK/doomed" read "$WORK/kept.dat" >"$WORK/out" 2>"$WORK/err" &
ctl_pid=$!
wait_until --every 0.01 2 "ten answers" count_at_least 10 ' TX ' "$WORK/doomed.log"
{
  kill -KILL "$sim_pid"
  wait "$sim_pid"
} 2>/dev/null
start=$(date +%s%N)
rc=0
wait "$ctl_pid" || rc=$?
elapsed=$((($(date +%s%N) - start) / 1000000))
[ "$rc" -eq 7 ] || fail "a read whose line went away exited with $rc, expected 7"
[ "$elapsed" -lt 2500 ] || fail "the tool took $elapsed ms to give up on a line that went away"
expect_in "$WORK/err" "$WORK/doomed"
cmp -s "$WORK/site.dat" "$WORK/kept.dat" || fail "a read cut short by the line changed the file"
rm -f "$WORK/doomed"
SIM_PIDS=()

# The simulator's dump is a settings file too: a device's name is refused
# (said on its output) and nothing is made there.
start_sim devdump --dump "$WORK/COM1.dat"
wait_until 5 "the simulator's refusal" grep -qF "$WORK/COM1.dat: cannot be written: " \
  "$WORK/devdump.out" || fail "the simulator did not refuse to dump into COM1.dat"
stop_sims
[ ! -e "$WORK/COM1.dat" ] || fail "the simulator dumped into COM1.dat"

# The file a read writes cannot be written: a folder, a missing folder, a
# file size limit below the file's size (as on a full disk). Status 6, an
# existing file stays whole and no partial file is left.
start_sim unit --load "$WORK/site.dat"
mkdir "$WORK/folder.dat"
ctl 6 --port "$WORK/unit" read "$WORK/folder.dat"
[ -d "$WORK/folder.dat" ] || fail "the folder was replaced"
ctl 6 --port "$WORK/unit" read "$WORK/nowhere/x.dat"
echo "an older file" >"$WORK/old.dat"
(
  trap '' XFSZ
  ulimit -f 1
  exec "$CTL" --no-progress --port "$WORK/unit" read "$WORK/old.dat"
) >"$WORK/out" 2>"$WORK/err"
rc=$?
[ "$rc" -eq 6 ] || fail "a read whose file could not be written exited with $rc, expected 6"
expect_in "$WORK/err" "$WORK/old.dat: the file could not be written completely"
[ "$(cat "$WORK/old.dat")" = "an older file" ] || fail "the older file was changed"
ls "$WORK" | grep -q 'partial' && fail "a partial file was left"

# Damaged files for write: cut inside a title, binary words among the
# values, random bytes, gigabytes of zeros. Status 6 and nothing reaches the
# unit.
stop_sims
start_sim target --log "$WORK/target.log"
python3 - "$WORK" <<'PY'
import os, random, sys
work = sys.argv[1]
site = open(os.path.join(work, 'site.dat'), 'rb').read()
lines = site.split(b'\r\n')
open(os.path.join(work, 'cut.dat'), 'wb').write(site[:len(b'\r\n'.join(lines[:30])) + 2 + 7])
lines[0] = b'\x00\x01\x02\xff'
lines[72] = b'\x7fELF'
open(os.path.join(work, 'binary.dat'), 'wb').write(b'\r\n'.join(lines))
rng = random.Random(9)
open(os.path.join(work, 'random.dat'), 'wb').write(bytes(rng.randrange(256) for _ in range(6000)))
PY
ctl 6 --port "$WORK/target" write "$WORK/cut.dat"
expect_in "$WORK/err" "ends after 31 of 282 values"
ctl 6 --port "$WORK/target" write "$WORK/binary.dat"
expect_in "$WORK/err" "2 values do not fit their fields"
ctl 6 --port "$WORK/target" write "$WORK/random.dat"
expect_in "$WORK/err" "$WORK/random.dat"
ctl 6 show "$WORK/binary.dat" alarm.mode
# A file of gigabytes picked by mistake (sparse here): refused at once, since
# only its start is read.
truncate -s 3G "$WORK/video.dat"
start=$(date +%s%N)
ctl 6 --port "$WORK/target" write "$WORK/video.dat"
elapsed=$((($(date +%s%N) - start) / 1000000))
rm -f "$WORK/video.dat"
expect_in "$WORK/err" "ends after"
[ "$elapsed" -lt 10000 ] || fail "a file of 3 GB took $elapsed ms to refuse"
sleep 0.2
expect_not_in "$WORK/target.log" " RX "

finish
