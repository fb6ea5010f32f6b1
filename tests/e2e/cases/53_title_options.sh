# The title display, font size and title position dialogs: captions, their
# lists on the stored values (the offsets at "08"), each "設定" sending its
# one command; a list change is an edit; Escape and "Close" end them.
start_sim
start_program
program_up

D="タイトル表示の設定"
toolbar_dialog "$IDM_TITLE_DISPLAY" "$D" caption "$D  " \
  items "$IDC_TITLE_DISPLAY_SINGLE" 2 text "$IDC_TITLE_DISPLAY_SINGLE" "ON" \
  text "$IDC_TITLE_DISPLAY_SPLIT" "ON" enabled "$IDC_TITLE_DISPLAY_SLAVE" 0 \
  selection "$IDC_TITLE_DISPLAY_SLAVE" 0
shot title-display main 1000 dialog "$D" 1000
in_dialog "$D" choose "$IDC_TITLE_DISPLAY_SPLIT" 0 wait-text "$IDC_TITLE_DISPLAY_SPLIT" "OFF" 2000 \
  click "$IDC_TITLE_DISPLAY_SPLIT_SET" "${SUCCESS[@]}" no-box 300
in_dialog "$D" click "$IDC_TITLE_DISPLAY_SINGLE_SET" "${SUCCESS[@]}" no-box 300
in_dialog "$D" click "$IDC_TITLE_DISPLAY_CLOSE" gone 3000

F="フォントサイズの設定"
toolbar_dialog "$IDM_FONT_SIZE" "$F" caption "$F  " items "$IDC_FONT_SIZE_SPLIT" 2 \
  text "$IDC_FONT_SIZE_SINGLE" "LARGE" text "$IDC_FONT_SIZE_SPLIT" "LARGE"
shot font-size main 1000 dialog "$F" 1000
in_dialog "$F" choose "$IDC_FONT_SIZE_SINGLE" 0 wait-text "$IDC_FONT_SIZE_SINGLE" "SMALL" 2000 \
  click "$IDC_FONT_SIZE_SINGLE_SET" "${SUCCESS[@]}" no-box 300
in_dialog "$F" click "$IDC_FONT_SIZE_SPLIT_SET" "${SUCCESS[@]}" no-box 300
in_dialog "$F" close gone 3000

P="タイトル位置微調整"
VERTICAL=$IDC_TITLE_POSITION_VERTICAL
HORIZONTAL=$IDC_TITLE_POSITION_HORIZONTAL
toolbar_dialog "$IDM_TITLE_POSITION" "$P" caption "$P  " items "$VERTICAL" 16 \
  items "$HORIZONTAL" 16 text "$VERTICAL" "08" text "$HORIZONTAL" "08"
shot title-position main 1000 dialog "$P" 1000
in_dialog "$P" choose "$VERTICAL" 15 wait-text "$VERTICAL" "15" 2000 \
  click "$IDC_TITLE_POSITION_VERTICAL_SET" "${SUCCESS[@]}" no-box 300
in_dialog "$P" choose "$HORIZONTAL" 0 wait-text "$HORIZONTAL" "00" 2000 \
  click "$IDC_TITLE_POSITION_HORIZONTAL_SET" "${SUCCESS[@]}" no-box 300
# Escape (IDCANCEL) closes like "Close".
in_dialog "$P" key "$VK_ESCAPE" gone 3000

# Reopened, the dialogs show the edited values.
open_dialog "$IDM_TITLE_DISPLAY" "$D" text "$IDC_TITLE_DISPLAY_SPLIT" "OFF" \
  text "$IDC_TITLE_DISPLAY_SINGLE" "ON" click "$IDC_TITLE_DISPLAY_CLOSE" gone 3000
open_dialog "$IDM_TITLE_POSITION" "$P" text "$VERTICAL" "15" text "$HORIZONTAL" "00" \
  click "$IDC_TITLE_POSITION_CLOSE" gone 3000

expect_frames <<'FRAMES'
RX CTDDOF\r\n
TX GO\r\n
RX CTDSON\r\n
TX GO\r\n
RX CTFSSS\r\n
TX GO\r\n
RX CTFSDL\r\n
TX GO\r\n
RX OOV15\r\n
TX GO\r\n
RX OOH00\r\n
TX GO\r\n
FRAMES
exit_discarding
