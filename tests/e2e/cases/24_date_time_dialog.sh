# The date and time dialog: the clock lists open on the computer's clock;
# each clock "設定" sends its list's selection ("31" as the day gives DSD31
# whatever the month), "30秒補正" sends TSA; the clock lists are not
# settings (Exit asks nothing); the display range and display are, and go
# out as TSDR8 and TSDOF.
start_sim
start_program
DT="日付・時刻の設定"
drv main 15000 no-box 1000
before=$(date +%Y-%m-%d-%H)
drv main 1000 menu 40020 dialog "$DT" 5000 caption "$DT  "
after=$(date +%Y-%m-%d-%H)
[ "$before" = "$after" ] || skip "the hour changed while the dialog opened"
IFS=- read -r y m d h <<<"$before"
drv main 1000 dialog "$DT" 1000 selection 2501 $((10#$y - 2000)) selection 2502 $((10#$m - 1)) \
  selection 2503 $((10#$d - 1)) selection 2504 $((10#$h)) \
  selection 2521 0 selection 2523 1 selection 2526 0 enabled 2526 0
shot dialog main 1000 dialog "$DT" 1000

drv main 1000 dialog "$DT" 1000 select 2502 1 select 2503 30 click 2513 \
  box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$DT" 1000 click 2525 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$DT" 1000 select 2501 16 click 2511 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$DT" 1000 select 2506 0 click 2516 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$DT" 1000 click 2527 gone 3000 menu 40005 exited 5000 0
expect_frames <<'FRAMES'
RX DSD31\r\n
TX GO\r\n
RX TSA\r\n
TX GO\r\n
RX DSY16\r\n
TX GO\r\n
RX TSS00\r\n
TX GO\r\n
FRAMES

start_program
drv main 15000 no-box 1000 menu 40020 dialog "$DT" 5000 select 2521 7 click 2522 \
  box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$DT" 1000 select 2523 0 click 2524 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$DT" 1000 close gone 3000
drv main 1000 menu 40005 box "ファイルが変更されています。保存しますか？" "保存確認" 5000 click 7 \
  exited 5000 0
[ "$(frames | tail -4 | paste -sd' ')" = 'RX TSDR8\r\n TX GO\r\n RX TSDOF\r\n TX GO\r\n' ] ||
  fail "display range and display: $(frames | tail -4 | paste -sd' ')"
