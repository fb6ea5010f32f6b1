# The program on a line that echoes what is sent (a 2-wire RS-485 adapter):
# the frame comes back before the unit's answer and is not taken for it.
# A "設定" in front of a unit that refuses everything shows the unit's
# "Command Error", never "Success"; a read-all from a working unit behind the
# same kind of line takes every answer, and its saved file is the unit's.
work=$CASE_DIR/work
RA="設定項目の読み込み"
# Every title ten characters without trailing blanks: a title read back
# loses its trailing full-width blanks.
mapfile -t titles < <(ten_character_titles 1 14)
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/unit.dat" "${titles[@]}" \
  alarm.mode=1 alarm.holdTimeText=120 'videoLoss.detect[4]=0' dateTime.displayRange=5 \
  'title.text[0]=＊ＣＡＭ＊ＡＢ＊ＸＹ' 'title.text[15]=カメラ１６番入口前方' \
  'videoAdjust.brightness[15]=127' 'videoAdjust.hue[6]=251' 'agc.on[0]=0' \
  'videoFormat.format[9]=0' 'splitLayout.quadA[0]=15' 'splitLayout.quadA[3]=0' \
  other.borderLine=1 other.powerOnScreen=25
start_sim --pty "$RUN/com1" --log "$CASE_DIR/refusing.log" --echo --status E3
start_sim --pty "$RUN/com2" --log "$CASE_DIR/reading.log" --echo --load "$work/unit.dat"
start_program
program_up

# The Set: its echo, then the unit's E3; one box, the unit's error.
drv main 5000 menu "$IDM_AGC" dialog "$AGC" 5000 click "$IDC_AGC_SET" \
  box "Command Error" "Error" 5000
shot set-refused main 1000 box "Command Error" "Error" 1000
drv main 1000 box "Command Error" "Error" 1000 click "$IDOK" no-box 1000 \
  dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000
expect_frames "$CASE_DIR/refusing.log" <<'FRAMES'
TX AGCNNNNNNNNNNNNNNNN\r\n (echo)
RX AGCNNNNNNNNNNNNNNNN\r\n
TX E3\r\n
FRAMES

# The read-all on COM2: 55 queries, each echoed, each answered.
drv main 5000 menu "$IDM_COMM_SETTINGS" dialog "通信の設定" 5000 select "$IDC_COMM_PORT" 1 \
  click "$IDC_COMM_OK" gone 3000 no-box 500
open_dialog "$IDM_READ_ALL" "$RA" click "$IDC_READ_ALL_START"
drv main 1000 box "読み込みが完了しました" "接続成功" 40000 click "$IDOK" no-dialog "$RA" 1500 \
  no-box 1000
expect_eq "queries" "$(frames "$CASE_DIR/reading.log" | grep -c '^RX')" 55
expect_eq "echoes" "$(frames "$CASE_DIR/reading.log" | grep -c '(echo)$')" 55
expect_eq "answers" "$(frames "$CASE_DIR/reading.log" | grep '^TX' | grep -vc '(echo)$')" 55
exit_saving_as read
python3 "$E2E_ROOT/tests/e2e/settings_file.py" diff "$work/unit.dat" "$work/read.dat" \
  --except videoAdjust.saturationV || fail "the file read over the echoing line differs"
