# The screen switching dialog: "自動切換え" and "設定" send CCAS; the choice
# is kept for the next opening but is not a setting (Exit asks nothing).
start_sim
start_program
SS="画面切換え"
program_up
toolbar_dialog "$IDM_SCREEN_SWITCH" "$SS" caption "$SS  " \
  selection "$IDC_SCREEN_SWITCH_PICTURE" 0 selection "$IDC_SCREEN_SWITCH_SLAVE" 0
shot dialog main 1000 dialog "$SS" 1000
in_dialog "$SS" choose "$IDC_SCREEN_SWITCH_PICTURE" 25
expect_frames </dev/null
in_dialog "$SS" click "$IDC_SCREEN_SWITCH_SET" "${SUCCESS[@]}"
in_dialog "$SS" select "$IDC_SCREEN_SWITCH_PICTURE" 20 click "$IDC_SCREEN_SWITCH_SET" \
  "${SUCCESS[@]}"
expect_frames <<'FRAMES'
RX CCAS\r\n
TX GO\r\n
RX CD9A\r\n
TX GO\r\n
FRAMES
in_dialog "$SS" click "$IDC_SCREEN_SWITCH_CLOSE" gone 3000 \
  menu "$IDM_SCREEN_SWITCH" dialog "$SS" 5000 selection "$IDC_SCREEN_SWITCH_PICTURE" 20 \
  close gone 3000
exit_unchanged
