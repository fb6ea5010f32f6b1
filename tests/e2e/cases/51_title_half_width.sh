# A title with a half-width letter among full-width characters is refused
# when sent: the title-character message, no "Command Error" after it, nothing
# on the line, the text kept for correction; after the correction it goes out.
start_sim
start_program
T="タイトルの設定"
MSG="ＪＩＳ第１水準,第２水準以外の字が選択されてます"
EDIT=$IDC_TITLE_EDIT
program_up
open_dialog "$IDM_TITLE" "$T" choose "$IDC_TITLE_CHANNEL" 1 \
  wait-text "$EDIT" "　　　ＣＨ０２　　　" 2000 set-text "$EDIT" "ＡbＣ" click "$IDC_TITLE_SET" \
  box "$MSG" "Error" 5000 click "$IDOK" no-box 2500
in_dialog "$T" text "$EDIT" "ＡbＣ"
expect_frames </dev/null

# Two half-width letters: an even length, refused all the same.
in_dialog "$T" set-text "$EDIT" "ＡbcＤ" click "$IDC_TITLE_SET" box "$MSG" "Error" 5000 \
  click "$IDOK" no-box 2500
expect_frames </dev/null

in_dialog "$T" set-text "$EDIT" "ＡＢＣ" click "$IDC_TITLE_SET" "${SUCCESS[@]}" no-box 500
expect_frames <<'FRAMES'
RX CJ022341234223432121212121212121212121212121\r\n
TX GO\r\n
FRAMES
