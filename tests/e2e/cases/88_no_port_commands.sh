# Without a port from start-up (the five port messages are case 02), every
# command still ends in a report and never in "Success": a "設定" shows
# "No Connect" under "接続失敗" once, send-all stops at its first step with
# the same message and its dialog is idle again.
absent_port com1
start_program
AGC="オート・ゲイン・コントロール"
SA="全項目の設定"
drv main 15000 box "Miss! File Open" "Error" 5000 click 1 \
  box "Miss! Mask Set" "Error" 3000 click 1 \
  box "Miss! Buffer Set" "Error" 3000 click 1 \
  box "Miss! Time Out Set" "Error" 3000 click 1 \
  box "Miss! Set Comm State" "Error" 3000 click 1 no-box 300 \
  menu 40025 dialog "$AGC" 5000 click 1048 no-box 1400 box "No Connect" "接続失敗" 3000 click 1 \
  no-box 500 dialog "$AGC" 1000 click 1050 gone 3000 \
  menu 40016 dialog "$SA" 5000 click 1046 box "No Connect" "接続失敗" 5000 click 1 \
  dialog "$SA" 1000 wait-text 1046 "設定" 2000 text 1047 "" enabled 1113 1 no-box 500 \
  click 1113 gone 3000 menu 40005 no-box 500 exited 5000 0
