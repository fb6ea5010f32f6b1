# Answers delivered byte by byte, each byte in a write of its own: a single
# "設定" shows "Success" once; read-all takes every data line whole (titles
# included), and what it read before a cancel is exactly the unit's.
work=$CASE_DIR/work
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/unit.dat" \
  alarm.mode=1 alarm.inputPolarity=1 alarm.holdTimeText=120 alarm.returnOn=0 alarm.display=0 \
  'videoLoss.detect[0]=0' 'videoLoss.detect[15]=0' videoLoss.display=0 videoLoss.signalOutput=1 \
  videoLoss.background=1 dateTime.display=0 dateTime.displayRange=5 \
  'title.text[0]=＊ＣＡＭ＊ＡＢ＊ＣＤ' 'title.text[1]=カメラ２番'
start_sim --load "$work/unit.dat" --chunked
start_program
RA="設定項目の読み込み"

program_up
open_dialog "$IDM_AGC" "$AGC" click "$IDC_AGC_SET" "${SUCCESS[@]}" no-box 500 \
  dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000 \
  menu "$IDM_READ_ALL" dialog "$RA" 5000 click "$IDC_READ_ALL_START" \
  wait-text "$IDC_READ_ALL_START" "キャンセル" 2000
# Fourteen queries: alarm, video loss, date and time, titles 1 and 2.
wait_frames 30 15
in_dialog "$RA" click "$IDC_READ_ALL_START" box "中止しました" "キャンセル" 5000 click "$IDOK" \
  dialog "$RA" 1000 wait-text "$IDC_READ_ALL_START" "読み込み" 2000 no-box 300 \
  click "$IDC_READ_ALL_CLOSE" gone 3000
answered=$(frames | grep -c '^TX')
note "read-all: $((answered - 1)) data lines, each in single bytes, taken whole before the cancel"

save_as read
wait_for_file "$work/read.dat"
# Titles come back without the unit's trailing blanks; these two have none.
python3 "$E2E_ROOT/tests/e2e/settings_file.py" diff "$work/unit.dat" "$work/read.dat" \
  --except 'title.text[' || fail "what was read differs from the unit's settings"
expect_eq "titles 1 and 2 read" "$(sed -n 27,28p "$work/read.dat" | iconv -f cp932 -t utf-8 | tr -d '\r' | paste -sd' ')" \
  "＊ＣＡＭ＊ＡＢ＊ＣＤ カメラ２番"
exit_unchanged
