# Shared by the end-to-end cases of the program through a serial device
# server (45 to 48): the settings file they send, and a full send-all and
# read-all with the frames at the simulator checked as in cases 30 and 31.
# Sourced by the cases, after scripts/e2e/lib.sh.

# site_file PATH: a settings file with values other than the defaults. Every
# title has ten characters: a title read back loses trailing blanks.
site_file() {
  local digits=(０ １ ２ ３ ４ ５ ６ ７ ８ ９) titles=() ch
  for ch in $(seq 0 15); do
    titles+=("title.text[$ch]=第${digits[ch / 10]}${digits[ch % 10]}番カメラ入口前")
  done
  python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$1" "${titles[@]}" \
    alarm.mode=1 alarm.holdTimeText=5 alarm.display=0 'videoLoss.detect[2]=0' \
    videoLoss.background=1 dateTime.displayRange=7 fontSize.split=0 'autoSwitch.dwellTime[3]=45' \
    'videoAdjust.brightness[1]=0' 'videoAdjust.hue[0]=130' 'agc.on[7]=0' \
    'videoFormat.format[15]=4' titlePosition.horizontal=3 'splitLayout.quadD[0]=0' \
    'splitLayout.quadD[1]=1' other.borderLine=2 other.powerOnScreen=22
}

# unit_behind_server: site_file's settings in $work/site.dat, and the case's
# unit (its settings dumped to $work/unit.dat) behind ser2net.
unit_behind_server() {
  site_file "$work/site.dat"
  start_sim --dump "$work/unit.dat"
  ser2net_start "$RUN/com1" "$CASE_DIR" || fail "ser2net did not start"
}

# send_all_and_check NAME FILE DUMP SKIP: opens NAME, sends it all; the 55
# commands after SKIP frames already logged, each answered GO, the first and
# the last as on COM1; the unit's DUMP then holds FILE.
send_all_and_check() {
  local name=$1 file=$2 dump=$3 skip=$4 sent
  local SA="全項目の設定"
  open_file "$name"
  open_dialog "$IDM_SEND_ALL" "$SA" click "$IDC_SEND_ALL_START" \
    wait-text "$IDC_SEND_ALL_START" "キャンセル" 2000
  drv main 1000 box "設定が完了しました" "接続成功" 40000 click "$IDOK" no-dialog "$SA" 1500 \
    no-box 1000
  sent=$(frames | tail -n +$((skip + 1)))
  expect_eq "commands" "$(grep -c '^RX' <<<"$sent")" 55
  expect_eq "answers" "$(grep -c '^TX GO\\r\\n$' <<<"$sent")" 55
  expect_eq "first" "$(head -1 <<<"$sent")" 'RX AME\r\n'
  expect_eq "last" "$(tail -2 <<<"$sent" | head -1)" 'RX NAR4\r\n'
  wait_settings_same "$file" "$dump" --except videoAdjust.saturationV alarm.holdTimeText
}

# read_all_and_check SKIP: a full read-all; the 55 queries after SKIP frames
# already logged, in the order of a read on COM1, one answer each.
read_all_and_check() {
  local skip=$1 got want n
  local RA="設定項目の読み込み"
  open_dialog "$IDM_READ_ALL" "$RA" click "$IDC_READ_ALL_START" \
    wait-text "$IDC_READ_ALL_START" "キャンセル" 2000
  drv main 1000 box "読み込みが完了しました" "接続成功" 40000 click "$IDOK" no-dialog "$RA" 1500 \
    no-box 1000
  got=$(frames | tail -n +$((skip + 1)) | grep '^RX' | cut -c4- | paste -sd' ')
  want='RAM\r\n RADT\r\n RAP\r\n RAD\r\n RAR\r\n RVL\r\n RVLD\r\n RVLSO\r\n RVLBC\r\n RTSDR\r\n RTSD\r\n'
  for n in 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16; do want="$want RCJ$n\\r\\n"; done
  want="$want"' RCTDS\r\n RCTDD\r\n RCTFSS\r\n RCTFSD\r\n RCASTM\r\n RCASM\r\n RVAB\r\n RVAC\r\n RVASH\r\n RVASA\r\n RVAH\r\n RAGC\r\n RVF\r\n ROOV\r\n ROOH\r\n RSPD4A\r\n RSPD4B\r\n RSPD4C\r\n RSPD4D\r\n RSPD9A\r\n RSPD9B\r\n RSPD13A\r\n RSPD13B\r\n RSPD16\r\n RCI\r\n RBL\r\n RPOS\r\n RNAR\r\n'
  expect_eq "queries" "$got" "$want"
  expect_eq "answers" "$(frames | tail -n +$((skip + 1)) | grep -c '^TX')" 55
}

# sent_and_read_back SKIP: site_file's settings sent all through the
# server (after SKIP frames already logged) and read back all; the program
# ends, so does the server, and the file read holds what was sent.
sent_and_read_back() {
  send_all_and_check site.dat "$work/site.dat" "$work/unit.dat" "$1"
  read_all_and_check $(($1 + 110))
  save_as read
  exit_unchanged
  stop_ser2net
  python3 "$E2E_ROOT/tests/e2e/settings_file.py" diff "$work/site.dat" "$work/read.dat" \
    --except videoAdjust.saturationV alarm.holdTimeText || fail "the file read differs from the file sent"
}

# stop_ser2net: ends the ser2net of ser2net_start (the case's end would
# too, but reports it as left running).
stop_ser2net() {
  kill "$SER2NET_PID" 2>/dev/null || true
  wait "$SER2NET_PID" 2>/dev/null || true
}

# ser2net_again: ser2net once more on the ports of the last ser2net_start
# (a server switched off and on again).
ser2net_again() {
  ser2net -n -d -c "$CASE_DIR/ser2net.yaml" >>"$CASE_DIR/ser2net.log" 2>&1 &
  SER2NET_PID=$!
}

# scan_in_dialog PORT COUNT: "ユニット検索..." in the open 通信の設定 over
# PORT; waits for the end of its COUNT addresses (within 10 s) and leaves
# the list, one line a line, in SCAN_RESULT, and the milliseconds from the
# click to the end in SCAN_MS.
scan_in_dialog() {
  local started
  started=$(date +%s%N)
  in_dialog "通信の設定" click "$IDC_COMM_SCAN" dialog "ユニット検索" 3000 \
    wait-text "$IDC_SCAN_STATUS" "$1 の検索が終わりました ($2 アドレス)" 10000
  SCAN_MS=$((($(date +%s%N) - started) / 1000000))
  SCAN_RESULT=$(drv main 1000 dialog "ユニット検索" 1000 print-text "$IDC_SCAN_RESULT" |
    tr -d '\r' | sed 's/\\r\\n/\n/g')
}

# scan_close: closes ユニット検索 and 通信の設定 without a change.
scan_close() {
  in_dialog "ユニット検索" click "$IDC_SCAN_CLOSE" gone 3000
  in_dialog "通信の設定" close gone 3000 no-box 500
}
