# Without a port from start-up (the five port messages are case 02), every
# command still ends in a report and never in "Success": a "設定" shows
# "No Connect" under "接続失敗" once, send-all stops at its first step with
# the same message and its dialog is idle again.
absent_port com1
start_program
SA="全項目の設定"
drv main 15000 "${PORT_MISSES[@]}" no-box 300 \
  menu "$IDM_AGC" dialog "$AGC" 5000 click "$IDC_AGC_SET" no-box 1400 \
  box "No Connect" "接続失敗" 3000 click "$IDOK" no-box 500 \
  dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000 \
  menu "$IDM_SEND_ALL" dialog "$SA" 5000 click "$IDC_SEND_ALL_START" \
  box "No Connect" "接続失敗" 5000 click "$IDOK" \
  dialog "$SA" 1000 wait-text "$IDC_SEND_ALL_START" "設定" 2000 text "$IDC_SEND_ALL_PERCENT" "" \
  enabled "$IDC_SEND_ALL_CLOSE" 1 no-box 500 click "$IDC_SEND_ALL_CLOSE" gone 3000
exit_unchanged
