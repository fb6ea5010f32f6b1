# The program's serial link (profile file, port, receive thread, reply path
# and status decision, without the windows) against the simulator: RS-232C
# frames are bare, RS-485 frames from a profile with "control=1" carry the
# unit address, a broadcast goes out with "FF" and is not answered, another
# unit's address gets no answer and ends in "No Connect".
check() {
  wine_run "$LINK_CHECK" "$@" 2>>"$CASE_DIR/link-check.err"
}

# RS-232C, no profile file.
start_sim
out=$(check "AGCNNNNNNNNNNNNNNNN" "RAM")
expect_eq "RS-232C exchange" "$out" "profile: com_port=0 control=0
sent: AGCNNNNNNNNNNNNNNNN\\r\\n
line: GO\\r\\n
status: Success / 接続成功
sent: RAM\\r\\n
line: AMI\\r\\n
status: Success / 接続成功"
expect_frames <<'FRAMES'
RX AGCNNNNNNNNNNNNNNNN\r\n
TX GO\r\n
RX RAM\r\n
TX AMI\r\n
FRAMES
stop_sims

# RS-485 from the profile file, unit 05 on the line.
write_ini "control=1"
start_sim --address 05 --log "$CASE_DIR/sim485.log"
out=$(check --address 05 "AGCNNNNNNNNNNNNNNNN")
expect_eq "RS-485 exchange" "$out" "profile: com_port=0 control=1
sent: 05AGCNNNNNNNNNNNNNNNN\\r\\n
line: 05GO\\r\\n
status: Success / 接続成功"
out=$(check --address FF "AGCFFFFFFFFFFFFFFFF")
expect_eq "broadcast" "$out" "profile: com_port=0 control=1
sent: FFAGCFFFFFFFFFFFFFFFF\\r\\n"
out=$(check --address 03 "RAM")
expect_eq "another unit's address" "$out" "profile: com_port=0 control=1
sent: 03RAM\\r\\n
status: No Connect / 接続失敗"
expect_frames "$CASE_DIR/sim485.log" <<'FRAMES'
RX 05AGCNNNNNNNNNNNNNNNN\r\n
TX 05GO\r\n
RX FFAGCFFFFFFFFFFFFFFFF\r\n (broadcast, applied)
RX 03RAM\r\n (not for this unit)
FRAMES
stop_sims

# Replies delivered byte by byte are assembled into one line.
write_ini "control=0"
start_sim --chunked --log "$CASE_DIR/sim-chunked.log"
out=$(check "RAM")
expect_eq "chunked reply" "$out" "profile: com_port=0 control=0
sent: RAM\\r\\n
line: AMI\\r\\n
status: Success / 接続成功"
