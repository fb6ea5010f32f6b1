# A title with a half-width letter among full-width characters is refused
# when sent: the title-character message, no "Command Error" after it, nothing
# on the line, the text kept for correction; after the correction it goes out.
start_sim
start_program
T="タイトルの設定"
MSG="ＪＩＳ第１水準,第２水準以外の字が選択されてます"
drv main 15000 no-box 1000 menu 40008 dialog "$T" 5000 choose 2001 1 \
  wait-text 2002 "　　　ＣＨ０２　　　" 2000 set-text 2002 "ＡbＣ" click 2003 box "$MSG" "Error" 5000 click 1 no-box 2500
drv main 1000 dialog "$T" 1000 text 2002 "ＡbＣ"
expect_frames </dev/null

# Two half-width letters: an even length, refused all the same.
drv main 1000 dialog "$T" 1000 set-text 2002 "ＡbcＤ" click 2003 box "$MSG" "Error" 5000 \
  click 1 no-box 2500
expect_frames </dev/null

drv main 1000 dialog "$T" 1000 set-text 2002 "ＡＢＣ" click 2003 box "Success" "接続成功" 5000 \
  click 1 no-box 500
expect_frames <<'FRAMES'
RX CJ022341234223432121212121212121212121212121\r\n
TX GO\r\n
FRAMES
