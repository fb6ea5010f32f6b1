# A full read-all from a unit loaded with a non-default settings file: the
# 55 queries in order, one per answer, the progress, "読み込みが完了しました"
# and the dialog closing; Save then writes the unit's file again (all but
# the fields no query carries). Every title is ten characters without
# trailing blanks: a title read back loses its trailing full-width blanks.
work=$CASE_DIR/work
mapfile -t titles < <(ten_character_titles 1 14)
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/unit.dat" "${titles[@]}" \
  alarm.mode=1 alarm.inputPolarity=1 alarm.holdTimeText=120 alarm.returnOn=0 alarm.display=0 \
  'videoLoss.detect[4]=0' 'videoLoss.detect[15]=0' videoLoss.display=0 videoLoss.signalOutput=1 \
  videoLoss.background=1 dateTime.display=0 dateTime.displayRange=5 \
  'title.text[0]=＊ＣＡＭ＊ＡＢ＊ＸＹ' 'title.text[15]=カメラ１６番入口前方' \
  titleDisplay.single=0 titleDisplay.split=0 fontSize.single=0 fontSize.split=0 \
  'autoSwitch.dwellTime[0]=7' 'autoSwitch.dwellTime[24]=99' 'autoSwitch.dwellTime[16]=0' \
  autoSwitch.mode=1 'videoAdjust.brightness[0]=10' 'videoAdjust.brightness[15]=127' \
  'videoAdjust.contrast[3]=0' 'videoAdjust.hue[5]=0' 'videoAdjust.hue[6]=251' \
  'videoAdjust.sharpness[9]=31' 'videoAdjust.saturation[2]=127' 'videoAdjust.saturationV[0]=1' \
  'agc.on[0]=0' 'agc.on[15]=0' 'videoFormat.format[0]=6' 'videoFormat.format[9]=0' \
  titlePosition.vertical=15 titlePosition.horizontal=0 \
  'splitLayout.quadA[0]=15' 'splitLayout.quadA[3]=0' 'splitLayout.nineB[8]=0' \
  'splitLayout.nineB[0]=15' 'splitLayout.thirteenB[12]=10' 'splitLayout.thirteenB[10]=15' \
  'splitLayout.sixteen[0]=1' 'splitLayout.sixteen[1]=0' \
  other.connectorInput=1 other.borderLine=1 other.powerOnScreen=25 other.ntscAspect=1
start_sim --load "$work/unit.dat"
start_program
RA="設定項目の読み込み"
program_up
open_dialog "$IDM_READ_ALL" "$RA" caption "$RA " text "$IDC_READ_ALL_START" "読み込み" \
  text "$IDC_READ_ALL_PERCENT" "" enabled "$IDC_READ_ALL_CLOSE" 1 \
  enabled "$IDC_READ_ALL_SLAVE" 0 selection "$IDC_READ_ALL_SLAVE" 0
shot idle main 1000 dialog "$RA" 1000
in_dialog "$RA" click "$IDC_READ_ALL_START" wait-text "$IDC_READ_ALL_START" "キャンセル" 2000 \
  enabled "$IDC_READ_ALL_CLOSE" 0
wait_frames 20 15
shot running main 1000 dialog "$RA" 1000
drv main 1000 box "読み込みが完了しました" "接続成功" 40000
shot complete main 1000 box "読み込みが完了しました" "接続成功" 1000
drv main 1000 box "読み込みが完了しました" "接続成功" 1000 click "$IDOK" no-dialog "$RA" 1500 \
  no-box 1000

got=$(frames | grep '^RX' | cut -c4- | paste -sd' ')
want='RAM\r\n RADT\r\n RAP\r\n RAD\r\n RAR\r\n RVL\r\n RVLD\r\n RVLSO\r\n RVLBC\r\n RTSDR\r\n RTSD\r\n'
for n in 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16; do want="$want RCJ$n\\r\\n"; done
want="$want"' RCTDS\r\n RCTDD\r\n RCTFSS\r\n RCTFSD\r\n RCASTM\r\n RCASM\r\n RVAB\r\n RVAC\r\n RVASH\r\n RVASA\r\n RVAH\r\n RAGC\r\n RVF\r\n ROOV\r\n ROOH\r\n RSPD4A\r\n RSPD4B\r\n RSPD4C\r\n RSPD4D\r\n RSPD9A\r\n RSPD9B\r\n RSPD13A\r\n RSPD13B\r\n RSPD16\r\n RCI\r\n RBL\r\n RPOS\r\n RNAR\r\n'
expect_eq "queries" "$got" "$want"
expect_eq "answers" "$(frames | grep -c '^TX')" 55

# The read marked the document changed: Exit asks; Yes saves through Save As.
exit_saving_as read
python3 "$E2E_ROOT/tests/e2e/settings_file.py" diff "$work/unit.dat" "$work/read.dat" \
  --except videoAdjust.saturationV || fail "the saved file differs from the unit's"
