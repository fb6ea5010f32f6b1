# Send-all of a file whose channel 3 title has an odd length (19 bytes): the
# run stops at that title's step with the title-character message and
# "Command Error"; the 11 settings and the first two titles were sent.
work=$CASE_DIR/work
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/odd.dat" 'title.text[2]=ＣＡＭＥＲＡ００３A'
start_sim
start_program
program_up
open_file odd.dat
SA="全項目の設定"
JIS="ＪＩＳ第１水準,第２水準以外の字が選択されてます"
open_dialog "$IDM_SEND_ALL" "$SA" click "$IDC_SEND_ALL_START" box "$JIS" "Error" 15000
shot title-refused main 1000 box "$JIS" "Error" 1000
drv main 1000 box "Command Error" "Error" 3000 click "$IDOK" box "$JIS" "Error" 1000 \
  click "$IDOK" dialog "$SA" 1000 wait-text "$IDC_SEND_ALL_START" "設定" 2000 \
  enabled "$IDC_SEND_ALL_CLOSE" 1 no-box 1500
expect_eq "commands" "$(frames | grep -c '^RX')" 13
expect_eq "last" "$(frames | tail -2 | head -1 | cut -c1-7)" 'RX CJ02'
in_dialog "$SA" click "$IDC_SEND_ALL_CLOSE" gone 3000
exit_unchanged
