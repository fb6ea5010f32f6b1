# korvex7ctl.exe, the Windows command-line tool, under Wine against the
# simulator on COM1: read of a non-default unit gives the unit's file byte for
# byte, write makes the unit hold a file, set sends its one command, and each
# exit status the tool has: 1 differences, 2 bad arguments, 3 a value
# refused, 4 a silent unit, 5 a unit error, 6 a file that cannot be read or
# written (the Win32 file replacement refusing a folder), 7 a port that cannot
# be opened (COM2 names a folder); and the port list.
work=$CASE_DIR/work
settings() { python3 "$E2E_ROOT/tests/e2e/settings_file.py" "$@"; }

# Every title is ten characters without trailing blanks: a title read back
# loses its trailing full-width blanks.
mapfile -t titles < <(ten_character_titles 0 15)
settings write "$work/site.dat" "${titles[@]}" \
  alarm.mode=1 alarm.inputPolarity=1 alarm.holdTimeText=120 alarm.display=0 \
  'videoLoss.detect[4]=0' videoLoss.background=1 dateTime.displayRange=5 \
  'autoSwitch.dwellTime[24]=99' autoSwitch.mode=1 \
  'videoAdjust.brightness[15]=127' 'videoAdjust.hue[6]=251' 'agc.on[0]=0' \
  'videoFormat.format[9]=0' titlePosition.vertical=15 'splitLayout.quadA[0]=15' \
  'splitLayout.quadA[3]=0' other.borderLine=1 other.powerOnScreen=25
settings write "$work/other.dat" \
  alarm.mode=1 alarm.holdTimeText=005 videoLoss.signalOutput=1 'title.text[9]=ＰＡＲＫＩＮＧ　Ｂ１' \
  'videoAdjust.contrast[15]=127' 'videoAdjust.sharpness[4]=7' 'agc.on[7]=0' \
  'splitLayout.thirteenA[0]=15' 'splitLayout.thirteenA[12]=0' other.connectorInput=1

# read: the unit's settings, saved as the program saves them.
start_sim --load "$work/site.dat"
ctl_exe 0 --port COM1 read read.dat
grep -qF "read 55 settings queries, saved read.dat" "$CTL_OUT" || fail "no read report"
cmp "$work/site.dat" "$work/read.dat" || fail "read.dat is not the unit's file"
ctl_exe 0 --port com1 get alarm.mode 'title.text[3]'
expect_eq "get" "$(tr -d '\r' <"$CTL_OUT")" "alarm.mode=external
title.text[3]=第０３番カメラ入口前"
# A read whose file name is taken by a folder: nothing replaced, no new file.
mkdir "$work/folder.dat"
touch "$work/folder.dat/keep"
ctl_exe 6 --port COM1 read folder.dat
expect_err "folder.dat: cannot replace the file: "
[ -f "$work/folder.dat/keep" ] || fail "the folder's content changed"
expect_eq "temporary files left" "$(find "$work" -name '*.tmp' | wc -l)" 0
stop_sims

# write: the unit then holds the file (all that a command carries); set: one
# command, one answer.
start_sim --dump "$work/unit.dat" --log "$CASE_DIR/write.log"
ctl_exe 0 --port COM1 write other.dat
wait_settings_same "$work/other.dat" "$work/unit.dat" --except videoAdjust.saturationV
expect_eq "commands" "$(frames "$CASE_DIR/write.log" | grep -c '^RX')" 55
ctl_exe 0 --port COM1 set alarm.mode=internal 'videoAdjust.brightness[3]=-1'
expect_eq "set" "$(frames "$CASE_DIR/write.log" | tail -4)" 'RX AMI\r\n
TX GO\r\n
RX VAB04127\r\n
TX GO\r\n'
settings write "$work/expect.dat" alarm.holdTimeText=005 videoLoss.signalOutput=1 \
  'title.text[9]=ＰＡＲＫＩＮＧ　Ｂ１' 'videoAdjust.contrast[15]=127' \
  'videoAdjust.sharpness[4]=7' 'agc.on[7]=0' 'splitLayout.thirteenA[0]=15' \
  'splitLayout.thirteenA[12]=0' other.connectorInput=1 'videoAdjust.brightness[3]=63'
wait_settings_same "$work/expect.dat" "$work/unit.dat" --except videoAdjust.saturationV

# Refused before anything is sent: a malformed value (2), a value out of
# range (3), a damaged file (6).
sent=$(frames "$CASE_DIR/write.log" | wc -l)
ctl_exe 2 --port COM1 set alarm.mode=sideways
expect_err "it takes internal | external"
ctl_exe 3 --port COM1 set 'videoAdjust.brightness[3]=64'
expect_err "64 is out of range; it takes -64..63"
head -c 200 "$work/other.dat" >"$work/cut.dat"
ctl_exe 6 --port COM1 write cut.dat
expect_err "cut.dat: the file ends after"
ctl_exe 6 --port COM1 write missing.dat
expect_err "missing.dat: cannot open: "
expect_eq "frames after the refusals" "$(frames "$CASE_DIR/write.log" | wc -l)" "$sent"
ctl_exe 1 diff site.dat other.dat
grep -q '^alarm.holdTimeText' "$CTL_OUT" || fail "diff does not name alarm.holdTimeText"
ctl_exe 0 diff site.dat read.dat
stop_sims

# A unit that never answers (4), one that answers with an error (5).
start_sim --silent
ctl_exe 4 --port COM1 set alarm.mode=external
expect_err "No Connect (no answer to AME within 1900 ms"
stop_sims
start_sim --status E3
ctl_exe 5 --port COM1 get alarm.mode
expect_err 'Command Error (the unit answered "E3" to RAM'
stop_sims

# A port that cannot be opened (7).
ctl_exe 7 --port COM2 get alarm.mode
expect_err "COM2: cannot open the port: "

# The port list holds the prefix's COM1..COM6 (Wine may add ports of its own).
ctl_exe 0 --list-ports
expect_eq "ports" "$(tr -d '\r' <"$CTL_OUT" | head -6 | paste -sd' ')" "COM1 COM2 COM3 COM4 COM5 COM6"
