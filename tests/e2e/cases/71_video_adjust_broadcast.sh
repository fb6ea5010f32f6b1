# "全設定" of the video adjustment dialog to the RS-485 broadcast address: no
# unit answers, the five steps go out one per 200 ms tick and the sequence
# completes after the fifth with "設定しました". The slave-address list is
# locked while it runs. "キャンセル" pressed between two steps stops the
# sequence with "中止しました"; nothing more is sent.
write_ini "control=1"
start_sim --address 00
start_program
V="ビデオ調整設定"
drv main 15000 no-box 1000 menu 40022 dialog "$V" 5000 enabled 2322 1 choose 2322 32 \
  wait-text 2322 "Broadcast" 2000 click 2323 wait-text 2323 "キャンセル" 2000 enabled 2322 0 \
  box "設定しました" "接続成功" 5000 click 1 no-box 500
drv main 1000 dialog "$V" 1000 wait-text 2324 "" 2000 enabled 2322 1 text 2323 "全設定"
expect_frames <<'FRAMES'
RX FFVAB000000000000000000000000000000000000000000000000\r\n (broadcast, applied)
RX FFVAC064064064064064064064064064064064064064064064064\r\n (broadcast, applied)
RX FFVAH000000000000000000000000000000000000000000000000\r\n (broadcast, applied)
RX FFVASH00000000000000000000000000000000\r\n (broadcast, applied)
RX FFVASA080080080080080080080080080080080080080080080080\r\n (broadcast, applied)
FRAMES
# One frame per tick: 200 ms apart at the fastest.
awk '$3 == "RX" { split($2, t, ":"); s = t[1] * 3600 + t[2] * 60 + t[3];
       if (n++ && s - last < 0.18) { print "frames " s - last " s apart"; bad = 1 } last = s }
     END { exit bad }' "$CASE_DIR/sim.log" || fail "steps sent faster than every 200 ms"

before=$(frames | wc -l)
drv main 1000 dialog "$V" 1000 click 2323 wait-text 2324 "40" 3000 click 2323 \
  box "中止しました" "キャンセル" 3000
shot cancelled main 1000 box "中止しました" "キャンセル" 3000
drv main 1000 box "中止しました" "キャンセル" 3000 click 1 no-box 1500
drv main 1000 dialog "$V" 1000 text 2323 "全設定" text 2324 "" enabled 2301 1 enabled 2322 1
expect_eq "frames of the cancelled run" "$(frames | tail -n +$((before + 1)) | grep -c '^RX')" 2
drv main 1000 dialog "$V" 1000 close gone 3000
