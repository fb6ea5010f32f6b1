# ユニット検索 in 通信の設定. Through ser2net (raw TCP) on an RS-485 line at
# 9600 baud with units 02, 09 and 17: every address 00..31 asked once, in
# turn, within 4 s; the three units listed. On COM1 with an echoing line
# and a unit whose keys are locked: the unit listed with its state, the
# echo skipped and said. On a silent line: no unit. No setting changes.
source "$E2E_ROOT/tests/support/ser2net.sh"
source "$E2E_ROOT/tests/e2e/device_server.sh"
COMM="通信の設定"
start_sim --address 02,09,17 --line-rate 9600
ser2net_start "$RUN/com1" "$CASE_DIR" || fail "ser2net did not start"
SERVER="tcp://127.0.0.1:$RAW"
write_ini "com_port=-" "port=$SERVER" "control=1"
profile=$(cat "$(ini_file)")

start_program
program_up within 10000 status 0 "ﾚﾃﾞｨ"
scan_result "$SERVER" 32
shot unit-scan main 1000 dialog "ユニット検索" 1000
expect_eq "units" "$SCAN_RESULT" "応答したユニット: 3 台
  02  応答あり
  09  応答あり
  17  応答あり"
note "ユニット検索 of 32 addresses through ser2net at 9600 baud: $SCAN_MS ms"
[ "$SCAN_MS" -le 4000 ] || fail "ユニット検索 took $SCAN_MS ms"
want=""
for a in $(seq -w 0 31); do
  case $a in
    02 | 09 | 17) want+="RX ${a}RAM\\r\\n"$'\n'"TX ${a}AMI\\r\\n"$'\n' ;;
    *) want+="RX ${a}RAM\\r\\n (not for this unit)"$'\n' ;;
  esac
done
expect_eq "frames" "$(frames)" "${want%$'\n'}"
scan_close
stop_ser2net

# COM1: an echoing line, unit 05 with its keys locked.
stop_sims
start_sim --address 05 --echo --status LOCK --log "$CASE_DIR/sim-echo.log"
open_dialog "$IDM_COMM_SETTINGS" "$COMM" click "$IDC_COMM_USE_COM" \
  within 2000 enabled "$IDC_COMM_PORT" 1 selection "$IDC_COMM_PORT" 0 \
  click "$IDC_COMM_OK" gone 3000 no-box 1000 within 10000 status 0 "ﾚﾃﾞｨ" status 2 "COM1"
scan_result COM1 32
expect_eq "units on an echoing line" "$SCAN_RESULT" "応答したユニット: 1 台
  05  キーロック中 (Lock Display)
回線が問い合わせをそのまま返しています (エコー 32 回、読み飛ばしました)。"
scan_close

# A silent line.
stop_sims
start_sim --address 05 --silent --log "$CASE_DIR/sim-silent.log"
drv main 1000 within 10000 status 0 "COM1 に再接続しました"
scan_result COM1 32
expect_eq "units on a silent line" "$SCAN_RESULT" "応答したユニットはありません。"
expect_eq "queries on the silent line" "$(frames "$CASE_DIR/sim-silent.log" | grep -c '^RX')" 32
scan_close

# Nothing stored but the port chosen above.
expect_eq "profile" "$(ini_value control)" "1"
exit_unchanged
