# RS-485: a reply that carries another unit's address is not taken as the
# acknowledgement. Unit 05 answers after a second; meanwhile the operator has
# chosen unit 04, so "05GO" arrives for the wrong unit: "Command Error" under
# "Error", never "Success". Back on 05 the same command is acknowledged; a
# command to 04, where no unit listens, ends in "No Connect".
write_ini "control=1"
start_sim --address 05 --reply-delay-ms 1000
start_program
SLAVE=$IDC_AGC_SLAVE
program_up
open_dialog "$IDM_AGC" "$AGC" choose "$SLAVE" 5 click "$IDC_AGC_SET"
wait_frames 1
in_dialog "$AGC" choose "$SLAVE" 4 box "Command Error" "Error" 5000
shot other-address main 1000 box "Command Error" "Error" 1000
drv main 1000 box "Command Error" "Error" 1000 click "$IDOK" no-box 1000 \
  dialog "$AGC" 1000 choose "$SLAVE" 5 click "$IDC_AGC_SET" no-box 800 \
  box "Success" "接続成功" 3000 click "$IDOK" no-box 300 \
  dialog "$AGC" 1000 choose "$SLAVE" 4 click "$IDC_AGC_SET" \
  box "No Connect" "接続失敗" 5000 click "$IDOK" no-box 300 \
  dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000
expect_frames <<'FRAMES'
RX 05AGCNNNNNNNNNNNNNNNN\r\n
TX 05GO\r\n
RX 05AGCNNNNNNNNNNNNNNNN\r\n
TX 05GO\r\n
RX 04AGCNNNNNNNNNNNNNNNN\r\n (not for this unit)
FRAMES
exit_unchanged
