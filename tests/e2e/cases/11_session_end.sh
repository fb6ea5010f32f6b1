# Sign-out, shut-down and restarts for updates, as Windows asks every
# top-level window (WM_QUERYENDSESSION, then WM_ENDSESSION; the driver sends
# them). Nothing unsaved: the session may end. Unsaved settings: the end is
# held and the save prompt follows, over the dialog the operator was using;
# a second question while it is open is held without a second prompt;
# "Yes" saves through Save As and the next question lets the session end;
# "No" drops the changes. While a file command is open the end is held
# without a prompt. A session that goes on changes nothing; a session that
# ends stops the receive thread and closes the port.
start_sim
start_program
work=$CASE_DIR/work
program_up query-end-session 1 no-box 500

# A change in the AGC dialog, the dialog still open: held, and the prompt
# over the dialog.
open_dialog "$IDM_AGC" "$AGC" click "${AGC_OFF[1]}" within 3000 checked "${AGC_OFF[1]}" 1
drv main 1000 query-end-session 0 "${SAVE_PROMPT[@]}"
shot prompt-over-dialog main 1000 "${SAVE_PROMPT[@]}"
drv main 1000 query-end-session 0 "${SAVE_PROMPT[@]}" click "$IDYES" \
  dialog "$SAVE_AS_CAPTION" 5000 filename session click "$IDOK" gone 5000 no-box 1000
wait_for_file "$work/session.dat"
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$CASE_DIR/expected.dat" "agc.on[0]=0"
wait_same "$CASE_DIR/expected.dat" "$work/session.dat"
in_dialog "$AGC" click "$IDC_AGC_CLOSE" gone 3000
drv main 1000 query-end-session 1 no-box 500

# "No" drops the change: the next question lets the session end.
open_dialog "$IDM_AGC" "$AGC" click "${AGC_OFF[2]}" within 3000 checked "${AGC_OFF[2]}" 1 \
  click "$IDC_AGC_CLOSE" gone 3000
drv main 1000 query-end-session 0 "${SAVE_PROMPT[@]}" click "$IDNO" no-box 1000 \
  query-end-session 1 no-box 500

# During Save As (a file command that may save) the end is held, no prompt.
open_dialog "$IDM_AGC" "$AGC" click "${AGC_OFF[3]}" within 3000 checked "${AGC_OFF[3]}" 1 \
  click "$IDC_AGC_CLOSE" gone 3000
open_dialog "$IDM_FILE_SAVE_AS" "$SAVE_AS_CAPTION" 
drv main 1000 query-end-session 0 no-box 1000 dialog "$SAVE_AS_CAPTION" 1000 click "$IDCANCEL" \
  gone 3000 no-box 1000
drv main 1000 query-end-session 0 "${SAVE_PROMPT[@]}" click "$IDNO" no-box 1000

# pty_users: the processes but the simulator that have the unit's line open.
pty_users() {
  local pty pid fd sim
  pty=$(readlink -f "$RUN/com1")
  sim=$(last_sim_pid)
  for fd in /proc/[0-9]*/fd/*; do
    [ "$(readlink "$fd" 2>/dev/null)" = "$pty" ] || continue
    pid=${fd#/proc/}
    pid=${pid%%/*}
    [ "$pid" = "$sim" ] || echo "$pid"
  done | sort -u
}

# line_closed: no process but the simulator has the line open.
line_closed() { [ -z "$(pty_users)" ]; }

# The session goes on: the port stays open and answers.
drv main 1000 end-session 0
[ -n "$(pty_users)" ] || fail "nobody has the line open before the session ends"
open_dialog "$IDM_AGC" "$AGC" click "$IDC_AGC_SET" "${SUCCESS[@]}"
in_dialog "$AGC" click "$IDC_AGC_CLOSE" gone 3000

# The session ends: the line is closed once the program has handled it.
drv main 1000 end-session 1
wait_until 5 "the line to be closed" line_closed || true
[ -z "$(pty_users)" ] || fail "the line is still open after the session ended: $(pty_users)"
drv main 1000 alive
