#!/usr/bin/env bash
# set and get: one field of every family, on the unit and back.
source "$(dirname "$0")/ctl_common.sh"

start_sim unit --dump "$WORK/unit.dat" --log "$WORK/unit.log"
wait_file "$WORK/unit.dat"
cp "$WORK/unit.dat" "$WORK/expected.dat"

values=(
  alarm.mode=external alarm.inputPolarity=break alarm.holdTimeText=45 alarm.returnOn=off
  alarm.display=off 'videoLoss.detect[3]=off' videoLoss.display=off videoLoss.signalOutput=on
  videoLoss.background=blue dateTime.display=off dateTime.displayRange=hms
  'title.text[1]=入口' titleDisplay.single=off titleDisplay.split=off fontSize.single=small
  fontSize.split=small 'autoSwitch.dwellTime[0]=12' 'autoSwitch.dwellTime[22]=7'
  autoSwitch.mode=single 'videoAdjust.brightness[3]=-1' 'videoAdjust.contrast[15]=127'
  'videoAdjust.hue[0]=-124' 'videoAdjust.sharpness[5]=31' 'videoAdjust.saturation[9]=0'
  'agc.on[2]=off' 'videoFormat.format[9]=ntsc' titlePosition.vertical=15
  titlePosition.horizontal=0 'splitLayout.quadA[0]=16' 'splitLayout.nineA[8]=16'
  'splitLayout.thirteenB[12]=13' 'splitLayout.sixteen[15]=16' other.connectorInput=remote
  other.borderLine=white other.powerOnScreen=split13B other.ntscAspect=full
)
ctl 0 --port "$WORK/unit" set "${values[@]}"

names=()
for v in "${values[@]}"; do names+=("${v%%=*}"); done
ctl 0 --port "$WORK/unit" get "${names[@]}"
printf '%s\n' "${values[@]}" >"$WORK/expected"
diff "$WORK/expected" "$WORK/out" >"$WORK/get.diff" || {
  fail "get does not give back what set sent"
  sed 's/^/  | /' "$WORK/get.diff" >&2
}

# One channel goes out as its single-channel command; a part of an
# all-channel table is read first and sent whole.
expect_in "$WORK/unit.log" 'RX VAB04127\r\n'
expect_in "$WORK/unit.log" 'RX RAGC\r\n'
expect_in "$WORK/unit.log" 'RX AGCNNFNNNNNNNNNNNNN\r\n'

# The unit holds what a settings file changed the same way holds.
"$CTL" set --file "$WORK/expected.dat" "${values[@]}" || fail "set --file refused the values"
wait_same_settings "$WORK/expected.dat" "$WORK/unit.dat"

# A whole array, and JSON for scripts.
ctl 0 --port "$WORK/unit" set agc.on=off
ctl 0 --port "$WORK/unit" --json get agc.on 'videoAdjust.brightness[3]'
expect_in "$WORK/out" '"agc.on[15]": "off"'
expect_in "$WORK/out" '"videoAdjust.brightness[3]": -1'
expect_in "$WORK/out" '"ok": true'

finish
