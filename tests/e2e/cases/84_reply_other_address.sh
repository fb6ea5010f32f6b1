# RS-485: a reply that carries another unit's address is not taken as the
# acknowledgement. Unit 05 answers after a second; meanwhile the operator has
# chosen unit 04, so "05GO" arrives for the wrong unit: "Command Error" under
# "Error", never "Success". Back on 05 the same command is acknowledged; a
# command to 04, where no unit listens, ends in "No Connect".
write_ini "control=1"
start_sim --address 05 --reply-delay-ms 1000
start_program
AGC="オート・ゲイン・コントロール"
drv main 15000 no-box 1000 menu 40025 dialog "$AGC" 5000 choose 1049 5 click 1048
wait_frames 1
drv main 1000 dialog "$AGC" 1000 choose 1049 4 box "Command Error" "Error" 5000
shot other-address main 1000 box "Command Error" "Error" 1000
drv main 1000 box "Command Error" "Error" 1000 click 1 no-box 1000 \
  dialog "$AGC" 1000 choose 1049 5 click 1048 no-box 800 box "Success" "接続成功" 3000 \
  click 1 no-box 300 dialog "$AGC" 1000 choose 1049 4 click 1048 \
  box "No Connect" "接続失敗" 5000 click 1 no-box 300 dialog "$AGC" 1000 click 1050 gone 3000
expect_frames <<'FRAMES'
RX 05AGCNNNNNNNNNNNNNNNN\r\n
TX 05GO\r\n
RX 05AGCNNNNNNNNNNNNNNNN\r\n
TX 05GO\r\n
RX 04AGCNNNNNNNNNNNNNNNN\r\n (not for this unit)
FRAMES
drv main 1000 menu 40005 no-box 500 exited 5000 0
