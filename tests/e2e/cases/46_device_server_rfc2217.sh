# The program through a serial device server with RFC 2217: ser2net sets the
# line to 9600 baud, 8 data bits, even parity at the program's request. The
# profile names the server ("com_port" "-", "port" "rfc2217://..."): the
# program connects at start without a message, the status bar names the
# server and 通信の設定 shows it chosen. A dialog's "設定", a full send-all
# and a full read-all put exactly the bytes of the COM1 cases on the line.
work=$CASE_DIR/work
source "$E2E_ROOT/tests/support/ser2net.sh"
source "$E2E_ROOT/tests/e2e/device_server.sh"
COMM="通信の設定"
unit_behind_server
write_ini "com_port=-" "port=rfc2217://127.0.0.1:$RFC"

start_program
program_up within 10000 status 2 "rfc2217://127.0.0.1:$RFC" status 0 "ﾚﾃﾞｨ"
open_dialog "$IDM_COMM_SETTINGS" "$COMM" checked "$IDC_COMM_USE_SERVER" 1 \
  checked "$IDC_COMM_USE_COM" 0 enabled "$IDC_COMM_PORT" 0 selection "$IDC_COMM_SERVER_KIND" 1 \
  text "$IDC_COMM_HOST" "127.0.0.1" text "$IDC_COMM_TCP_PORT" "$RFC" close gone 3000

agc_set_goes_through

sent_and_read_back 2
