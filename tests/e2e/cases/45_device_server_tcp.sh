# The program through a serial device server, raw TCP: Debian's ser2net on
# the simulator's pseudo-terminal. In 通信の設定 the operator chooses
# シリアルデバイスサーバー, TCP, host and port; "OK" stores "port" =
# "tcp://127.0.0.1:PORT" with "com_port" = "-" (an earlier version opens
# COM1) and connects; the status bar names the server. A dialog's "設定",
# a full send-all and a full read-all then put exactly the bytes of the COM1
# cases on the unit's line, and the file read back is the file sent.
work=$CASE_DIR/work
source "$E2E_ROOT/tests/support/ser2net.sh"
source "$E2E_ROOT/tests/e2e/device_server.sh"
COMM="通信の設定"
unit_behind_server

start_program
program_up status 2 "COM1"
open_dialog "$IDM_COMM_SETTINGS" "$COMM" checked "$IDC_COMM_USE_COM" 1 \
  checked "$IDC_COMM_USE_SERVER" 0 enabled "$IDC_COMM_HOST" 0 \
  click "$IDC_COMM_USE_SERVER" within 2000 enabled "$IDC_COMM_HOST" 1 enabled "$IDC_COMM_PORT" 0 \
  select "$IDC_COMM_SERVER_KIND" 0 set-text "$IDC_COMM_HOST" "127.0.0.1" \
  set-text "$IDC_COMM_TCP_PORT" "$RAW"
shot comm-settings-server main 1000 dialog "$COMM" 1000
in_dialog "$COMM" click "$IDC_COMM_OK" gone 3000 no-box 1000 \
  within 10000 status 0 "ﾚﾃﾞｨ" status 2 "tcp://127.0.0.1:$RAW"
wait_ini_value port "tcp://127.0.0.1:$RAW"
expect_eq "com_port" "$(ini_value com_port)" "-"
shot main-server main 1000

agc_set_goes_through

sent_and_read_back 2
