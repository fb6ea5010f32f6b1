#!/usr/bin/env bash
# RS-485: a list of addresses with one silent unit, and a broadcast write.
source "$(dirname "$0")/ctl_common.sh"

make_site_file "$WORK/site.dat"
start_sim bus --address 01,02,04 --dump "$WORK/bus.dat" --log "$WORK/bus.log"
wait_file "$WORK/bus-04.dat"

# Unit 03 is not on the line: it fails alone, the others are read.
ctl 4 --port "$WORK/bus" --rs485 --address 01-04 read "$WORK/r.dat"
for a in 01 02 04; do
  [ -f "$WORK/r-$a.dat" ] || fail "no file for unit $a"
  expect_in "$WORK/out" "unit $a: read 55 settings queries, saved $WORK/r-$a.dat"
done
[ ! -e "$WORK/r-03.dat" ] || fail "a file was written for the silent unit 03"
expect_in "$WORK/err" "unit 03: No Connect (no answer to RAM"
expect_in "$WORK/bus.log" 'RX 04RNAR\r\n'

# One unit by its address.
ctl 0 --port "$WORK/bus" --rs485 --address 02 set other.borderLine=white
wait_file "$WORK/bus-02.dat"
ctl 0 --port "$WORK/bus" --rs485 --address 01,02 get other.borderLine
expect_in "$WORK/out" "unit 01: other.borderLine=black"
expect_in "$WORK/out" "unit 02: other.borderLine=white"

# Broadcast: every unit takes the file, none answers.
ctl 0 --port "$WORK/bus" --rs485 --address FF --pace-ms 20 write "$WORK/site.dat"
expect_in "$WORK/out" "sent 55 settings to every unit (Broadcast"
expect_in "$WORK/bus.log" 'RX FFAME\r\n'
for a in 01 02 04; do
  wait_same_settings "$WORK/site.dat" "$WORK/bus-$a.dat"
done
expect_not_in "$WORK/bus.log" 'TX FF'

# Nothing can be read from a broadcast.
ctl 2 --port "$WORK/bus" --rs485 --address FF read "$WORK/never.dat"
expect_in "$WORK/err" "no unit answers a broadcast"
ctl 2 --port "$WORK/bus" --rs485 --address 01,FF get alarm.mode
ctl 2 --port "$WORK/bus" --rs485 --address 32 get alarm.mode

finish
