# RS-485: the slave-address list is enabled and shared by the dialogs;
# "Broadcast" sends with "FF" and shows nothing afterwards, and the next
# "設定" is not held back. The read-all dialog offers no Broadcast: opening
# it turns the choice into unit 31.
write_ini "control=1"
start_sim --address 00
start_program
AL="アラームの設定"
program_up
open_dialog "$IDM_AGC" "$AGC" enabled "$IDC_AGC_SLAVE" 1 items "$IDC_AGC_SLAVE" 33 \
  selection "$IDC_AGC_SLAVE" 0 choose "$IDC_AGC_SLAVE" 32 \
  click "$IDC_AGC_SET" no-box 2500 click "$IDC_AGC_SET" no-box 2500
shot broadcast main 1000 dialog "$AGC" 1000
in_dialog "$AGC" click "$IDC_AGC_CLOSE" gone 3000
open_dialog "$IDM_ALARM" "$AL" selection "$IDC_ALARM_SLAVE" 32 enabled "$IDC_ALARM_SLAVE" 1 \
  choose "$IDC_ALARM_SLAVE" 0 click "$IDC_ALARM_MODE_SET" "${SUCCESS[@]}" \
  dialog "$AL" 1000 choose "$IDC_ALARM_SLAVE" 32 click "$IDC_ALARM_CLOSE" gone 3000
expect_frames <<'FRAMES'
RX FFAGCNNNNNNNNNNNNNNNN\r\n (broadcast, applied)
RX FFAGCNNNNNNNNNNNNNNNN\r\n (broadcast, applied)
RX 00AMI\r\n
TX 00GO\r\n
FRAMES

RA="設定項目の読み込み"
SA="全項目の設定"
open_dialog "$IDM_READ_ALL" "$RA" caption "$RA " items "$IDC_READ_ALL_SLAVE" 32 \
  selection "$IDC_READ_ALL_SLAVE" 31 enabled "$IDC_READ_ALL_SLAVE" 1 close gone 3000
open_dialog "$IDM_SEND_ALL" "$SA" caption "$SA " selection "$IDC_SEND_ALL_SLAVE" 31 \
  enabled "$IDC_SEND_ALL_SLAVE" 1 click "$IDC_SEND_ALL_CLOSE" gone 3000
exit_unchanged
