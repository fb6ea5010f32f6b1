# Read-all from a unit that never answers: the first query times out with
# "No Connect" under "接続失敗"; the run ends without its completion message,
# the dialog stays open with the button reading "読み込み" again.
start_sim --silent
start_program
RA="設定項目の読み込み"
drv main 15000 no-box 1000 menu 40017 dialog "$RA" 5000 click 1049 box "No Connect" "接続失敗" 5000
shot no-connect main 1000 box "No Connect" "接続失敗" 1000
drv main 1000 box "No Connect" "接続失敗" 1000 click 1 dialog "$RA" 1000 \
  wait-text 1049 "読み込み" 2000 text 1050 "" enabled 1112 1 no-box 1500
shot idle-again main 1000 dialog "$RA" 1000
expect_frames <<'FRAMES'
RX RAM\r\n (not answered: silent)
FRAMES
drv main 1000 dialog "$RA" 1000 close gone 3000 menu 40005 exited 5000 0
