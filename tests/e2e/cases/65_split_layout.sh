# The split-screen layout dialog: the screen boxes in the shape of each
# layout. "４分割B" after "１６分割" hides screens 5..16 (without a selection)
# and shows the channels 5..8 in a 2 x 2 block; in the 13-way layouts screen 1
# is a large picture over the top-left 2 x 2 slots. A channel placed twice is
# refused with "チャンネルが重複しています。" and nothing is sent; each layout
# keeps its own list; choosing a layout is an edit.
start_sim
start_program
S="分割画面配置の設定"
LAYOUT=$IDC_SPLIT_LAYOUT
# SCREEN[k] and BOX[k]: the channel list and the group box of screen k.
SCREEN=()
BOX=()
for k in $(seq 1 16); do
  SCREEN[k]=${SPLIT_SCREEN_LIST[k]}
  BOX[k]=${SPLIT_SCREEN_BOX[k]}
done
rect() { in_dialog "$S" print-control-rect "$1"; }

program_up
toolbar_dialog "$IDM_SPLIT_LAYOUT" "$S" caption "$S  " items "$LAYOUT" 9 \
  text "$LAYOUT" "４分割A" visible "${SCREEN[1]}" 1 visible "${SCREEN[4]}" 1 visible "${SCREEN[5]}" 0 \
  visible "${SCREEN[16]}" 0 text "${SCREEN[1]}" "ch.01" text "${SCREEN[4]}" "ch.04" \
  selection "${SCREEN[5]}" -1 enabled "$IDC_SPLIT_SLAVE" 0

in_dialog "$S" choose "$LAYOUT" 8 wait-text "$LAYOUT" "１６分割" 2000 visible "${SCREEN[16]}" 1 \
  text "${SCREEN[16]}" "ch.16" text "${SCREEN[5]}" "ch.05"
shot sixteen main 1000 dialog "$S" 1000

in_dialog "$S" choose "$LAYOUT" 1 wait-text "$LAYOUT" "４分割B" 2000 \
  text "${SCREEN[1]}" "ch.05" text "${SCREEN[2]}" "ch.06" text "${SCREEN[3]}" "ch.07" \
  text "${SCREEN[4]}" "ch.08"
for k in $(seq 5 16); do
  in_dialog "$S" visible "${SCREEN[k]}" 0 visible "${BOX[k]}" 0 selection "${SCREEN[k]}" -1 \
    enabled "${SCREEN[k]}" 0
done
read -r x1 y1 _ <<<"$(rect "${SCREEN[1]}")"
read -r x2 y2 _ <<<"$(rect "${SCREEN[2]}")"
read -r x3 y3 _ <<<"$(rect "${SCREEN[3]}")"
read -r x4 y4 _ <<<"$(rect "${SCREEN[4]}")"
[ "$y1" = "$y2" ] && [ "$x2" -gt "$x1" ] && [ "$x3" = "$x1" ] && [ "$y3" -gt "$y1" ] &&
  [ "$x4" = "$x2" ] && [ "$y4" = "$y3" ] || fail "4-way B is not a 2 x 2 block: $x1,$y1 $x2,$y2 $x3,$y3 $x4,$y4"
shot quad-b main 1000 dialog "$S" 1000

# 13-way A: screen 1's box spans two slots each way; screens 2 and 3 stand
# right of it, 6 to 9 in the third row; 14..16 are hidden.
in_dialog "$S" choose "$LAYOUT" 6 wait-text "$LAYOUT" "１３分割A" 2000 visible "${SCREEN[13]}" 1 \
  visible "${SCREEN[14]}" 0 visible "${SCREEN[16]}" 0 text "${SCREEN[13]}" "ch.13"
read -r bx by bw bh <<<"$(rect "${BOX[1]}")"
read -r _ _ sw sh <<<"$(rect "${BOX[2]}")"
read -r x2 y2 _ <<<"$(rect "${BOX[2]}")"
read -r x6 y6 _ <<<"$(rect "${BOX[6]}")"
[ "$bw" -gt $((2 * sw)) ] && [ "$bh" -gt $((2 * sh)) ] || fail "screen 1 is not a large picture: ${bw}x$bh against ${sw}x$sh"
[ "$x2" -ge $((bx + bw)) ] && [ "$y2" = "$by" ] && [ "$x6" = "$bx" ] && [ "$y6" -ge $((by + bh)) ] ||
  fail "13-way screens misplaced"
shot thirteen-a main 1000 dialog "$S" 1000

# A duplicate: screen 2 of "４分割A" set to ch.01.
DUPLICATE="チャンネルが重複しています。"
in_dialog "$S" choose "$LAYOUT" 0 wait-text "$LAYOUT" "４分割A" 2000 \
  choose "${SCREEN[2]}" 0 wait-text "${SCREEN[2]}" "ch.01" 2000 click "$IDC_SPLIT_SET" \
  box "$DUPLICATE" "Error" 5000
shot duplicate main 1000 box "$DUPLICATE" "Error" 3000
drv main 1000 box "$DUPLICATE" "Error" 3000 click "$IDOK" no-box 1500
expect_frames </dev/null
in_dialog "$S" text "${SCREEN[2]}" "ch.01" choose "${SCREEN[2]}" 1 wait-text "${SCREEN[2]}" "ch.02" 2000 \
  click "$IDC_SPLIT_SET" "${SUCCESS[@]}" no-box 300

# 9-way A and B keep their own lists.
in_dialog "$S" choose "$LAYOUT" 4 wait-text "$LAYOUT" "９分割A" 2000 choose "${SCREEN[1]}" 15 \
  wait-text "${SCREEN[1]}" "ch.16" 2000 choose "$LAYOUT" 5 wait-text "$LAYOUT" "９分割B" 2000 \
  text "${SCREEN[1]}" "ch.08" choose "$LAYOUT" 4 wait-text "$LAYOUT" "９分割A" 2000 \
  text "${SCREEN[1]}" "ch.16" click "$IDC_SPLIT_SET" "${SUCCESS[@]}" no-box 300
expect_frames <<'FRAMES'
RX SPD4A01020304\r\n
TX GO\r\n
RX SPD9A160203040506070809\r\n
TX GO\r\n
FRAMES

# Reopened on the layout chosen last.
in_dialog "$S" click "$IDC_SPLIT_CLOSE" gone 3000
open_dialog "$IDM_SPLIT_LAYOUT" "$S" text "$LAYOUT" "９分割A" visible "${SCREEN[9]}" 1 \
  visible "${SCREEN[10]}" 0 close gone 3000
exit_discarding

# Choosing a layout alone marks the document modified.
start_program
program_up
open_dialog "$IDM_SPLIT_LAYOUT" "$S" choose "$LAYOUT" 3 wait-text "$LAYOUT" "４分割D" 2000 \
  close gone 3000
exit_discarding
