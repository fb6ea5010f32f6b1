# Send-all with Broadcast in RS-485 mode: no unit answers, each tick sends
# the next command, and the run completes with "設定が完了しました"; the
# unit applies every broadcast and ends up with the file's settings.
write_ini "control=1"
work=$CASE_DIR/work
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/site.dat" \
  alarm.mode=1 'videoLoss.detect[0]=0' 'agc.on[3]=0' 'videoFormat.format[2]=5' \
  other.borderLine=0 other.powerOnScreen=3 'title.text[4]=ＢＲＯＡＤＣＡＳＴ　'
start_sim --address 05 --dump "$work/unit.dat"
start_program
program_up
open_file site.dat
SA="全項目の設定"
open_dialog "$IDM_SEND_ALL" "$SA" enabled "$IDC_SEND_ALL_SLAVE" 1 choose "$IDC_SEND_ALL_SLAVE" 32 \
  click "$IDC_SEND_ALL_START" wait-text "$IDC_SEND_ALL_START" "キャンセル" 2000 \
  enabled "$IDC_SEND_ALL_SLAVE" 0 enabled "$IDC_SEND_ALL_CLOSE" 0 \
  box "設定が完了しました" "接続成功" 40000 click "$IDOK" no-dialog "$SA" 1500 no-box 1000
# The program is done once the last broadcast has left; the unit takes it a
# moment later.
wait_frames 55
expect_eq "commands" "$(frames | grep -c '^RX FF.*(broadcast, applied)$')" 55
expect_eq "answers" "$(frames | grep -c '^TX')" 0
wait_settings_same "$work/site.dat" "$work/unit.dat" --except videoAdjust.saturationV
exit_discarding
