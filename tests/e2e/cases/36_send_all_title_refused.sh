# Send-all of a file whose channel 3 title has an odd length (19 bytes): the
# run stops at that title's step with the title-character message and
# "Command Error"; the 11 settings and the first two titles were sent.
work=$CASE_DIR/work
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/odd.dat" 'title.text[2]=ＣＡＭＥＲＡ００３A'
start_sim
start_program
drv main 15000 no-box 1000 menu 40002 dialog "ファイルを開く" 5000 filename odd.dat click 1 \
  gone 5000 no-box 500
SA="全項目の設定"
JIS="ＪＩＳ第１水準,第２水準以外の字が選択されてます"
drv main 1000 menu 40016 dialog "$SA" 5000 click 1046 box "$JIS" "Error" 15000
shot title-refused main 1000 box "$JIS" "Error" 1000
drv main 1000 box "Command Error" "Error" 3000 click 1 box "$JIS" "Error" 1000 click 1 \
  dialog "$SA" 1000 wait-text 1046 "設定" 2000 enabled 1113 1 no-box 1500
expect_eq "commands" "$(frames | grep -c '^RX')" 13
expect_eq "last" "$(frames | tail -2 | head -1 | cut -c1-7)" 'RX CJ02'
drv main 1000 dialog "$SA" 1000 click 1113 gone 3000 menu 40005 exited 5000 0
