# The AGC dialog from its toolbar button: caption, one ON/OFF pair per
# channel from the model, the slave-address list disabled in RS-232C mode;
# a click on "OFF" edits the model only, "設定" sends the sixteen states once
# even when pressed twice before the answer, "Success" follows; the
# title-bar close; reopened from the menu it shows the edit; Exit then asks
# to save.
start_sim --reply-delay-ms 400
start_program
program_up
toolbar_dialog "$IDM_AGC" "$AGC" caption "$AGC　" \
  checked "${AGC_ON[1]}" 1 checked "${AGC_OFF[1]}" 0 \
  checked "${AGC_ON[16]}" 1 checked "${AGC_OFF[16]}" 0 \
  enabled "$IDC_AGC_SLAVE" 0 selection "$IDC_AGC_SLAVE" 0 enabled "$IDC_AGC_SET" 1 \
  enabled "$IDC_AGC_CLOSE" 1
shot dialog main 1000 dialog "$AGC" 1000

# Channel 9 "OFF" then "ON" again, channel 16 "OFF": nothing is sent. The
# clicks are handled in turn, so once the last has taken effect the others
# have too.
in_dialog "$AGC" click "${AGC_OFF[9]}" click "${AGC_ON[9]}" click "${AGC_OFF[16]}" \
  within 3000 checked "${AGC_OFF[16]}" 1 \
  checked "${AGC_ON[16]}" 0 checked "${AGC_ON[9]}" 1 checked "${AGC_OFF[9]}" 0
expect_frames </dev/null

# "設定" twice while the first command awaits its answer: one frame.
in_dialog "$AGC" click "$IDC_AGC_SET" click "$IDC_AGC_SET" box "Success" "接続成功" 5000
shot success main 1000 box "Success" "接続成功" 1000
drv main 1000 box "Success" "接続成功" 1000 click "$IDOK" no-box 2500
expect_frames <<'FRAMES'
RX AGCNNNNNNNNNNNNNNNF\r\n
TX GO\r\n
FRAMES

in_dialog "$AGC" close gone 3000 no-box 500
open_dialog "$IDM_AGC" "$AGC" checked "${AGC_ON[16]}" 0 checked "${AGC_OFF[16]}" 1 \
  checked "${AGC_ON[1]}" 1 click "$IDC_AGC_CLOSE" gone 3000
exit_discarding
