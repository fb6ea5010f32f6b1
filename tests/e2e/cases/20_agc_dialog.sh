# The AGC dialog from its toolbar button: caption, one ON/OFF pair per
# channel from the model, the slave-address list disabled in RS-232C mode;
# a click on "OFF" edits the model only, "設定" sends the sixteen states once
# even when pressed twice before the answer, "Success" follows; the
# title-bar close; reopened from the menu it shows the edit; Exit then asks
# to save.
start_sim --reply-delay-ms 400
start_program
AGC="オート・ゲイン・コントロール"
drv main 15000 no-box 1000 toolbar 40025 dialog "$AGC" 5000 caption "$AGC　" \
  checked 1016 1 checked 1017 0 checked 1046 1 checked 1047 0 \
  enabled 1049 0 selection 1049 0 enabled 1048 1 enabled 1050 1
shot dialog main 1000 dialog "$AGC" 1000

# Channel 9 "OFF" then "ON" again, channel 16 "OFF" (1047): nothing is sent.
# The clicks are handled in turn, so once the last has taken effect the
# others have too.
drv main 1000 dialog "$AGC" 1000 click 1019 click 1018 click 1047 within 3000 checked 1047 1 \
  checked 1046 0 checked 1018 1 checked 1019 0
expect_frames </dev/null

# "設定" twice while the first command awaits its answer: one frame.
drv main 1000 dialog "$AGC" 1000 click 1048 click 1048 box "Success" "接続成功" 5000
shot success main 1000 box "Success" "接続成功" 1000
drv main 1000 box "Success" "接続成功" 1000 click 1 no-box 2500
expect_frames <<'FRAMES'
RX AGCNNNNNNNNNNNNNNNF\r\n
TX GO\r\n
FRAMES

drv main 1000 dialog "$AGC" 1000 close gone 3000 no-box 500
drv main 1000 menu 40025 dialog "$AGC" 5000 checked 1046 0 checked 1047 1 checked 1016 1 \
  click 1050 gone 3000
drv main 1000 menu 40005 box "ファイルが変更されています。保存しますか？" "保存確認" 5000 click 7 \
  exited 5000 0
