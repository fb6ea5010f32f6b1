# A full send-all of a non-default settings file: 55 commands, each after
# the previous answer, "設定が完了しました", the dialog closes, and the unit
# then holds the file's settings (all that a command carries).
work=$CASE_DIR/work
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/site.dat" \
  alarm.mode=1 alarm.holdTimeText=5 alarm.display=0 'videoLoss.detect[2]=0' videoLoss.background=1 \
  dateTime.displayRange=7 'title.text[1]=入口カメラ　　　　　' 'title.text[9]=ＰＡＲＫＩＮＧ　Ｂ１' \
  fontSize.split=0 'autoSwitch.dwellTime[3]=45' autoSwitch.mode=0 \
  'videoAdjust.brightness[1]=0' 'videoAdjust.contrast[15]=127' 'videoAdjust.hue[0]=130' \
  'videoAdjust.sharpness[4]=7' 'videoAdjust.saturation[8]=0' 'agc.on[7]=0' \
  'videoFormat.format[15]=4' titlePosition.horizontal=3 'splitLayout.quadD[0]=0' \
  'splitLayout.quadD[1]=1' 'splitLayout.quadD[2]=2' 'splitLayout.quadD[3]=3' \
  'splitLayout.thirteenA[0]=15' 'splitLayout.thirteenA[12]=0' \
  other.borderLine=2 other.powerOnScreen=22 other.connectorInput=1
start_sim --dump "$work/unit.dat"
start_program
program_up
open_file site.dat
SA="全項目の設定"
open_dialog "$IDM_SEND_ALL" "$SA" text "$IDC_SEND_ALL_START" "設定" text "$IDC_SEND_ALL_PERCENT" "" \
  enabled "$IDC_SEND_ALL_CLOSE" 1 enabled "$IDC_SEND_ALL_SLAVE" 0
shot idle main 1000 dialog "$SA" 1000
in_dialog "$SA" click "$IDC_SEND_ALL_START" wait-text "$IDC_SEND_ALL_START" "キャンセル" 2000 \
  enabled "$IDC_SEND_ALL_CLOSE" 0
wait_frames 30 15
shot running main 1000 dialog "$SA" 1000
drv main 1000 box "設定が完了しました" "接続成功" 40000
shot complete main 1000 box "設定が完了しました" "接続成功" 1000
drv main 1000 box "設定が完了しました" "接続成功" 1000 click "$IDOK" no-dialog "$SA" 1500 \
  no-box 1000
expect_eq "commands" "$(frames | grep -c '^RX')" 55
expect_eq "answers" "$(frames | grep -c '^TX GO')" 55
expect_eq "first" "$(frames | head -1)" 'RX AME\r\n'
expect_eq "last" "$(frames | tail -2 | head -1)" 'RX NAR4\r\n'

wait_settings_same "$work/site.dat" "$work/unit.dat" \
  --except videoAdjust.saturationV alarm.holdTimeText
# The hold time goes out as three digits; the unit keeps "005".
expect_eq "unit's hold time" "$(sed -n 3p "$work/unit.dat" | tr -d '\r')" "005"

# The run marked the document changed.
exit_discarding
