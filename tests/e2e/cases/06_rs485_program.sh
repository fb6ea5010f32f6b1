# RS-485 framing from the profile file in the program itself: with
# "control=1" the AGC dialog's "設定" sends the command behind the address of
# the selected unit (00), the unit's "00GO" is taken as the acknowledgement
# and the status timer shows "Success" under "接続成功".
write_ini "control=1"
start_sim --address 00
start_program
drv main 15000 no-box 1000 menu 40025
drv main 1000 dialog "オート・ゲイン・コントロール" 3000
shot agc-dialog main 1000 dialog "オート・ゲイン・コントロール" 1000
drv main 1000 dialog "オート・ゲイン・コントロール" 1000 click 1048 \
  box "Success" "接続成功" 5000
shot success main 1000 box "Success" "接続成功" 1000
drv main 1000 box "Success" "接続成功" 1000 click 1 gone 3000 no-box 2500
expect_frames <<'FRAMES'
RX 00AGCNNNNNNNNNNNNNNNN\r\n
TX 00GO\r\n
FRAMES
drv main 1000 dialog "オート・ゲイン・コントロール" 1000 click 1050 gone 3000
