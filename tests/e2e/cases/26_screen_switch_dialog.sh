# The screen switching dialog: "自動切換え" and "設定" send CCAS; the choice
# is kept for the next opening but is not a setting (Exit asks nothing).
start_sim
start_program
SS="画面切換え"
drv main 15000 no-box 1000 toolbar 40014 dialog "$SS" 5000 caption "$SS  " \
  selection 2701 0 selection 2703 0
shot dialog main 1000 dialog "$SS" 1000
drv main 1000 dialog "$SS" 1000 choose 2701 25
expect_frames </dev/null
drv main 1000 dialog "$SS" 1000 click 2702 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$SS" 1000 select 2701 20 click 2702 box "Success" "接続成功" 5000 click 1
expect_frames <<'FRAMES'
RX CCAS\r\n
TX GO\r\n
RX CD9A\r\n
TX GO\r\n
FRAMES
drv main 1000 dialog "$SS" 1000 click 2704 gone 3000 menu 40014 dialog "$SS" 5000 \
  selection 2701 20 close gone 3000 menu 40005 exited 5000 0
