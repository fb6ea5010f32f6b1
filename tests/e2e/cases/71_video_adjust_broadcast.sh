# "全設定" of the video adjustment dialog to the RS-485 broadcast address: no
# unit answers, the five steps go out one per 200 ms tick and the sequence
# completes after the fifth with "設定しました". The slave-address list is
# locked while it runs. "キャンセル" pressed between two steps stops the
# sequence with "中止しました"; nothing more is sent.
write_ini "control=1"
start_sim --address 00
start_program
V="ビデオ調整設定"
SLAVE=$IDC_VIDEO_ADJUST_SLAVE
SET_ALL=$IDC_VIDEO_ADJUST_SET_ALL
PERCENT=$IDC_VIDEO_ADJUST_PROGRESS
program_up
open_dialog "$IDM_VIDEO_ADJUST" "$V" enabled "$SLAVE" 1 choose "$SLAVE" 32 \
  wait-text "$SLAVE" "Broadcast" 2000 click "$SET_ALL" wait-text "$SET_ALL" "キャンセル" 2000 \
  enabled "$SLAVE" 0 box "設定しました" "接続成功" 5000 click "$IDOK" no-box 500
in_dialog "$V" wait-text "$PERCENT" "" 2000 enabled "$SLAVE" 1 text "$SET_ALL" "全設定"
expect_frames <<'FRAMES'
RX FFVAB000000000000000000000000000000000000000000000000\r\n (broadcast, applied)
RX FFVAC064064064064064064064064064064064064064064064064\r\n (broadcast, applied)
RX FFVAH000000000000000000000000000000000000000000000000\r\n (broadcast, applied)
RX FFVASH00000000000000000000000000000000\r\n (broadcast, applied)
RX FFVASA080080080080080080080080080080080080080080080080\r\n (broadcast, applied)
FRAMES
# One frame per tick of the 200 ms pacing timer: five of them span at least
# four periods (single gaps follow the busy machine's timer, the pace does not).
awk '$3 == "RX" { split($2, t, ":"); s = t[1] * 3600 + t[2] * 60 + t[3];
       if (!n++) first = s; last = s }
     END { if (n != 5 || last - first < 4 * 0.2 * 0.95) { print n " steps in " last - first " s"; exit 1 } }' \
  "$CASE_DIR/sim.log" || fail "steps sent faster than one every 200 ms"

before=$(frames | wc -l)
in_dialog "$V" click "$SET_ALL" wait-text "$PERCENT" "40" 3000 click "$SET_ALL" \
  box "中止しました" "キャンセル" 3000
shot cancelled main 1000 box "中止しました" "キャンセル" 3000
drv main 1000 box "中止しました" "キャンセル" 3000 click "$IDOK" no-box 1500
in_dialog "$V" text "$SET_ALL" "全設定" text "$PERCENT" "" \
  enabled "${VIDEO_ADJUST_LIST[brightness]}" 1 enabled "$SLAVE" 1
expect_eq "frames of the cancelled run" "$(frames | tail -n +$((before + 1)) | grep -c '^RX')" 2
in_dialog "$V" close gone 3000
