# korvex7ctl.exe at a console and stopped: Japanese text reaches a console
# whole and the console's output code page is the same after the tool as
# before it (a later program of the same batch file reads its own text);
# output to a pipe is UTF-8. Ctrl+C in the middle of a write (Wine turns the
# SIGINT into the console's Ctrl+C) ends the tool with 130 and a message
# saying where it stopped.
work=$CASE_DIR/work
settings() { python3 "$E2E_ROOT/tests/e2e/settings_file.py" "$@"; }
settings write "$work/site.dat" alarm.mode=1 'title.text[0]=入口カメラ' \
  'videoAdjust.hue[6]=251' other.powerOnScreen=25

# A helper that prints the console's output code page (cross-built here).
printf '%s\n' '#include <windows.h>' '#include <stdio.h>' \
  'int main(void) { printf("output code page %u\n", GetConsoleOutputCP()); return 0; }' \
  >"$CASE_DIR/codepage.c"
x86_64-w64-mingw32-gcc -o "$work/codepage.exe" "$CASE_DIR/codepage.c" ||
  fail "cannot build the code page helper"
cp "$CTL" "$work/korvex7ctl.exe"

# At a console: Wine gives a program started on a terminal a console of its
# own; `script` gives it the terminal.
(cd "$work" && LANG=C.UTF-8 timeout 60 script -qec \
  "wine cmd /c 'codepage.exe & korvex7ctl.exe show site.dat title.text[0] & codepage.exe'" \
  /dev/null) >"$CASE_DIR/console.raw" 2>&1
sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g; s/\r//g' "$CASE_DIR/console.raw" >"$CASE_DIR/console.txt"
grep -q 'title.text\[0\]=入口カメラ' "$CASE_DIR/console.txt" ||
  fail "the title did not reach the console whole: $(cat "$CASE_DIR/console.txt")"
mapfile -t pages < <(grep -o 'code *page *[0-9]*' "$CASE_DIR/console.txt" | grep -o '[0-9]*$')
[ "${#pages[@]}" -eq 2 ] || fail "the code page helper did not run twice: $(cat "$CASE_DIR/console.txt")"
expect_eq "the console's output code page after korvex7ctl" "${pages[1]:-}" "${pages[0]:-x}"

# To a pipe: the UTF-8 bytes.
ctl_exe 0 show site.dat 'title.text[0]'
expect_eq "show to a pipe" "$(tr -d '\r' <"$CTL_OUT")" "title.text[0]=入口カメラ"

# Ctrl+C in a write, SIGINT to the tool's Wine process.
start_sim --reply-delay-ms 30
(cd "$work" && LD_PRELOAD=$SHIM exec wine korvex7ctl.exe \
  --no-progress --port COM1 write site.dat) >"$CASE_DIR/write.out" 2>"$CASE_DIR/write.err" &
writer=$!
wait_until --every 0.02 12 "ten commands" frames_at_least 10 RX || fail "the write did not start"
pid=$(pgrep -f 'korvex7ctl.exe --no-progress --port COM1 write' | head -1)
[ -n "$pid" ] && kill -INT "$pid"
rc=0
wait "$writer" || rc=$?
expect_eq "exit status of a write stopped by Ctrl+C" "$rc" 130
grep -qE 'stopped (at|while waiting for the answer to [A-Z0-9]+,) command [0-9]+ of 55: the unit holds part of the file' \
  "$CASE_DIR/write.err" || fail "no word of where the write stopped: $(cat "$CASE_DIR/write.err")"
stop_sims
