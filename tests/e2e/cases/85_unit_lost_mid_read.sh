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
AGC="オート・ゲイン・コントロール"
drv main 15000 no-box 1000 menu 40017 dialog "$RA" 5000 click 1049 wait-text 1049 "キャンセル" 2000
# "AMI\r\n" leaves the unit from 0.6 s to 1.0 s after "RAM\r\n" came in:
# the line is cut 0.8 s after it (a moment chosen, not a wait).
wait_frames 1 5
sleep 0.8
signal_sim KILL
expect_eq "frames before the line went" "$(frames)" 'RX RAM\r\n'
drv main 1000 box "No Connect" "接続失敗" 5000
shot line-lost main 1000 box "No Connect" "接続失敗" 1000
drv main 1000 box "No Connect" "接続失敗" 1000 click 1 dialog "$RA" 1000 \
  wait-text 1049 "読み込み" 2000 text 1050 "" enabled 1112 1 no-box 500 click 1112 gone 3000

drv main 1000 menu 40019 dialog "KORVEX7のﾊﾞｰｼﾞｮﾝ情報" 5000 click 1 gone 3000 no-box 300
expect_clock_ticks
cpu=$(cpu_percent "$PROGRAM_PID" 2)
note "CPU with the line gone: ${cpu}%"
[ "$cpu" -le 15 ] || fail "the program uses ${cpu}% CPU with the line gone"
drv main 1000 menu 40025 dialog "$AGC" 5000 click 1048 box "No Connect" "接続失敗" 5000 click 1 \
  no-box 300 dialog "$AGC" 1000 click 1050 gone 3000

# The unit is back on COM1; the port is moved away and back.
start_sim --log "$CASE_DIR/sim-back.log"
drv main 1000 menu 40018 dialog "通信の設定" 5000 select 1032 1 click 1031 gone 3000 \
  box "Miss! File Open" "Error" 3000 click 1 \
  box "Miss! Mask Set" "Error" 3000 click 1 \
  box "Miss! Buffer Set" "Error" 3000 click 1 \
  box "Miss! Time Out Set" "Error" 3000 click 1 \
  box "Miss! Set Comm State" "Error" 3000 click 1 no-box 300 \
  menu 40018 dialog "通信の設定" 5000 selection 1032 1 select 1032 0 click 1031 gone 3000 \
  no-box 500 menu 40025 dialog "$AGC" 5000 click 1048 box "Success" "接続成功" 5000 click 1 \
  no-box 300 dialog "$AGC" 1000 click 1050 gone 3000
expect_frames "$CASE_DIR/sim-back.log" <<'FRAMES'
RX AGCNNNNNNNNNNNNNNNN\r\n
TX GO\r\n
FRAMES
wait_ini_value com_port 0
drv main 1000 menu 40005 no-box 500 exited 5000 0
