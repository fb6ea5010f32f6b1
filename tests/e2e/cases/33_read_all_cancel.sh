# While the run is active the dialog cannot be closed (Close disabled, the
# title-bar close refused). Read-all cancelled mid-run: "中止しました" under
# "キャンセル", no further query, the dialog stays open and idle ("読み込み",
# Close enabled, no percentage); Close still works; the document is
# unchanged.
start_sim --reply-delay-ms 50
start_program
RA="設定項目の読み込み"
START=$IDC_READ_ALL_START
program_up
open_dialog "$IDM_READ_ALL" "$RA" click "$START" wait-text "$START" "キャンセル" 2000
wait_frames 6 15
in_dialog "$RA" send-close dialog "$RA" 1000 text "$START" "キャンセル" \
  enabled "$IDC_READ_ALL_CLOSE" 0
wait_frames 12 15
in_dialog "$RA" click "$START" box "中止しました" "キャンセル" 5000
shot cancelled main 1000 box "中止しました" "キャンセル" 1000
sent=$(frames | grep -c '^RX')
drv main 1000 box "中止しました" "キャンセル" 1000 click "$IDOK" dialog "$RA" 1000 \
  wait-text "$START" "読み込み" 2000 text "$IDC_READ_ALL_PERCENT" "" \
  enabled "$IDC_READ_ALL_CLOSE" 1 no-box 2000
expect_eq "queries after the cancel" "$(frames | grep -c '^RX')" "$sent"
[ "$sent" -ge 6 ] && [ "$sent" -lt 55 ] || fail "cancelled after $sent queries"
in_dialog "$RA" click "$IDC_READ_ALL_CLOSE" gone 3000
exit_unchanged
