#!/usr/bin/env bash
# read: a unit loaded with a non-default settings file is read back whole.
source "$(dirname "$0")/ctl_common.sh"

make_site_file "$WORK/site.dat"
start_sim unit --load "$WORK/site.dat" --log "$WORK/unit.log"

ctl 0 --port "$WORK/unit" read "$WORK/read.dat"
expect_in "$WORK/out" "read 55 settings queries, saved $WORK/read.dat"
same_settings "$WORK/site.dat" "$WORK/read.dat"
"$CTL" show "$WORK/read.dat" 'title.text[0]' 'title.text[5]' alarm.mode >"$WORK/show.out"
expect_in "$WORK/show.out" "title.text[0]=入口"
expect_in "$WORK/show.out" "title.text[5]=第２会議室"
expect_in "$WORK/show.out" "alarm.mode=external"

# The program's file format: 282 values, each line ending in CR LF.
[ "$(wc -l <"$WORK/read.dat")" -eq 282 ] || fail "read.dat does not have 282 lines"
[ "$(grep -c $'\r$' "$WORK/read.dat")" -eq 282 ] || fail "read.dat lines do not all end in CR LF"

# The 55 queries went out one after another, each answered.
[ "$(grep -c ' RX ' "$WORK/unit.log")" -eq 55 ] || fail "the unit did not receive 55 queries"
expect_in "$WORK/unit.log" 'RX RAM\r\n'
expect_in "$WORK/unit.log" 'RX RNAR\r\n'

# diff --unit: the unit against its own file, then against another.
ctl 0 --port "$WORK/unit" diff --unit "$WORK/site.dat"
ctl 1 --port "$WORK/unit" diff --unit "$WORK/defaults.dat"
expect_in "$WORK/out" "alarm.mode: internal -> external"
expect_in "$WORK/out" "title.text[0]: 　　　ＣＨ０１　　　 -> 入口"

# A failed read leaves an existing file as it was.
cp "$WORK/read.dat" "$WORK/keep.dat"
stop_sims
start_sim silent --silent
ctl 4 --port "$WORK/silent" --timeout-ms 300 read "$WORK/keep.dat"
cmp -s "$WORK/read.dat" "$WORK/keep.dat" || fail "a failed read changed the file"

finish
