#!/usr/bin/env bash
# The unit's refusals, the time-out and malformed arguments, with their exit
# status and the words the program shows.
source "$(dirname "$0")/ctl_common.sh"

start_sim locked --status LOCK
ctl 5 --port "$WORK/locked" set alarm.mode=external
expect_in "$WORK/err" 'Lock Display (the unit answered "LOCK" to AME, command 1 of 1)'
ctl 5 --port "$WORK/locked" read "$WORK/x.dat"
[ ! -e "$WORK/x.dat" ] || fail "a failed read wrote a file"

start_sim e3 --status E3
ctl 5 --port "$WORK/e3" get alarm.mode
expect_in "$WORK/err" 'Command Error (the unit answered "E3" to RAM'

start_sim menu --status MENU
ctl 5 --port "$WORK/menu" switch ch.01
expect_in "$WORK/err" "Menu Display"

# No answer: "No Connect" after the program's 1.9 s.
start_sim silent --silent
start=$(date +%s%N)
ctl 4 --port "$WORK/silent" set alarm.mode=external
elapsed=$((($(date +%s%N) - start) / 1000000))
expect_in "$WORK/err" "No Connect (no answer to AME within 1900 ms"
[ "$elapsed" -ge 1900 ] || fail "gave up after $elapsed ms, before 1.9 s"

# Malformed and refused arguments: nothing reaches the unit.
start_sim unit --log "$WORK/unit.log"
ctl 2 --port "$WORK/unit" set alarm.mode
expect_in "$WORK/err" 'is not of the form FIELD=VALUE'
ctl 2 --port "$WORK/unit" set alarm.mode=sideways
expect_in "$WORK/err" 'it takes internal | external'
ctl 2 --port "$WORK/unit" set nosuch.field=1
ctl 2 --port "$WORK/unit" set 'videoAdjust.brightness[16]=0'
expect_in "$WORK/err" "videoAdjust.brightness has the entries [0] to [15]"
ctl 3 --port "$WORK/unit" set 'videoAdjust.brightness[3]=64'
expect_in "$WORK/err" "64 is out of range; it takes -64..63"
ctl 3 --port "$WORK/unit" set 'title.text[0]=ABC'
expect_in "$WORK/err" "ＪＩＳ第１水準,第２水準以外の字が選択されてます"
ctl 3 --port "$WORK/unit" set 'splitLayout.quadA=5'
ctl 2 --port "$WORK/unit" set 'videoAdjust.saturationV[0]=1'
ctl 2 --port "$WORK/unit" --rs485 --address 05,05 set alarm.mode=external
ctl 2 --port "$WORK/unit" send $'RAM\tX'
sleep 0.2
expect_not_in "$WORK/unit.log" " RX "

# A port that is not there.
ctl 7 --port "$WORK/nothing" get alarm.mode
expect_in "$WORK/err" "$WORK/nothing"

finish
