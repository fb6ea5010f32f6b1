# The split-screen layout dialog: the screen boxes in the shape of each
# layout. "４分割B" after "１６分割" hides screens 5..16 (without a selection)
# and shows the channels 5..8 in a 2 x 2 block; in the 13-way layouts screen 1
# is a large picture over the top-left 2 x 2 slots. A channel placed twice is
# refused with "チャンネルが重複しています。" and nothing is sent; each layout
# keeps its own list; choosing a layout is an edit.
start_sim
start_program
S="分割画面配置の設定"
rect() { drv main 1000 dialog "$S" 1000 print-control-rect "$1"; }

drv main 15000 no-box 1000 toolbar 40013 dialog "$S" 5000 caption "$S  " items 2201 9 \
  text 2201 "４分割A" visible 2230 1 visible 2233 1 visible 2234 0 visible 2245 0 \
  text 2230 "ch.01" text 2233 "ch.04" selection 2234 -1 enabled 2203 0

drv main 1000 dialog "$S" 1000 choose 2201 8 wait-text 2201 "１６分割" 2000 visible 2245 1 \
  text 2245 "ch.16" text 2234 "ch.05"
shot sixteen main 1000 dialog "$S" 1000

drv main 1000 dialog "$S" 1000 choose 2201 1 wait-text 2201 "４分割B" 2000 \
  text 2230 "ch.05" text 2231 "ch.06" text 2232 "ch.07" text 2233 "ch.08"
for k in $(seq 2234 2245); do
  drv main 1000 dialog "$S" 1000 visible "$k" 0 visible $((k - 20)) 0 selection "$k" -1 enabled "$k" 0
done
read -r x1 y1 _ <<<"$(rect 2230)"
read -r x2 y2 _ <<<"$(rect 2231)"
read -r x3 y3 _ <<<"$(rect 2232)"
read -r x4 y4 _ <<<"$(rect 2233)"
[ "$y1" = "$y2" ] && [ "$x2" -gt "$x1" ] && [ "$x3" = "$x1" ] && [ "$y3" -gt "$y1" ] &&
  [ "$x4" = "$x2" ] && [ "$y4" = "$y3" ] || fail "4-way B is not a 2 x 2 block: $x1,$y1 $x2,$y2 $x3,$y3 $x4,$y4"
shot quad-b main 1000 dialog "$S" 1000

# 13-way A: screen 1's box spans two slots each way; screens 2 and 3 stand
# right of it, 6 to 9 in the third row; 14..16 are hidden.
drv main 1000 dialog "$S" 1000 choose 2201 6 wait-text 2201 "１３分割A" 2000 visible 2242 1 \
  visible 2243 0 visible 2245 0 text 2242 "ch.13"
read -r bx by bw bh <<<"$(rect 2210)"
read -r _ _ sw sh <<<"$(rect 2211)"
read -r x2 y2 _ <<<"$(rect 2211)"
read -r x6 y6 _ <<<"$(rect 2215)"
[ "$bw" -gt $((2 * sw)) ] && [ "$bh" -gt $((2 * sh)) ] || fail "screen 1 is not a large picture: ${bw}x$bh against ${sw}x$sh"
[ "$x2" -ge $((bx + bw)) ] && [ "$y2" = "$by" ] && [ "$x6" = "$bx" ] && [ "$y6" -ge $((by + bh)) ] ||
  fail "13-way screens misplaced"
shot thirteen-a main 1000 dialog "$S" 1000

# A duplicate: screen 2 of "４分割A" set to ch.01.
drv main 1000 dialog "$S" 1000 choose 2201 0 wait-text 2201 "４分割A" 2000 \
  choose 2231 0 wait-text 2231 "ch.01" 2000 click 2202 \
  box "チャンネルが重複しています。" "Error" 5000
shot duplicate main 1000 box "チャンネルが重複しています。" "Error" 3000
drv main 1000 box "チャンネルが重複しています。" "Error" 3000 click 1 no-box 1500
expect_frames </dev/null
drv main 1000 dialog "$S" 1000 text 2231 "ch.01" choose 2231 1 wait-text 2231 "ch.02" 2000 \
  click 2202 box "Success" "接続成功" 5000 click 1 no-box 300

# 9-way A and B keep their own lists.
drv main 1000 dialog "$S" 1000 choose 2201 4 wait-text 2201 "９分割A" 2000 choose 2230 15 \
  wait-text 2230 "ch.16" 2000 choose 2201 5 wait-text 2201 "９分割B" 2000 text 2230 "ch.08" \
  choose 2201 4 wait-text 2201 "９分割A" 2000 text 2230 "ch.16" \
  click 2202 box "Success" "接続成功" 5000 click 1 no-box 300
expect_frames <<'FRAMES'
RX SPD4A01020304\r\n
TX GO\r\n
RX SPD9A160203040506070809\r\n
TX GO\r\n
FRAMES

# Reopened on the layout chosen last.
drv main 1000 dialog "$S" 1000 click 2204 gone 3000
drv main 1000 menu 40013 dialog "$S" 5000 text 2201 "９分割A" visible 2238 1 visible 2239 0 \
  close gone 3000
drv main 1000 menu 40005 box "ファイルが変更されています。保存しますか？" "保存確認" 5000 click 7 \
  exited 5000 0

# Choosing a layout alone marks the document modified.
start_program
drv main 15000 no-box 1000 menu 40013 dialog "$S" 5000 choose 2201 3 wait-text 2201 "４分割D" 2000 \
  close gone 3000
drv main 1000 menu 40005 box "ファイルが変更されています。保存しますか？" "保存確認" 5000 click 7 \
  exited 5000 0
