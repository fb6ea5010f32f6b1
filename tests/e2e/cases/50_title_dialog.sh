# The title dialog: caption, the channel list on the channel last chosen, the
# stored title in the edit box and the painted preview. Typing a title for
# channel 3 updates the preview at once and "設定" sends its exact "CJ" frame.
# The box keeps at most 20 bytes of code page 932, cut at a character
# boundary. A character code page 932 cannot hold stays visible in the box and
# is refused with the title-character message, never sent as another
# character. Switching channels alone leaves the document unchanged.
start_sim
start_program
T="タイトルの設定"
CHANNEL=$IDC_TITLE_CHANNEL
EDIT=$IDC_TITLE_EDIT
JIS="ＪＩＳ第１水準,第２水準以外の字が選択されてます"
program_up
toolbar_dialog "$IDM_TITLE" "$T" caption "$T  " \
  selection "$CHANNEL" 0 text "$EDIT" "　　　ＣＨ０１　　　" enabled "$IDC_TITLE_SLAVE" 0 \
  selection "$IDC_TITLE_SLAVE" 0 text "$IDC_TITLE_SET_ALL" "全設定"
shot dialog main 1000 dialog "$T" 1000

# Switching channels shows each stored title and is not an edit: Exit then
# ends the program without asking.
in_dialog "$T" choose "$CHANNEL" 15 wait-text "$EDIT" "　　　ＣＨ１６　　　" 2000 \
  choose "$CHANNEL" 0 wait-text "$EDIT" "　　　ＣＨ０１　　　" 2000 close gone 3000
exit_unchanged 1000
wait "$PROGRAM_PID" || fail "exit status $?"
start_program
program_up

# Channel 3, then the title "カメラ３": the preview shows it in the first
# column, third line.
open_dialog "$IDM_TITLE" "$T" selection "$CHANNEL" 0 choose "$CHANNEL" 2 \
  wait-text "$EDIT" "　　　ＣＨ０３　　　" 2000 set-text "$EDIT" "カメラ３" text "$EDIT" "カメラ３"
shot typed main 1000 dialog "$T" 1000
in_dialog "$T" click "$IDC_TITLE_SET" "${SUCCESS[@]}" no-box 500
expect_frames <<'FRAMES'
RX CJ03252B256125692333212121212121212121212121\r\n
TX GO\r\n
FRAMES

# The box keeps at most 20 bytes: of eleven full-width characters pasted in,
# the ten that fit; a letter typed into the full title is refused and the end
# of the title stays; half-width letters fill the bytes a full-width one left.
in_dialog "$T" set-text "$EDIT" "ＡＢＣＤＥＦＧＨＩＪＫ" text "$EDIT" "ＡＢＣＤＥＦＧＨＩＪ" \
  set-text "$EDIT" "ＡＢＸＣＤＥＦＧＨＩＪ" text "$EDIT" "ＡＢＣＤＥＦＧＨＩＪ" \
  set-text "$EDIT" "ＡＢＣＤＥＦＧＨＩ" set-text "$EDIT" "ＡＢＣＤＥＦＧＨＩxyz" \
  text "$EDIT" "ＡＢＣＤＥＦＧＨＩxy"

# "é" has no code in code page 932: the box keeps it, "設定" refuses the
# title with the title-character message and sends nothing.
in_dialog "$T" set-text "$EDIT" "カフェé" text "$EDIT" "カフェé" click "$IDC_TITLE_SET" \
  box "$JIS" "Error" 5000
shot refused main 1000 box "$JIS" "Error" 3000
drv main 1000 box "$JIS" "Error" 3000 click "$IDOK" no-box 2500
in_dialog "$T" text "$EDIT" "カフェé" close gone 3000
expect_frames <<'FRAMES'
RX CJ03252B256125692333212121212121212121212121\r\n
TX GO\r\n
FRAMES

# The typed titles made the document modified.
exit_discarding
