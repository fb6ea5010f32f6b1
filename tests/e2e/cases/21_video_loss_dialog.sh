# The video loss dialog: the detection of each channel as an ON/OFF pair,
# the three lists with their own "設定"; channel 5 switched off goes out as
# the seventh letter of the VL command, each list's choice with its command.
start_sim
start_program
VL="ビデオロスの設定"
program_up
toolbar_dialog "$IDM_VIDEO_LOSS" "$VL" caption "$VL  " \
  checked "${VIDEO_LOSS_ON[1]}" 1 checked "${VIDEO_LOSS_ON[5]}" 1 \
  checked "${VIDEO_LOSS_OFF[5]}" 0 checked "${VIDEO_LOSS_ON[16]}" 1 \
  selection "$IDC_VIDEO_LOSS_DISPLAY" 1 selection "$IDC_VIDEO_LOSS_OUTPUT" 0 \
  selection "$IDC_VIDEO_LOSS_BACKGROUND" 0 selection "$IDC_VIDEO_LOSS_SLAVE" 0 \
  enabled "$IDC_VIDEO_LOSS_SLAVE" 0
shot dialog main 1000 dialog "$VL" 1000

in_dialog "$VL" click "${VIDEO_LOSS_OFF[5]}" click "$IDC_VIDEO_LOSS_SET" "${SUCCESS[@]}"
in_dialog "$VL" select "$IDC_VIDEO_LOSS_DISPLAY" 0 click "$IDC_VIDEO_LOSS_DISPLAY_SET" \
  "${SUCCESS[@]}"
in_dialog "$VL" select "$IDC_VIDEO_LOSS_OUTPUT" 1 click "$IDC_VIDEO_LOSS_OUTPUT_SET" \
  "${SUCCESS[@]}"
in_dialog "$VL" select "$IDC_VIDEO_LOSS_BACKGROUND" 1 click "$IDC_VIDEO_LOSS_BACKGROUND_SET" \
  "${SUCCESS[@]}"
expect_frames <<'FRAMES'
RX VLNNNNFNNNNNNNNNNN\r\n
TX GO\r\n
RX VLDOF\r\n
TX GO\r\n
RX VLSOON\r\n
TX GO\r\n
RX VLBCB\r\n
TX GO\r\n
FRAMES

# Reopened, the dialog shows what the model now holds.
in_dialog "$VL" click "$IDC_VIDEO_LOSS_CLOSE" gone 3000
open_dialog "$IDM_VIDEO_LOSS" "$VL" checked "${VIDEO_LOSS_ON[5]}" 0 \
  checked "${VIDEO_LOSS_OFF[5]}" 1 selection "$IDC_VIDEO_LOSS_DISPLAY" 0 \
  selection "$IDC_VIDEO_LOSS_OUTPUT" 1 selection "$IDC_VIDEO_LOSS_BACKGROUND" 1 \
  close gone 3000 no-box 500
