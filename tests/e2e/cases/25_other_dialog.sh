# The other-settings dialog: start-up values ("黒", "16分割"); each list's
# "設定" sends its choice ("自動切換え" POSCAS, "13分割B" POSD13B); after New
# the border line shows "OFF".
start_sim
start_program
OT="その他の設定"
program_up
toolbar_dialog "$IDM_OTHER" "$OT" caption "$OT  " \
  selection "$IDC_OTHER_CONNECTOR" 0 selection "$IDC_OTHER_BORDER" 3 \
  selection "$IDC_OTHER_POWER_ON" 24 selection "$IDC_OTHER_ASPECT" 0 selection "$IDC_OTHER_SLAVE" 0
shot dialog main 1000 dialog "$OT" 1000
in_dialog "$OT" select "$IDC_OTHER_POWER_ON" 25 click "$IDC_OTHER_POWER_ON_SET" "${SUCCESS[@]}"
in_dialog "$OT" select "$IDC_OTHER_POWER_ON" 23 click "$IDC_OTHER_POWER_ON_SET" "${SUCCESS[@]}"
in_dialog "$OT" select "$IDC_OTHER_BORDER" 2 click "$IDC_OTHER_BORDER_SET" "${SUCCESS[@]}"
in_dialog "$OT" select "$IDC_OTHER_ASPECT" 1 click "$IDC_OTHER_ASPECT_SET" "${SUCCESS[@]}"
in_dialog "$OT" select "$IDC_OTHER_CONNECTOR" 1 click "$IDC_OTHER_CONNECTOR_SET" "${SUCCESS[@]}"
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
in_dialog "$OT" click "$IDC_OTHER_CLOSE" gone 3000
drv main 1000 menu "$IDM_FILE_NEW" "${SAVE_PROMPT[@]}" click "$IDNO" no-box 500
open_dialog "$IDM_OTHER" "$OT" selection "$IDC_OTHER_BORDER" 0 \
  selection "$IDC_OTHER_POWER_ON" 24 selection "$IDC_OTHER_CONNECTOR" 0 \
  click "$IDC_OTHER_CLOSE" gone 3000
exit_unchanged
