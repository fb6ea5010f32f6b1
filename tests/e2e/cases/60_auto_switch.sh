# The auto switching dialog: in MIX the entry list holds the 25 entries and
# the table four columns; a dwell time is sent for the selected entry; the
# mode changed from MIX to DIVISION lists the nine layouts with "４分割A"
# selected and its dwell time shown; "全設定" sends the dwell times of the
# mode only; "同時間（秒）" in SINGLE changes the channels and leaves the
# layouts; Escape, Enter and the title-bar close end the dialog.
start_sim
start_program
A="自動切換えの設定"
ok() { drv main 1000 dialog "$A" 1000 click "$1" box "Success" "接続成功" 5000 click 1 no-box 300; }

drv main 15000 no-box 1000 toolbar 40011 dialog "$A" 5000 caption "$A  " \
  items 2101 25 text 2101 "ch.01" text 2102 "03" text 2103 "03" text 2106 "MIX" \
  items 2102 100 items 2103 100 enabled 2108 0
shot mix main 1000 dialog "$A" 1000

# "４分割A" (position 16 in MIX) gets 7 seconds.
drv main 1000 dialog "$A" 1000 choose 2101 16 wait-text 2101 "４分割A" 2000 \
  choose 2102 7 wait-text 2102 "07" 2000
ok 2104

# MIX -> DIVISION.
drv main 1000 dialog "$A" 1000 choose 2106 1 wait-text 2106 "DIVISION" 2000 \
  items 2101 9 text 2101 "４分割A" text 2102 "07"
shot division main 1000 dialog "$A" 1000
ok 2107
ok 2105

# SINGLE with "同時間（秒）" 5, then MIX again.
drv main 1000 dialog "$A" 1000 choose 2106 0 wait-text 2106 "SINGLE" 2000 items 2101 16 \
  text 2101 "ch.01" choose 2103 5 wait-text 2102 "05" 2000
ok 2105
drv main 1000 dialog "$A" 1000 choose 2106 2 wait-text 2106 "MIX" 2000 items 2101 25
ok 2105
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
drv main 1000 dialog "$A" 1000 choose 2101 20 wait-text 2101 "９分割A" 2000 key 27 gone 3000
drv main 1000 menu 40011 dialog "$A" 5000 text 2103 "03" text 2101 "９分割A" text 2102 "03" \
  key 13 gone 3000
drv main 1000 menu 40011 dialog "$A" 5000 close gone 3000 no-box 500
