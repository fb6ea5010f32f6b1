# The auto switching dialog: in MIX the entry list holds the 25 entries and
# the table four columns; a dwell time is sent for the selected entry; the
# mode changed from MIX to DIVISION lists the nine layouts with "４分割A"
# selected and its dwell time shown; "全設定" sends the dwell times of the
# mode only; "同時間（秒）" in SINGLE changes the channels and leaves the
# layouts; Escape, Enter and the title-bar close end the dialog.
start_sim
start_program
A="自動切換えの設定"
ENTRY=$IDC_AUTO_SWITCH_ENTRY
TIME=$IDC_AUTO_SWITCH_TIME
SAME_TIME=$IDC_AUTO_SWITCH_SAME_TIME
MODE=$IDC_AUTO_SWITCH_MODE
# ok BUTTON: the button's command is acknowledged.
ok() { in_dialog "$A" click "$1" "${SUCCESS[@]}" no-box 300; }

program_up
toolbar_dialog "$IDM_AUTO_SWITCH" "$A" caption "$A  " \
  items "$ENTRY" 25 text "$ENTRY" "ch.01" text "$TIME" "03" text "$SAME_TIME" "03" \
  text "$MODE" "MIX" items "$TIME" 100 items "$SAME_TIME" 100 enabled "$IDC_AUTO_SWITCH_SLAVE" 0
shot mix main 1000 dialog "$A" 1000

# "４分割A" (position 16 in MIX) gets 7 seconds.
in_dialog "$A" choose "$ENTRY" 16 wait-text "$ENTRY" "４分割A" 2000 \
  choose "$TIME" 7 wait-text "$TIME" "07" 2000
ok "$IDC_AUTO_SWITCH_TIME_SET"

# MIX -> DIVISION.
in_dialog "$A" choose "$MODE" 1 wait-text "$MODE" "DIVISION" 2000 \
  items "$ENTRY" 9 text "$ENTRY" "４分割A" text "$TIME" "07"
shot division main 1000 dialog "$A" 1000
ok "$IDC_AUTO_SWITCH_MODE_SET"
ok "$IDC_AUTO_SWITCH_SET_ALL"

# SINGLE with "同時間（秒）" 5, then MIX again.
in_dialog "$A" choose "$MODE" 0 wait-text "$MODE" "SINGLE" 2000 items "$ENTRY" 16 \
  text "$ENTRY" "ch.01" choose "$SAME_TIME" 5 wait-text "$TIME" "05" 2000
ok "$IDC_AUTO_SWITCH_SET_ALL"
in_dialog "$A" choose "$MODE" 2 wait-text "$MODE" "MIX" 2000 items "$ENTRY" 25
ok "$IDC_AUTO_SWITCH_SET_ALL"
shot mix-edited main 1000 dialog "$A" 1000

expect_frames <<'FRAMES'
RX CASTD4A07\r\n
TX GO\r\n
RX CASMD\r\n
TX GO\r\n
RX CASTD070303030303030303\r\n
TX GO\r\n
RX CASTS05050505050505050505050505050505\r\n
TX GO\r\n
RX CASTM05050505050505050505050505050505070303030303030303\r\n
TX GO\r\n
FRAMES

# Escape, Enter and the title-bar close; "同時間（秒）" shows "03" again at
# each opening; the entry chosen last is selected again.
in_dialog "$A" choose "$ENTRY" 20 wait-text "$ENTRY" "９分割A" 2000 key "$VK_ESCAPE" gone 3000
open_dialog "$IDM_AUTO_SWITCH" "$A" text "$SAME_TIME" "03" text "$ENTRY" "９分割A" \
  text "$TIME" "03" key "$VK_RETURN" gone 3000
open_dialog "$IDM_AUTO_SWITCH" "$A" close gone 3000 no-box 500
