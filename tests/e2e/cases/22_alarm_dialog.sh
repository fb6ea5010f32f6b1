# The alarm dialog: opening puts the stored hold time into its box without
# counting as an edit (Exit asks nothing); the hold-time "設定" is enabled
# only for 1..999 written in digits; "07" goes out as typed, "ADT007";
# "外部" sends "AME"; after edits Exit asks to save.
start_sim
start_program
AL="アラームの設定"
drv main 15000 no-box 1000 menu 40006 dialog "$AL" 5000 caption "$AL  " \
  selection 2401 0 text 2403 "030" enabled 2404 1 selection 2405 0 selection 2407 1 \
  selection 2409 1 selection 2411 0 enabled 2411 0
shot dialog main 1000 dialog "$AL" 1000
drv main 1000 dialog "$AL" 1000 click 2412 gone 3000 menu 40005 exited 5000 0

start_program
drv main 15000 no-box 1000 toolbar 40006 dialog "$AL" 5000 \
  set-text 2403 "0" enabled 2404 0 \
  set-text 2403 "000" enabled 2404 0 \
  set-text 2403 "" enabled 2404 0 \
  set-text 2403 "5a" enabled 2404 0 \
  set-text 2403 "1" enabled 2404 1 \
  set-text 2403 "01" enabled 2404 1 \
  set-text 2403 "999" enabled 2404 1 \
  set-text 2403 "07" enabled 2404 1 text 2403 "07"
shot hold-time main 1000 dialog "$AL" 1000
drv main 1000 dialog "$AL" 1000 click 2404 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$AL" 1000 select 2401 1 click 2402 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$AL" 1000 select 2405 1 click 2406 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$AL" 1000 select 2407 0 click 2408 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$AL" 1000 select 2409 0 click 2410 box "Success" "接続成功" 5000 click 1
expect_frames <<'FRAMES'
RX ADT007\r\n
TX GO\r\n
RX AME\r\n
TX GO\r\n
RX APB\r\n
TX GO\r\n
RX ADOF\r\n
TX GO\r\n
RX AROF\r\n
TX GO\r\n
FRAMES

# The edit kept "07"; reopened, the box shows it.
drv main 1000 dialog "$AL" 1000 close gone 3000 menu 40006 dialog "$AL" 5000 text 2403 "07" \
  enabled 2404 1 selection 2401 1 click 2412 gone 3000
drv main 1000 menu 40005 box "ファイルが変更されています。保存しますか？" "保存確認" 5000 click 7 \
  exited 5000 0
