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
CHANNEL=$IDC_VIDEO_ADJUST_CHANNEL
SET_ALL=$IDC_VIDEO_ADJUST_SET_ALL
PERCENT=$IDC_VIDEO_ADJUST_PROGRESS
BRIGHTNESS=${VIDEO_ADJUST_LIST[brightness]}
CONTRAST=${VIDEO_ADJUST_LIST[contrast]}
HUE=${VIDEO_ADJUST_LIST[hue]}
SHARPNESS=${VIDEO_ADJUST_LIST[sharpness]}
SATURATION=${VIDEO_ADJUST_LIST[saturation]}
program_up
toolbar_dialog "$IDM_VIDEO_ADJUST" "$V" caption "$V " \
  text "$CHANNEL" "ch.01" text "$BRIGHTNESS" " 00 " text "$CONTRAST" "064 " text "$HUE" " 000" \
  text "$SHARPNESS" "00" text "$SATURATION" "080 " text "$PERCENT" "" items "$BRIGHTNESS" 128 \
  items "$CONTRAST" 128 items "$HUE" 252 items "$SHARPNESS" 32 items "$SATURATION" 128 \
  enabled "$IDC_VIDEO_ADJUST_SLAVE" 0 text "$SET_ALL" "全設定"
shot dialog main 1000 dialog "$V" 1000

# Channel 3: brightness -1 and hue -1, each sent with its "設定".
in_dialog "$V" choose "$CHANNEL" 2 wait-text "$CHANNEL" "ch.03" 2000 \
  choose "$BRIGHTNESS" 63 wait-text "$BRIGHTNESS" "-01 " 2000 \
  click "${VIDEO_ADJUST_SET[brightness]}" "${SUCCESS[@]}" no-box 300
in_dialog "$V" choose "$HUE" 123 wait-text "$HUE" "-001" 2000 \
  click "${VIDEO_ADJUST_SET[hue]}" "${SUCCESS[@]}" no-box 300
shot table main 1000 dialog "$V" 1000
# Another channel shows its own values; channel 3 keeps its edits.
in_dialog "$V" choose "$CHANNEL" 3 wait-text "$BRIGHTNESS" " 00 " 2000 text "$HUE" " 000" \
  choose "$CHANNEL" 2 wait-text "$BRIGHTNESS" "-01 " 2000 text "$HUE" "-001"

# "全設定" with the percentages.
seen=$(in_dialog "$V" click "$SET_ALL" texts-seen "$PERCENT" 5000 | sed '/^$/d' | tr '\n' ' ')
expect_eq "percentages" "$seen" "0 20 40 60 80 100 "
drv main 1000 box "設定しました" "接続成功" 3000
shot done main 1000 box "設定しました" "接続成功" 3000
drv main 1000 box "設定しました" "接続成功" 3000 click "$IDOK" no-box 500
in_dialog "$V" wait-text "$PERCENT" "" 2000 text "$SET_ALL" "全設定" enabled "$BRIGHTNESS" 1 \
  enabled "$CHANNEL" 1 enabled "$IDC_VIDEO_ADJUST_CLOSE" 1
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

# "キャンセル" while the fifth step awaits its answer: no effect. The unit is
# held (stopped) once it has answered the fourth step, so that the fifth
# stays unanswered however long the click takes to arrive; let go, it
# answers and the run completes.
before=$(frames | wc -l)
in_dialog "$V" click "$SET_ALL" wait-text "$SET_ALL" "キャンセル" 2000 enabled "$BRIGHTNESS" 0 \
  enabled "${VIDEO_ADJUST_SET[brightness]}" 0 enabled "$CHANNEL" 0 \
  enabled "$IDC_VIDEO_ADJUST_CLOSE" 0 wait-text "$PERCENT" "20" 2000
shot running main 1000 dialog "$V" 1000
wait_frames $((before + 8))
signal_sim STOP
in_dialog "$V" wait-text "$PERCENT" "100" 5000 click "$SET_ALL" no-box 300 \
  text "$SET_ALL" "キャンセル"
signal_sim CONT
in_dialog "$V" box "設定しました" "接続成功" 3000 click "$IDOK" no-box 500
expect_eq "frames of the second run" "$(frames | tail -n +$((before + 1)) | grep -c '^RX')" 5

in_dialog "$V" close gone 3000
exit_discarding

# Only a change of channel: Exit asks nothing.
start_program
program_up
open_dialog "$IDM_VIDEO_ADJUST" "$V" choose "$CHANNEL" 5 wait-text "$CHANNEL" "ch.06" 2000 \
  close gone 3000
exit_unchanged 1000
