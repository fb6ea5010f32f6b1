# The other-settings dialog: start-up values ("黒", "16分割"); each list's
# "設定" sends its choice ("自動切換え" POSCAS, "13分割B" POSD13B); after New
# the border line shows "OFF".
start_sim
start_program
OT="その他の設定"
drv main 15000 no-box 1000 toolbar 40015 dialog "$OT" 5000 caption "$OT  " \
  selection 2601 0 selection 2603 3 selection 2605 24 selection 2607 0 selection 2609 0
shot dialog main 1000 dialog "$OT" 1000
drv main 1000 dialog "$OT" 1000 select 2605 25 click 2606 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$OT" 1000 select 2605 23 click 2606 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$OT" 1000 select 2603 2 click 2604 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$OT" 1000 select 2607 1 click 2608 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$OT" 1000 select 2601 1 click 2602 box "Success" "接続成功" 5000 click 1
expect_frames <<'FRAMES'
RX POSCAS\r\n
TX GO\r\n
RX POSD13B\r\n
TX GO\r\n
RX BLG\r\n
TX GO\r\n
RX NARF\r\n
TX GO\r\n
RX CIR\r\n
TX GO\r\n
FRAMES
drv main 1000 dialog "$OT" 1000 click 2610 gone 3000
drv main 1000 menu 40001 box "ファイルが変更されています。保存しますか？" "保存確認" 5000 click 7 \
  no-box 500
drv main 1000 menu 40015 dialog "$OT" 5000 selection 2603 0 selection 2605 24 \
  selection 2601 0 click 2610 gone 3000 menu 40005 exited 5000 0
