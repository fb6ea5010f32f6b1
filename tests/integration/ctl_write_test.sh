#!/usr/bin/env bash
# write: every setting of a file reaches the unit; refused values reach nothing.
source "$(dirname "$0")/ctl_common.sh"

make_site_file "$WORK/site.dat"
start_sim unit --dump "$WORK/unit.dat" --log "$WORK/unit.log"
wait_file "$WORK/unit.dat"

ctl 0 --port "$WORK/unit" write "$WORK/site.dat"
expect_in "$WORK/out" "wrote 55 settings from $WORK/site.dat"
wait_same_settings "$WORK/site.dat" "$WORK/unit.dat"
[ "$(grep -c ' RX ' "$WORK/unit.log")" -eq 55 ] || fail "the unit did not receive 55 commands"
[ "$(grep -c ' TX GO' "$WORK/unit.log")" -eq 55 ] || fail "the unit did not accept 55 commands"
expect_in "$WORK/unit.log" 'RX AME\r\n'
expect_in "$WORK/unit.log" 'RX CJ01467E387D21212121212121212121212121212121\r\n'

# A file with a value the unit cannot take: nothing is sent at all.
: >"$WORK/unit.log"
LC_ALL=C sed '73s/.*/200\r/' "$WORK/site.dat" >"$WORK/bad.dat"   # videoAdjust.brightness[0]
ctl 3 --port "$WORK/unit" write "$WORK/bad.dat"
expect_in "$WORK/err" "videoAdjust.brightness[0]: holds invalid(200)"
expect_in "$WORK/err" "nothing was sent"
# A title with a half-width letter (line 27 is title.text[0]).
LC_ALL=C sed '27s/.*/AB\r/' "$WORK/site.dat" >"$WORK/bad-title.dat"
ctl 3 --port "$WORK/unit" write "$WORK/bad-title.dat"
expect_in "$WORK/err" "title.text[0]"
expect_in "$WORK/err" "ＪＩＳ第１水準,第２水準以外の字が選択されてます"
# A file that ends early.
head -n 100 "$WORK/site.dat" >"$WORK/short.dat"
ctl 6 --port "$WORK/unit" write "$WORK/short.dat"
expect_in "$WORK/err" "ends after 100 of 282 values"
sleep 0.2
expect_not_in "$WORK/unit.log" " RX "

finish
