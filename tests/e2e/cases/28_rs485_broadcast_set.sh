# RS-485: the slave-address list is enabled and shared by the dialogs;
# "Broadcast" sends with "FF" and shows nothing afterwards, and the next
# "設定" is not held back. The read-all dialog offers no Broadcast: opening
# it turns the choice into unit 31.
write_ini "control=1"
start_sim --address 00
start_program
AGC="オート・ゲイン・コントロール"
drv main 15000 no-box 1000 menu 40025 dialog "$AGC" 5000 enabled 1049 1 items 1049 33 selection 1049 0 \
  choose 1049 32 click 1048 no-box 2500 click 1048 no-box 2500
shot broadcast main 1000 dialog "$AGC" 1000
drv main 1000 dialog "$AGC" 1000 click 1050 gone 3000
drv main 1000 menu 40006 dialog "アラームの設定" 5000 selection 2411 32 enabled 2411 1 \
  choose 2411 0 click 2402 box "Success" "接続成功" 5000 click 1 \
  dialog "アラームの設定" 1000 choose 2411 32 click 2412 gone 3000
expect_frames <<'FRAMES'
RX FFAGCNNNNNNNNNNNNNNNN\r\n (broadcast, applied)
RX FFAGCNNNNNNNNNNNNNNNN\r\n (broadcast, applied)
RX 00AMI\r\n
TX 00GO\r\n
FRAMES

RA="設定項目の読み込み"
drv main 1000 menu 40017 dialog "$RA" 5000 caption "$RA " items 1078 32 selection 1078 31 \
  enabled 1078 1 close gone 3000
drv main 1000 menu 40016 dialog "全項目の設定" 5000 caption "全項目の設定 " selection 1079 31 \
  enabled 1079 1 click 1113 gone 3000 menu 40005 exited 5000 0
