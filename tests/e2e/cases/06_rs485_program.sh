# RS-485 framing from the profile file in the program itself: with
# "control=1" the AGC dialog's "設定" sends the command behind the address of
# the selected unit (00), the unit's "00GO" is taken as the acknowledgement
# and the status timer shows "Success" under "接続成功".
write_ini "control=1"
start_sim --address 00
start_program
program_up
open_dialog "$IDM_AGC" "$AGC"
shot agc-dialog main 1000 dialog "$AGC" 1000
in_dialog "$AGC" click "$IDC_AGC_SET" box "Success" "接続成功" 5000
shot success main 1000 box "Success" "接続成功" 1000
drv main 1000 box "Success" "接続成功" 1000 click "$IDOK" gone 3000 no-box 2500
expect_frames <<'FRAMES'
RX 00AGCNNNNNNNNNNNNNNNN\r\n
TX 00GO\r\n
FRAMES
in_dialog "$AGC" click "$IDC_AGC_CLOSE" gone 3000
