# Read-all from a unit that never answers: the first query times out with
# "No Connect" under "接続失敗"; the run ends without its completion message,
# the dialog stays open with the button reading "読み込み" again.
start_sim --silent
start_program
RA="設定項目の読み込み"
program_up
open_dialog "$IDM_READ_ALL" "$RA" click "$IDC_READ_ALL_START" box "No Connect" "接続失敗" 5000
shot no-connect main 1000 box "No Connect" "接続失敗" 1000
drv main 1000 box "No Connect" "接続失敗" 1000 click "$IDOK" dialog "$RA" 1000 \
  wait-text "$IDC_READ_ALL_START" "読み込み" 2000 text "$IDC_READ_ALL_PERCENT" "" \
  enabled "$IDC_READ_ALL_CLOSE" 1 no-box 1500
shot idle-again main 1000 dialog "$RA" 1000
expect_frames <<'FRAMES'
RX RAM\r\n (not answered: silent)
FRAMES
in_dialog "$RA" close gone 3000
exit_unchanged
