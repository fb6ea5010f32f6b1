#!/usr/bin/env bash
# show, diff, send, switch, clock and the port list.
source "$(dirname "$0")/ctl_common.sh"

make_site_file "$WORK/site.dat"
stop_sims
start_sim unit --log "$WORK/unit.log"

ctl 0 show "$WORK/site.dat"
[ "$(wc -l <"$WORK/out")" -eq 282 ] || fail "show does not print 282 fields"
expect_in "$WORK/out" "alarm.holdTimeText=120"
expect_in "$WORK/out" "other.powerOnScreen=split13A"
ctl 0 show --json "$WORK/site.dat" videoAdjust
expect_in "$WORK/out" '"videoAdjust.hue[15]": -124'
python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); assert len(d["fields"]) == 96' \
  "$WORK/out" || fail "show --json is not the JSON expected"

ctl 1 diff "$WORK/defaults.dat" "$WORK/site.dat"
expect_in "$WORK/out" "other.ntscAspect: 4:3 -> full"
ctl 0 diff "$WORK/site.dat" "$WORK/site.dat"

ctl 0 --port "$WORK/unit" send RAM
[ "$(cat "$WORK/out")" = "AMI" ] || fail "send RAM printed $(cat "$WORK/out")"
ctl 5 --port "$WORK/unit" send RXYZ
expect_in "$WORK/err" "Command Error"

ctl 0 --port "$WORK/unit" switch ch.05
ctl 0 --port "$WORK/unit" switch 13B
ctl 0 --port "$WORK/unit" switch auto
ctl 2 --port "$WORK/unit" switch ch.17
expect_in "$WORK/unit.log" 'RX CS05\r\n'
expect_in "$WORK/unit.log" 'RX CD13B\r\n'
expect_in "$WORK/unit.log" 'RX CCAS\r\n'

ctl 0 --port "$WORK/unit" clock --now
year=$(date +%y)
expect_in "$WORK/unit.log" "RX DSY$year"
[ "$(grep -c -E ' RX (DSY|DSM|DSD|TSH|TSM|TSS)[0-9]{2}' "$WORK/unit.log")" -eq 6 ] ||
  fail "clock --now did not send the six clock commands"

ctl 0 --list-ports
ctl 0 fields
expect_in "$WORK/out" "videoAdjust.brightness[0..15]"

finish
