# The video adjustment dialog: the five lists show the selected channel's
# values in their display forms, the painted table all sixteen channels.
# Brightness -1 is stored as 63 (the table shows -01) and sent as 127; a
# change of channel alone is not an edit. "全設定" sends the five all-channel
# commands one after the other with the percentage 0, 20 .. 100 in its box,
# then "設定しました"; "キャンセル" is ignored while the fifth step is in
# flight.
start_sim --reply-delay-ms 400
start_program
V="ビデオ調整設定"
drv main 15000 no-box 1000 toolbar 40022 dialog "$V" 5000 caption "$V " \
  text 2321 "ch.01" text 2301 " 00 " text 2302 "064 " text 2303 " 000" text 2304 "00" \
  text 2305 "080 " text 2324 "" items 2301 128 items 2302 128 items 2303 252 items 2304 32 \
  items 2305 128 enabled 2322 0 text 2323 "全設定"
shot dialog main 1000 dialog "$V" 1000

# Channel 3: brightness -1 and hue -1, each sent with its "設定".
drv main 1000 dialog "$V" 1000 choose 2321 2 wait-text 2321 "ch.03" 2000 \
  choose 2301 63 wait-text 2301 "-01 " 2000 click 2311 box "Success" "接続成功" 5000 click 1 no-box 300
drv main 1000 dialog "$V" 1000 choose 2303 123 wait-text 2303 "-001" 2000 \
  click 2313 box "Success" "接続成功" 5000 click 1 no-box 300
shot table main 1000 dialog "$V" 1000
# Another channel shows its own values; channel 3 keeps its edits.
drv main 1000 dialog "$V" 1000 choose 2321 3 wait-text 2301 " 00 " 2000 text 2303 " 000" \
  choose 2321 2 wait-text 2301 "-01 " 2000 text 2303 "-001"

# "全設定" with the percentages.
seen=$(drv main 1000 dialog "$V" 1000 click 2323 texts-seen 2324 5000 | sed '/^$/d' | tr '\n' ' ')
expect_eq "percentages" "$seen" "0 20 40 60 80 100 "
drv main 1000 box "設定しました" "接続成功" 3000
shot done main 1000 box "設定しました" "接続成功" 3000
drv main 1000 box "設定しました" "接続成功" 3000 click 1 no-box 500
drv main 1000 dialog "$V" 1000 wait-text 2324 "" 2000 text 2323 "全設定" enabled 2301 1 \
  enabled 2321 1 enabled 2325 1
expect_frames <<'FRAMES'
RX VAB03127\r\n
TX GO\r\n
RX VAH03255\r\n
TX GO\r\n
RX VAB000000127000000000000000000000000000000000000000\r\n
TX GO\r\n
RX VAC064064064064064064064064064064064064064064064064\r\n
TX GO\r\n
RX VAH000000255000000000000000000000000000000000000000\r\n
TX GO\r\n
RX VASH00000000000000000000000000000000\r\n
TX GO\r\n
RX VASA080080080080080080080080080080080080080080080080\r\n
TX GO\r\n
FRAMES

# "キャンセル" while the fifth step awaits its answer: no effect.
before=$(frames | wc -l)
drv main 1000 dialog "$V" 1000 click 2323 wait-text 2323 "キャンセル" 2000 enabled 2301 0 \
  enabled 2311 0 enabled 2321 0 enabled 2325 0 wait-text 2324 "20" 2000
shot running main 1000 dialog "$V" 1000
drv main 1000 dialog "$V" 1000 wait-text 2324 "100" 5000 click 2323 \
  box "設定しました" "接続成功" 3000 click 1 no-box 500
expect_eq "frames of the second run" "$(frames | tail -n +$((before + 1)) | grep -c '^RX')" 5

drv main 1000 dialog "$V" 1000 close gone 3000
drv main 1000 menu 40005 box "ファイルが変更されています。保存しますか？" "保存確認" 5000 click 7 \
  exited 5000 0

# Only a change of channel: Exit asks nothing.
start_program
drv main 15000 no-box 1000 menu 40022 dialog "$V" 5000 choose 2321 5 wait-text 2321 "ch.06" 2000 \
  close gone 3000 menu 40005 no-box 1000 exited 5000 0
