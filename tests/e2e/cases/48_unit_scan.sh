# ユニット検索 in 通信の設定, over the port chosen there. The program uses
# COM1 (an echoing RS-485 line, unit 05 with its keys locked); a second
# line with units 02, 09 and 17 at 9600 baud is behind ser2net. Chosen in
# the dialog without "OK", the device server is opened for the search alone:
# every address 00..31 asked once, in turn, within 4 s, the three units
# listed, the profile unchanged. Over COM1, in use: unit 05 listed with its
# state, the echo skipped and said. On a silent line: no unit.
source "$E2E_ROOT/tests/support/ser2net.sh"
source "$E2E_ROOT/tests/e2e/device_server.sh"
COMM="通信の設定"
SCAN="ユニット検索"
start_sim --address 05 --echo --status LOCK --log "$CASE_DIR/sim-echo.log"
echo_sim=$(last_sim_pid)
start_sim --pty "$RUN/line2" --address 02,09,17 --line-rate 9600 --log "$CASE_DIR/sim-line2.log"
ser2net_start "$RUN/line2" "$CASE_DIR" || fail "ser2net did not start"
SERVER="tcp://127.0.0.1:$RAW"
write_ini "control=1"
profile=$(cat "$(ini_file)")

start_program
program_up status 0 "ﾚﾃﾞｨ" status 2 "COM1"
open_dialog "$IDM_COMM_SETTINGS" "$COMM" click "$IDC_COMM_USE_SERVER" \
  within 2000 enabled "$IDC_COMM_HOST" 1 set-text "$IDC_COMM_HOST" 127.0.0.1 \
  set-text "$IDC_COMM_TCP_PORT" "$RAW"
scan_in_dialog "$SERVER" 32
shot unit-scan main 1000 dialog "$SCAN" 1000
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
expect_eq "frames on the second line" "$(frames "$CASE_DIR/sim-line2.log")" "${want%$'\n'}"
scan_close
stop_ser2net
expect_eq "frames on COM1 meanwhile" "$(frames "$CASE_DIR/sim-echo.log")" ""
drv main 1000 status 2 "COM1"

# COM1, in use: an echoing line, unit 05 with its keys locked.
open_dialog "$IDM_COMM_SETTINGS" "$COMM"
scan_in_dialog COM1 32
expect_eq "units on an echoing line" "$SCAN_RESULT" "応答したユニット: 1 台
  05  キーロック中 (Lock Display)
回線が問い合わせをそのまま返しています (エコー 32 回、読み飛ばしました)。"
scan_close

# A silent line.
stop_sim "$echo_sim"
start_sim --address 05 --silent --log "$CASE_DIR/sim-silent.log"
drv main 1000 within 10000 status 0 "COM1 に再接続しました"
open_dialog "$IDM_COMM_SETTINGS" "$COMM"
scan_in_dialog COM1 32
expect_eq "units on a silent line" "$SCAN_RESULT" "応答したユニットはありません。"
expect_eq "queries on the silent line" "$(frames "$CASE_DIR/sim-silent.log" | grep -c '^RX')" 32
scan_close

expect_eq "profile" "$(cat "$(ini_file)")" "$profile"
exit_unchanged
