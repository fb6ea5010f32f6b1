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
drv main 15000 no-box 1000 toolbar 40008 dialog "$T" 5000 caption "$T  " \
  selection 2001 0 text 2002 "　　　ＣＨ０１　　　" enabled 2005 0 selection 2005 0 \
  text 2004 "全設定"
shot dialog main 1000 dialog "$T" 1000

# Switching channels shows each stored title and is not an edit: Exit then
# ends the program without asking.
drv main 1000 dialog "$T" 1000 choose 2001 15 wait-text 2002 "　　　ＣＨ１６　　　" 2000 \
  choose 2001 0 wait-text 2002 "　　　ＣＨ０１　　　" 2000 close gone 3000
drv main 1000 menu 40005 no-box 1000 exited 5000 0
wait "$PROGRAM_PID" || fail "exit status $?"
start_program
drv main 15000 no-box 1000

# Channel 3, then the title "カメラ３": the preview shows it in the first
# column, third line.
drv main 1000 menu 40008 dialog "$T" 5000 selection 2001 0 choose 2001 2 \
  wait-text 2002 "　　　ＣＨ０３　　　" 2000 set-text 2002 "カメラ３" text 2002 "カメラ３"
shot typed main 1000 dialog "$T" 1000
drv main 1000 dialog "$T" 1000 click 2003 box "Success" "接続成功" 5000 click 1 no-box 500
expect_frames <<'FRAMES'
RX CJ03252B256125692333212121212121212121212121\r\n
TX GO\r\n
FRAMES

# The box keeps at most 20 bytes: of eleven full-width characters pasted in,
# the ten that fit; a letter typed into the full title is refused and the end
# of the title stays; half-width letters fill the bytes a full-width one left.
drv main 1000 dialog "$T" 1000 set-text 2002 "ＡＢＣＤＥＦＧＨＩＪＫ" text 2002 "ＡＢＣＤＥＦＧＨＩＪ" \
  set-text 2002 "ＡＢＸＣＤＥＦＧＨＩＪ" text 2002 "ＡＢＣＤＥＦＧＨＩＪ" \
  set-text 2002 "ＡＢＣＤＥＦＧＨＩ" set-text 2002 "ＡＢＣＤＥＦＧＨＩxyz" text 2002 "ＡＢＣＤＥＦＧＨＩxy"

# "é" has no code in code page 932: the box keeps it, "設定" refuses the
# title with the title-character message and sends nothing.
drv main 1000 dialog "$T" 1000 set-text 2002 "カフェé" text 2002 "カフェé" click 2003 \
  box "ＪＩＳ第１水準,第２水準以外の字が選択されてます" "Error" 5000
shot refused main 1000 box "ＪＩＳ第１水準,第２水準以外の字が選択されてます" "Error" 3000
drv main 1000 box "ＪＩＳ第１水準,第２水準以外の字が選択されてます" "Error" 3000 click 1 no-box 2500
drv main 1000 dialog "$T" 1000 text 2002 "カフェé" close gone 3000
expect_frames <<'FRAMES'
RX CJ03252B256125692333212121212121212121212121\r\n
TX GO\r\n
FRAMES

# The typed titles made the document modified.
drv main 1000 menu 40005 box "ファイルが変更されています。保存しますか？" "保存確認" 5000 click 7 \
  exited 5000 0
