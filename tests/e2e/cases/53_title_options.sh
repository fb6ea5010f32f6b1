# The title display, font size and title position dialogs: captions, their
# lists on the stored values (the offsets at "08"), each "設定" sending its
# one command; a list change is an edit; Escape and "Close" end them.
start_sim
start_program

D="タイトル表示の設定"
drv main 15000 no-box 1000 toolbar 40009 dialog "$D" 5000 caption "$D  " \
  items 2021 2 text 2021 "ON" text 2023 "ON" enabled 2025 0 selection 2025 0
shot title-display main 1000 dialog "$D" 1000
drv main 1000 dialog "$D" 1000 choose 2023 0 wait-text 2023 "OFF" 2000 click 2024 \
  box "Success" "接続成功" 5000 click 1 no-box 300
drv main 1000 dialog "$D" 1000 click 2022 box "Success" "接続成功" 5000 click 1 no-box 300
drv main 1000 dialog "$D" 1000 click 2026 gone 3000

F="フォントサイズの設定"
drv main 1000 toolbar 40023 dialog "$F" 5000 caption "$F  " items 2043 2 \
  text 2041 "LARGE" text 2043 "LARGE"
shot font-size main 1000 dialog "$F" 1000
drv main 1000 dialog "$F" 1000 choose 2041 0 wait-text 2041 "SMALL" 2000 click 2042 \
  box "Success" "接続成功" 5000 click 1 no-box 300
drv main 1000 dialog "$F" 1000 click 2044 box "Success" "接続成功" 5000 click 1 no-box 300
drv main 1000 dialog "$F" 1000 close gone 3000

P="タイトル位置微調整"
drv main 1000 toolbar 40012 dialog "$P" 5000 caption "$P  " items 2061 16 items 2063 16 \
  text 2061 "08" text 2063 "08"
shot title-position main 1000 dialog "$P" 1000
drv main 1000 dialog "$P" 1000 choose 2061 15 wait-text 2061 "15" 2000 click 2062 \
  box "Success" "接続成功" 5000 click 1 no-box 300
drv main 1000 dialog "$P" 1000 choose 2063 0 wait-text 2063 "00" 2000 click 2064 \
  box "Success" "接続成功" 5000 click 1 no-box 300
# Escape (IDCANCEL) closes like "Close".
drv main 1000 dialog "$P" 1000 key 27 gone 3000

# Reopened, the dialogs show the edited values.
drv main 1000 menu 40009 dialog "$D" 5000 text 2023 "OFF" text 2021 "ON" click 2026 gone 3000
drv main 1000 menu 40012 dialog "$P" 5000 text 2061 "15" text 2063 "00" click 2066 gone 3000

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
drv main 1000 menu 40005 box "ファイルが変更されています。保存しますか？" "保存確認" 5000 click 7 \
  exited 5000 0
