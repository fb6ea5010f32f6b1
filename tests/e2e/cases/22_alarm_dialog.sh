# The alarm dialog: opening puts the stored hold time into its box without
# counting as an edit (Exit asks nothing); the hold-time "設定" is enabled
# only for 1..999 written in digits; "07" goes out as typed, "ADT007";
# "外部" sends "AME"; after edits Exit asks to save.
start_sim
start_program
AL="アラームの設定"
HOLD=$IDC_ALARM_HOLD_TIME
HOLD_SET=$IDC_ALARM_HOLD_TIME_SET
program_up
open_dialog "$IDM_ALARM" "$AL" caption "$AL  " \
  selection "$IDC_ALARM_MODE" 0 text "$HOLD" "030" enabled "$HOLD_SET" 1 \
  selection "$IDC_ALARM_POLARITY" 0 selection "$IDC_ALARM_DISPLAY" 1 \
  selection "$IDC_ALARM_RETURN" 1 selection "$IDC_ALARM_SLAVE" 0 enabled "$IDC_ALARM_SLAVE" 0
shot dialog main 1000 dialog "$AL" 1000
in_dialog "$AL" click "$IDC_ALARM_CLOSE" gone 3000
exit_unchanged

start_program
program_up
toolbar_dialog "$IDM_ALARM" "$AL" \
  set-text "$HOLD" "0" enabled "$HOLD_SET" 0 \
  set-text "$HOLD" "000" enabled "$HOLD_SET" 0 \
  set-text "$HOLD" "" enabled "$HOLD_SET" 0 \
  set-text "$HOLD" "5a" enabled "$HOLD_SET" 0 \
  set-text "$HOLD" "1" enabled "$HOLD_SET" 1 \
  set-text "$HOLD" "01" enabled "$HOLD_SET" 1 \
  set-text "$HOLD" "999" enabled "$HOLD_SET" 1 \
  set-text "$HOLD" "07" enabled "$HOLD_SET" 1 text "$HOLD" "07"
shot hold-time main 1000 dialog "$AL" 1000
in_dialog "$AL" click "$HOLD_SET" "${SUCCESS[@]}"
in_dialog "$AL" select "$IDC_ALARM_MODE" 1 click "$IDC_ALARM_MODE_SET" "${SUCCESS[@]}"
in_dialog "$AL" select "$IDC_ALARM_POLARITY" 1 click "$IDC_ALARM_POLARITY_SET" "${SUCCESS[@]}"
in_dialog "$AL" select "$IDC_ALARM_DISPLAY" 0 click "$IDC_ALARM_DISPLAY_SET" "${SUCCESS[@]}"
in_dialog "$AL" select "$IDC_ALARM_RETURN" 0 click "$IDC_ALARM_RETURN_SET" "${SUCCESS[@]}"
expect_frames <<'FRAMES'
RX ADT007\r\n
TX GO\r\n
RX AME\r\n
TX GO\r\n
RX APB\r\n
TX GO\r\n
RX ADOF\r\n
TX GO\r\n
RX AROF\r\n
TX GO\r\n
FRAMES

# The edit kept "07"; reopened, the box shows it.
in_dialog "$AL" close gone 3000 menu "$IDM_ALARM" dialog "$AL" 5000 text "$HOLD" "07" \
  enabled "$HOLD_SET" 1 selection "$IDC_ALARM_MODE" 1 click "$IDC_ALARM_CLOSE" gone 3000
exit_discarding
