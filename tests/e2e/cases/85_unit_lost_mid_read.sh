# The line goes away in the middle of a read-all, halfway through an answer
# (the simulator is killed and its pty closed under the program while the
# first answer comes in at 110 baud, 0.1 s a character): "No Connect" under
# "接続失敗", once; the run stops and its dialog is idle again. The program
# stays responsive: the about box opens and closes, the clock ticks, it does
# not spin, and a "設定" without a line ends in "No Connect" too. With the
# unit back on COM1, moving the port away ("Miss! File Open" and the rest for
# the absent COM2) and back to COM1 through "通信の設定" reopens it: the next
# "設定" is acknowledged, the half answer of the old line forgotten.
start_sim --line-rate 110
start_program
RA="設定項目の読み込み"
COMM="通信の設定"
program_up
open_dialog "$IDM_READ_ALL" "$RA" click "$IDC_READ_ALL_START" \
  wait-text "$IDC_READ_ALL_START" "キャンセル" 2000
# "AMI\r\n" leaves the unit from 0.6 s to 1.0 s after "RAM\r\n" came in:
# the line is cut 0.8 s after it (a moment chosen, not a wait).
wait_frames 1 5
sleep 0.8
signal_sim KILL
# The killed simulator leaves its link behind, pointing at a pseudo-terminal
# number the system hands to the next one made, perhaps another lane's
# simulator, which the program, trying its lost port again every 2 s, would
# then reach. The link goes with the line.
rm -f "$RUN/com1"
expect_eq "frames before the line went" "$(frames)" 'RX RAM\r\n'
drv main 1000 box "No Connect" "接続失敗" 5000
shot line-lost main 1000 box "No Connect" "接続失敗" 1000
drv main 1000 box "No Connect" "接続失敗" 1000 click "$IDOK" dialog "$RA" 1000 \
  wait-text "$IDC_READ_ALL_START" "読み込み" 2000 text "$IDC_READ_ALL_PERCENT" "" \
  enabled "$IDC_READ_ALL_CLOSE" 1 no-box 500 click "$IDC_READ_ALL_CLOSE" gone 3000

open_dialog "$IDM_ABOUT" "KORVEX7のﾊﾞｰｼﾞｮﾝ情報" click "$IDOK" gone 3000 no-box 300
expect_clock_ticks
cpu=$(cpu_percent "$PROGRAM_PID" 2)
note "CPU with the line gone: ${cpu}%"
[ "$cpu" -le 15 ] || fail "the program uses ${cpu}% CPU with the line gone"
open_dialog "$IDM_AGC" "$AGC" click "$IDC_AGC_SET" box "No Connect" "接続失敗" 5000 \
  click "$IDOK" no-box 300 dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000

# The unit is back on COM1; the port is moved away and back.
start_sim --log "$CASE_DIR/sim-back.log"
open_dialog "$IDM_COMM_SETTINGS" "$COMM" select "$IDC_COMM_PORT" 1 click "$IDC_COMM_OK" \
  gone 3000 "${PORT_MISSES[@]}" no-box 300 \
  menu "$IDM_COMM_SETTINGS" dialog "$COMM" 5000 selection "$IDC_COMM_PORT" 1 \
  select "$IDC_COMM_PORT" 0 click "$IDC_COMM_OK" gone 3000 no-box 500 \
  menu "$IDM_AGC" dialog "$AGC" 5000 click "$IDC_AGC_SET" "${SUCCESS[@]}" no-box 300 \
  dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000
expect_frames "$CASE_DIR/sim-back.log" <<'FRAMES'
RX AGCNNNNNNNNNNNNNNNN\r\n
TX GO\r\n
FRAMES
wait_ini_value com_port 0
exit_unchanged
