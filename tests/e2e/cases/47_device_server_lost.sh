# A device server that is not there, goes away and comes back, and ports of
# the wrong kind. The server is off at start: one message box, then the
# status bar says the program waits; switched on, the program connects by
# itself and says so, and a "設定" is acknowledged. Switched off while in
# use: shown once in the status bar, no message box, a "設定" ends in "No
# Connect"; switched on again: connected by itself. A Telnet (RFC 2217) port
# given as raw TCP, and a Telnet port without the com-port option given as
# RFC 2217, are each named in one message box at connect; while a server
# keeps the negotiation waiting, the window answers.
source "$E2E_ROOT/tests/support/ser2net.sh"
source "$E2E_ROOT/tests/e2e/device_server.sh"
COMM="通信の設定"
start_sim
ser2net_start "$RUN/com1" "$CASE_DIR" || fail "ser2net did not start"
stop_ser2net
SERVER="tcp://127.0.0.1:$RAW"
write_ini "com_port=-" "port=$SERVER"

# Not there at start.
start_program
drv main 15000 box "$SERVER に接続できません。シリアルデバイスサーバーの電源、アドレスとポート番号を確認してください。\n\n$SERVER: cannot connect: Connection refused. (10061)" \
  "エラー" 10000 click "$IDOK" no-box 1000 \
  status 0 "$SERVER に接続できません。接続を待っています" status 2 "$SERVER"
shot server-absent main 1000

# Switched on: connected by itself.
ser2net_again
drv main 1000 within 10000 status 0 "$SERVER に再接続しました" no-box 500
agc_set_goes_through

# Switched off while in use, and on again.
stop_ser2net
drv main 1000 within 5000 status 0 "$SERVER との接続が切れました。再接続を待っています" no-box 1000
open_dialog "$IDM_AGC" "$AGC" click "$IDC_AGC_SET" box "No Connect" "接続失敗" 5000 \
  click "$IDOK" no-box 1000 dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000
drv main 1000 status 0 "$SERVER との接続が切れました。再接続を待っています"
ser2net_again
drv main 1000 within 10000 status 0 "$SERVER に再接続しました" no-box 500
open_dialog "$IDM_AGC" "$AGC" click "$IDC_AGC_SET" "${SUCCESS[@]}" no-box 300 \
  dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000
expect_eq "frames" "$(frames | wc -l)" 4

# The RFC 2217 port given as raw TCP.
open_dialog "$IDM_COMM_SETTINGS" "$COMM" checked "$IDC_COMM_USE_SERVER" 1 \
  set-text "$IDC_COMM_TCP_PORT" "$RFC" click "$IDC_COMM_OK" gone 3000 \
  box "tcp://127.0.0.1:$RFC は Telnet (RFC 2217) のポートです。種類に RFC 2217 を選んでください。" \
  "エラー" 10000 click "$IDOK" no-box 500 \
  status 0 "tcp://127.0.0.1:$RFC に接続できません。接続を待っています"

# The Telnet port without the com-port option given as RFC 2217.
open_dialog "$IDM_COMM_SETTINGS" "$COMM" select "$IDC_COMM_SERVER_KIND" 1 \
  set-text "$IDC_COMM_TCP_PORT" "$TELNET" click "$IDC_COMM_OK" gone 3000 \
  box "rfc2217://127.0.0.1:$TELNET は RFC 2217 の回線制御に応じません。種類に TCP を選ぶか、サーバーの設定を確認してください。" \
  "エラー" 10000 click "$IDOK" no-box 500 \
  status 0 "rfc2217://127.0.0.1:$TELNET に接続できません。接続を待っています" \
  status 2 "rfc2217://127.0.0.1:$TELNET"
expect_eq "frames" "$(frames | wc -l)" 4

# A server that takes the connection and never answers the negotiation: the
# window answers while the program waits (the status bar says so), then the
# one box.
python3 -c '
import os, socket, sys, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(1)
open(sys.argv[1] + ".tmp", "w").write(str(s.getsockname()[1]))
os.rename(sys.argv[1] + ".tmp", sys.argv[1])
c, _ = s.accept(); time.sleep(60)' "$CASE_DIR/mute.port" &
mute_pid=$!
wait_for_file "$CASE_DIR/mute.port"
MUTE=rfc2217://127.0.0.1:$(cat "$CASE_DIR/mute.port")
open_dialog "$IDM_COMM_SETTINGS" "$COMM" set-text "$IDC_COMM_TCP_PORT" "${MUTE##*:}" \
  click "$IDC_COMM_OK" gone 3000 within 2000 status 0 "$MUTE に接続しています..." \
  box "$MUTE は RFC 2217 の回線制御に応じません。種類に TCP を選ぶか、サーバーの設定を確認してください。" \
  "エラー" 10000 click "$IDOK" no-box 500
kill "$mute_pid"
wait "$mute_pid" 2>/dev/null || true
exit_unchanged
stop_ser2net
