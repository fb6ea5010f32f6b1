# A unit that falls silent in the middle of a read-all, then during a single
# "設定" and during send-all. Each time "No Connect" under "接続失敗" is shown
# once, not before the reply time-out; a run stops without its completion
# message and its dialog is idle again. What was read before the silence
# stays, an answer that comes after its time-out shows nothing, and the
# operator's edit survives to the save on exit.
work=$CASE_DIR/work
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/unit.dat" \
  alarm.mode=1 alarm.inputPolarity=1 alarm.holdTimeText=120 alarm.returnOn=0 alarm.display=0 \
  'videoLoss.detect[3]=0'
start_sim --load "$work/unit.dat"
start_program
RA="設定項目の読み込み"
SA="全項目の設定"
AL="アラームの設定"

# Read-all: the unit stops answering once the five alarm queries are in.
program_up
open_dialog "$IDM_READ_ALL" "$RA" click "$IDC_READ_ALL_START" \
  wait-text "$IDC_READ_ALL_START" "キャンセル" 2000
wait_frames 12 15
signal_sim STOP
drv main 1000 box "No Connect" "接続失敗" 5000
shot read-all-no-connect main 1000 box "No Connect" "接続失敗" 1000
drv main 1000 box "No Connect" "接続失敗" 1000 click "$IDOK" dialog "$RA" 1000 \
  wait-text "$IDC_READ_ALL_START" "読み込み" 2000 text "$IDC_READ_ALL_PERCENT" "" \
  enabled "$IDC_READ_ALL_CLOSE" 1 no-box 300 click "$IDC_READ_ALL_CLOSE" gone 3000
answered=$(frames | grep -c '^TX')
[ "$answered" -ge 6 ] && [ "$answered" -lt 55 ] || fail "the unit fell silent after $answered answers"
note "read-all: No Connect after $answered answered queries"

# The values read before the silence are in the dialogs.
open_dialog "$IDM_ALARM" "$AL" selection "$IDC_ALARM_MODE" 1 text "$IDC_ALARM_HOLD_TIME" "120" \
  selection "$IDC_ALARM_POLARITY" 1 selection "$IDC_ALARM_DISPLAY" 0 \
  selection "$IDC_ALARM_RETURN" 0 click "$IDC_ALARM_CLOSE" gone 3000

# The unit wakes up and answers the query that timed out: nothing is shown.
signal_sim CONT
wait_until 2 "the late answer" frames_at_least $((answered + 1)) TX || true
expect_eq "late answers" "$(frames | grep -c '^TX')" $((answered + 1))
drv main 1000 no-box 800

# Silent again: a single "設定" after an edit.
signal_sim STOP
open_dialog "$IDM_AGC" "$AGC" click "${AGC_OFF[1]}" click "$IDC_AGC_SET" no-box 1400 \
  box "No Connect" "接続失敗" 3000 click "$IDOK" no-box 500 \
  dialog "$AGC" 1000 checked "${AGC_OFF[1]}" 1 click "$IDC_AGC_CLOSE" gone 3000
note "single Set: No Connect, not within 1.4 s, once"

# Send-all stops at its first command.
open_dialog "$IDM_SEND_ALL" "$SA" click "$IDC_SEND_ALL_START" \
  box "No Connect" "接続失敗" 5000 click "$IDOK" \
  dialog "$SA" 1000 wait-text "$IDC_SEND_ALL_START" "設定" 2000 text "$IDC_SEND_ALL_PERCENT" "" \
  enabled "$IDC_SEND_ALL_CLOSE" 1 no-box 300 click "$IDC_SEND_ALL_CLOSE" gone 3000

# The edit is still there: Exit asks, Yes saves it with what was read.
exit_saving_as kept
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/expect.dat" \
  alarm.mode=1 alarm.inputPolarity=1 alarm.holdTimeText=120 alarm.returnOn=0 alarm.display=0 \
  'videoLoss.detect[3]=0' 'agc.on[0]=0'
wait_for_file "$work/kept.dat"
cmp "$work/expect.dat" "$work/kept.dat" || {
  python3 "$E2E_ROOT/tests/e2e/settings_file.py" diff "$work/expect.dat" "$work/kept.dat" >&2 || true
  fail "the saved file lost a value"
}

# Once awake, the unit takes both commands late; the program has gone.
signal_sim CONT
wait_frames $((answered * 2 + 6)) 5
expect_eq "late commands" "$(frames | grep '^RX' | tail -2 | paste -sd' ')" \
  'RX AGCFNNNNNNNNNNNNNNN\r\n RX AME\r\n'
