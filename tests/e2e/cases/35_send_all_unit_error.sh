# Send-all of a file whose 4-way layout A leaves a screen empty: the unit
# refuses that command with "E3" (step 43), "Command Error" is shown, the run
# stops there without its completion message, and the dialog stays open.
work=$CASE_DIR/work
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/gap.dat" 'splitLayout.quadA[0]=-1'
start_sim
start_program
program_up
open_file gap.dat
SA="全項目の設定"
open_dialog "$IDM_SEND_ALL" "$SA" click "$IDC_SEND_ALL_START" box "Command Error" "Error" 40000
shot unit-error main 1000 box "Command Error" "Error" 1000
drv main 1000 box "Command Error" "Error" 1000 click "$IDOK" dialog "$SA" 1000 \
  wait-text "$IDC_SEND_ALL_START" "設定" 2000 enabled "$IDC_SEND_ALL_CLOSE" 1 \
  text "$IDC_SEND_ALL_PERCENT" "" no-box 1500
expect_eq "commands" "$(frames | grep -c '^RX')" 43
expect_eq "last" "$(frames | tail -2 | paste -sd' ')" 'RX SPD4A00020304\r\n TX E3\r\n'
in_dialog "$SA" click "$IDC_SEND_ALL_CLOSE" gone 3000
exit_unchanged
