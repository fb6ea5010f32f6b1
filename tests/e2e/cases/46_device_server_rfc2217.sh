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
AGC="オート・ゲイン・コントロール"
site_file "$work/site.dat"
start_sim --dump "$work/unit.dat"
ser2net_start "$RUN/com1" "$CASE_DIR" || fail "ser2net did not start"
write_ini "com_port=-" "port=rfc2217://127.0.0.1:$RFC"

start_program
program_up within 10000 status 2 "rfc2217://127.0.0.1:$RFC" status 0 "ﾚﾃﾞｨ"
open_dialog "$IDM_COMM_SETTINGS" "$COMM" checked "$IDC_COMM_USE_SERVER" 1 \
  checked "$IDC_COMM_USE_COM" 0 enabled "$IDC_COMM_PORT" 0 selection "$IDC_COMM_SERVER_KIND" 1 \
  text "$IDC_COMM_HOST" "127.0.0.1" text "$IDC_COMM_TCP_PORT" "$RFC" close gone 3000

open_dialog "$IDM_AGC" "$AGC" click "$IDC_AGC_SET" "${SUCCESS[@]}" no-box 300 \
  dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000
expect_frames <<'FRAMES'
RX AGCNNNNNNNNNNNNNNNN\r\n
TX GO\r\n
FRAMES

send_all_and_check site.dat "$work/site.dat" "$work/unit.dat" 2
read_all_and_check 112
save_as read
exit_unchanged
stop_ser2net
python3 "$E2E_ROOT/tests/e2e/settings_file.py" diff "$work/site.dat" "$work/read.dat" \
  --except videoAdjust.saturationV alarm.holdTimeText || fail "the file read differs from the file sent"
