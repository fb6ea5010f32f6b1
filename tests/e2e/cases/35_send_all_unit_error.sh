# Send-all of a file whose 4-way layout A leaves a screen empty: the unit
# refuses that command with "E3" (step 43), "Command Error" is shown, the run
# stops there without its completion message, and the dialog stays open.
work=$CASE_DIR/work
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/gap.dat" 'splitLayout.quadA[0]=-1'
start_sim
start_program
drv main 15000 no-box 1000 menu 40002 dialog "ファイルを開く" 5000 filename gap.dat click 1 \
  gone 5000 no-box 500
SA="全項目の設定"
drv main 1000 menu 40016 dialog "$SA" 5000 click 1046 box "Command Error" "Error" 40000
shot unit-error main 1000 box "Command Error" "Error" 1000
drv main 1000 box "Command Error" "Error" 1000 click 1 dialog "$SA" 1000 \
  wait-text 1046 "設定" 2000 enabled 1113 1 text 1047 "" no-box 1500
expect_eq "commands" "$(frames | grep -c '^RX')" 43
expect_eq "last" "$(frames | tail -2 | paste -sd' ')" 'RX SPD4A00020304\r\n TX E3\r\n'
drv main 1000 dialog "$SA" 1000 click 1113 gone 3000
drv main 1000 menu 40005 exited 5000 0
