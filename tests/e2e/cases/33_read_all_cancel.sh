# While the run is active the dialog cannot be closed (Close disabled, the
# title-bar close refused). Read-all cancelled mid-run: "中止しました" under
# "キャンセル", no further query, the dialog stays open and idle ("読み込み",
# Close enabled, no percentage); Close still works; the document is
# unchanged.
start_sim --reply-delay-ms 50
start_program
RA="設定項目の読み込み"
drv main 15000 no-box 1000 menu 40017 dialog "$RA" 5000 click 1049 wait-text 1049 "キャンセル" 2000
wait_frames 6 15
drv main 1000 dialog "$RA" 1000 send-close dialog "$RA" 1000 text 1049 "キャンセル" \
  enabled 1112 0
wait_frames 12 15
drv main 1000 dialog "$RA" 1000 click 1049 box "中止しました" "キャンセル" 5000
shot cancelled main 1000 box "中止しました" "キャンセル" 1000
sent=$(frames | grep -c '^RX')
drv main 1000 box "中止しました" "キャンセル" 1000 click 1 dialog "$RA" 1000 \
  wait-text 1049 "読み込み" 2000 text 1050 "" enabled 1112 1 no-box 2000
expect_eq "queries after the cancel" "$(frames | grep -c '^RX')" "$sent"
[ "$sent" -ge 6 ] && [ "$sent" -lt 55 ] || fail "cancelled after $sent queries"
drv main 1000 dialog "$RA" 1000 click 1112 gone 3000 menu 40005 exited 5000 0
