# Helpers for the end-to-end cases (sourced by run_e2e.sh and by each case).
#
# A case is a bash script run with `set -euo pipefail`; the first failing
# command fails the case. It starts the simulator and the program, drives the
# program with `drv` (korvex7-e2e-driver.exe under the same Wine prefix) and
# checks the frames the simulator logged. Controls and commands are named by
# the identifiers of win/resources/resource.h, read below into variables of
# the same names; the steps the cases share (a dialog opened from its menu,
# the "Success" box, Open, Save As, Exit) are the helpers below `drv`.
# `skip REASON` ends a case as skipped. Everything a case leaves (logs, the program's working folder) is
# under $CASE_DIR; screenshots go to $SHOTS.
#
# Environment set by run_e2e.sh: E2E_ROOT, NATIVE_BUILD, WIN_BUILD, RUN (the
# run folder with the COM links and the prefix), CASE, CASE_DIR, SHOTS, SIM,
# EXE, DRIVER, LINK_CHECK, SHIM, DISPLAY, WINEPREFIX, TMPDIR, WINEDEBUG,
# WINEDLLOVERRIDES, LC_ALL.

# Ends the case as failed with a message.
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Ends the case as skipped.
skip() {
  echo "SKIP: $*" >&2
  exit 77
}

note() { echo "  $*" >&2; }

source "$E2E_ROOT/scripts/e2e/lane.sh"

# ---- Identifiers of the program's controls and commands --------------------

# Every "#define NAME NUMBER" of win/resources/resource.h as a shell variable
# of that name, read once: IDM_FILE_EXIT (40005), IDC_AGC_SET (1048) ...
while read -r _name _value; do
  printf -v "$_name" '%s' "$_value"
done < <(awk '$1 == "#define" && $3 ~ /^-?[0-9]+$/ { print $2, $3 }' \
  "$E2E_ROOT/win/resources/resource.h")
unset _name _value
[ -n "${IDM_FILE_EXIT:-}" ] || fail "no identifiers read from win/resources/resource.h"

# The standard buttons of message boxes and of the file dialogs (winuser.h)
# and the keys the cases press.
IDOK=1
IDCANCEL=2
IDYES=6
IDNO=7
VK_RETURN=13
VK_ESCAPE=27

# The controls of each channel 1..16 (resource.h defines each channel's id:
# IDC_AGC_ON_5 ...), and those resource.h numbers from a first id, by screen
# 1..16, by clock list and by adjustment row:
#   AGC_ON[ch] AGC_OFF[ch]                 the AGC dialog's radio buttons
#   VIDEO_LOSS_ON[ch] VIDEO_LOSS_OFF[ch]   the video loss dialog's
#   VIDEO_FORMAT_LIST[ch] VIDEO_FORMAT_SET[ch]
#   SPLIT_SCREEN_BOX[k] SPLIT_SCREEN_LIST[k]
#   CLOCK_LIST[FIELD] CLOCK_SET[FIELD]     FIELD: year month day hour minute second
#   VIDEO_ADJUST_LIST[ROW] VIDEO_ADJUST_SET[ROW]
#                                          ROW: brightness contrast hue sharpness saturation
declare -ga AGC_ON AGC_OFF VIDEO_LOSS_ON VIDEO_LOSS_OFF VIDEO_FORMAT_LIST VIDEO_FORMAT_SET \
  SPLIT_SCREEN_BOX SPLIT_SCREEN_LIST
declare -gA CLOCK_LIST CLOCK_SET VIDEO_ADJUST_LIST VIDEO_ADJUST_SET
for _n in $(seq 1 16); do
  for _array in AGC_ON AGC_OFF VIDEO_LOSS_ON VIDEO_LOSS_OFF VIDEO_FORMAT_LIST VIDEO_FORMAT_SET; do
    _id=IDC_${_array}_$_n
    [ -n "${!_id:-}" ] || fail "resource.h defines no $_id"
    printf -v "$_array[$_n]" '%s' "${!_id}"
  done
  SPLIT_SCREEN_BOX[_n]=$((IDC_SPLIT_SCREEN_BOX + _n - 1))
  SPLIT_SCREEN_LIST[_n]=$((IDC_SPLIT_SCREEN_LIST + _n - 1))
done
_n=0
for _field in year month day hour minute second; do
  CLOCK_LIST[$_field]=$((IDC_DATE_TIME_CLOCK + _n))
  CLOCK_SET[$_field]=$((IDC_DATE_TIME_CLOCK_SET + _n))
  _n=$((_n + 1))
done
_n=0
for _field in brightness contrast hue sharpness saturation; do
  VIDEO_ADJUST_LIST[$_field]=$((IDC_VIDEO_ADJUST_LIST + _n))
  VIDEO_ADJUST_SET[$_field]=$((IDC_VIDEO_ADJUST_SET + _n))
  _n=$((_n + 1))
done
unset _n _array _id _field

# Runs Wine with the test library that makes a pty behave as a serial line.
wine_run() {
  LD_PRELOAD=$SHIM wine "$@"
}

# case_begin: called by the runner before the case: starts the driver, which
# then takes every drv request of the case (one Wine start per case).
case_begin() {
  local to=$CASE_DIR/driver.in from=$CASE_DIR/driver.out
  rm -f "$to" "$from"
  mkfifo "$to" "$from"
  wine_run "$DRIVER" --serve <"$to" >"$from" 2>>"$CASE_DIR/driver.err" &
  DRIVER_PID=$!
  exec {DRV_IN}>"$to" {DRV_OUT}<"$from"
}

# case_end: called by the runner when the case is over, however it ended:
# ends the driver and the simulators. Fails when a simulator did not end
# cleanly.
case_end() {
  local rc=0
  if [ -n "${DRV_IN:-}" ]; then
    exec {DRV_IN}>&- {DRV_OUT}<&-
    DRV_IN=
  fi
  stop_sims || rc=1
  return $rc
}

# drv_try STEP...: runs the driver's steps; prints what they printed; on a
# failed step prints its reason on standard error and returns 1.
drv_try() {
  local line n=$#
  [ -n "${DRV_IN:-}" ] || { echo "FAIL: no driver" >&2; return 1; }
  { printf '%d\n' "$n"; [ "$n" -eq 0 ] || printf '%s\0' "$@"; } >&"$DRV_IN"
  while IFS= read -r line <&"$DRV_OUT"; do
    if [[ $line == $'\x1e'* ]]; then
      line=${line#$'\x1e'}
      [ "${line%% *}" = 0 ] && return 0
      echo "FAIL: ${line#* }" >&2
      return 1
    fi
    printf '%s\n' "$line"
  done
  echo "FAIL: the driver ended ($(tail -3 "$CASE_DIR/driver.err" 2>/dev/null | tr '\n' ' '))" >&2
  return 1
}

# drv STEP...: the same; a failed step fails the case.
drv() {
  drv_try "$@" || fail "driver: $*"
}

# ---- Driver steps the cases share -------------------------------------------

# The caption of the AGC dialog, the one most cases open.
AGC="オート・ゲイン・コントロール"

# Step lists to put into a drv request, as "${SUCCESS[@]}":
# the unit's acknowledgement of a command, shown and dismissed;
SUCCESS=(box "Success" "接続成功" 5000 click "$IDOK")
# the unsaved-changes prompt (New, Open, Exit, the window close), left open;
SAVE_PROMPT=(box "ファイルが変更されています。保存しますか？" "保存確認" 5000)
# the five messages of a port that cannot be opened, in order, each dismissed.
PORT_MISSES=(box "Miss! File Open" "Error" 5000 click "$IDOK"
  box "Miss! Mask Set" "Error" 3000 click "$IDOK"
  box "Miss! Buffer Set" "Error" 3000 click "$IDOK"
  box "Miss! Time Out Set" "Error" 3000 click "$IDOK"
  box "Miss! Set Comm State" "Error" 3000 click "$IDOK")

# The captions of the file dialogs.
OPEN_CAPTION="ファイルを開く"
SAVE_AS_CAPTION="名前を付けて保存"

# program_up [STEP...]: the program's main window is up and shows no message
# box for a second; then the steps.
program_up() { drv main 15000 no-box 1000 "$@"; }

# in_dialog CAPTION STEP...: the steps on the program's open dialog whose
# caption starts with CAPTION.
in_dialog() {
  local caption=$1
  shift
  drv main 1000 dialog "$caption" 1000 "$@"
}

# open_dialog COMMAND CAPTION [STEP...]: the menu command opens the dialog;
# then the steps on it.
open_dialog() {
  local command=$1 caption=$2
  shift 2
  drv main 1000 menu "$command" dialog "$caption" 5000 "$@"
}

# toolbar_dialog COMMAND CAPTION [STEP...]: the same through the toolbar
# button that sends COMMAND.
toolbar_dialog() {
  local command=$1 caption=$2
  shift 2
  drv main 1000 toolbar "$command" dialog "$caption" 5000 "$@"
}

# open_file NAME: "Open" of NAME (in the working folder); the dialog closes
# and no message follows.
open_file() {
  drv main 1000 menu "$IDM_FILE_OPEN" dialog "$OPEN_CAPTION" 5000 filename "$1" click "$IDOK" \
    gone 5000 no-box 500
}

# save_as NAME: "Save As" to NAME (".dat" added); the dialog closes and no
# message follows.
save_as() {
  drv main 1000 menu "$IDM_FILE_SAVE_AS" dialog "$SAVE_AS_CAPTION" 5000 filename "$1" \
    click "$IDOK" gone 5000 no-box 500
}

# exit_unchanged [MS]: "Exit" with nothing to save: no prompt (nor any other
# box within MS, 500), the program ends with code 0.
exit_unchanged() {
  drv main 1000 menu "$IDM_FILE_EXIT" no-box "${1:-500}" exited 5000 0
}

# exit_discarding: "Exit" with changes: the save prompt, "No", the program
# ends with code 0.
exit_discarding() {
  drv main 1000 menu "$IDM_FILE_EXIT" "${SAVE_PROMPT[@]}" click "$IDNO" exited 5000 0
}

# exit_saving_as NAME: "Exit" with changes of an untitled document: the save
# prompt, "Yes", Save As to NAME, the program ends with code 0.
exit_saving_as() {
  drv main 1000 menu "$IDM_FILE_EXIT" "${SAVE_PROMPT[@]}" click "$IDYES" \
    dialog "$SAVE_AS_CAPTION" 5000 filename "$1" click "$IDOK" exited 5000 0
}

# start_sim [OPTION...]: the simulator on COM1 (RUN/com1), logging to
# CASE_DIR/sim.log. A second call with --pty and --log of its own starts
# another one.
start_sim() {
  local pty=$RUN/com1 log=$CASE_DIR/sim.log args=()
  while [ $# -gt 0 ]; do
    case $1 in
      --pty) pty=$2; shift 2 ;;
      --log) log=$2; shift 2 ;;
      *) args+=("$1"); shift ;;
    esac
  done
  rm -rf "$pty"
  local started=0
  launch_sim "$pty" "$CASE_DIR/sim.out" --log "$log" "${args[@]}" || started=$?
  echo "$SIM_PID sim" >>"$CASE_DIR/pids"
  [ "$started" -eq 0 ] || fail "the simulator did not create $pty"
}

# stop_sims: ends the simulators (and babblers) of the case; fails when one
# did not end cleanly (see stop_sim).
stop_sims() {
  local pid kind rc=0
  [ -f "$CASE_DIR/pids" ] || return 0
  while read -r pid kind; do
    stop_sim "$pid" || rc=1
  done < <(cat "$CASE_DIR/pids")
  rm -f "$CASE_DIR/pids"
  if grep -qE 'ERROR: (Address|Leak|UndefinedBehavior)Sanitizer|runtime error:' "$CASE_DIR/sim.out" 2>/dev/null; then
    echo "FAIL: sanitizer report from the simulator (sim.out):" >&2
    grep -A20 -E 'ERROR: |runtime error:' "$CASE_DIR/sim.out" | head -40 >&2
    rc=1
  fi
  return $rc
}

# last_sim_pid: the process id of the simulator (or babbler) started last.
last_sim_pid() { tail -1 "$CASE_DIR/pids" | cut -d' ' -f1; }

# stop_sim PID: ends one simulator with SIGTERM. SIGCONT goes to it only when
# it is stopped (signal_sim STOP): SIGCONT discards a stop signal still
# pending, and the leak checker of the sanitizer build stops the process with
# one at its exit, so a SIGCONT arriving then leaves the checker's tracer
# waiting for ever while the simulator spins. The simulator must end within
# 5 s, with status 0; otherwise its stacks are kept in stacks.txt, it is
# killed and this fails.
stop_sim() {
  local pid=$1 kind state status=0
  kind=$(sed -n "s/^$pid //p" "$CASE_DIR/pids" 2>/dev/null)
  sed -i "/^$pid /d" "$CASE_DIR/pids" 2>/dev/null
  state=$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null) || return 0
  kill -TERM "$pid" 2>/dev/null || true
  [ "$state" != T ] || kill -CONT "$pid" 2>/dev/null || true
  if ! wait_until 5 "process $pid to end" process_ended "$pid" 2>/dev/null; then
    echo "FAIL: ${kind:-process} $pid did not end within 5 s of SIGTERM; stacks in $CASE_DIR/stacks.txt" >&2
    dump_stacks "$CASE_DIR/stacks.txt" "$pid"
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    return 1
  fi
  wait "$pid" 2>/dev/null || status=$?
  if [ "$kind" = sim ] && [ "$status" -ne 0 ] && [ "$status" -ne 127 ]; then
    echo "FAIL: simulator $pid ended with status $status" >&2
    return 1
  fi
}

# process_ended PID: the process has ended (gone, or a zombie not yet
# waited for).
process_ended() {
  local state
  state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 0
  [ -z "$state" ] || [ "$state" = Z ]
}

# signal_sim SIGNAL: sends SIGNAL to the simulator started last: STOP makes
# the unit fall silent mid-exchange (its answers come once it gets CONT),
# KILL ends it at once and closes its pty under the program.
signal_sim() {
  local pid
  pid=$(last_sim_pid)
  kill -"$1" "$pid"
  if [ "$1" = KILL ]; then
    wait "$pid" 2>/dev/null || true
    sed -i "/^$pid /d" "$CASE_DIR/pids"
  fi
}

# wait_for_file PATH [SECONDS]: waits until PATH exists (the program saves
# into a temporary file and moves it into place, so the name appears with
# its whole content); fails the case after SECONDS (10).
wait_for_file() {
  wait_until "${2:-10}" "$1" test -e "$1" || fail "$1 was not written"
}

# wait_same EXPECTED PATH [SECONDS]: waits until PATH holds exactly the bytes
# of EXPECTED (a file that is replaced, or the simulator's dump that follows
# the unit's settings); fails after SECONDS (10) naming the fields that differ.
wait_same() {
  wait_until "${3:-10}" "$2 to hold $1" cmp -s "$1" "$2" && return 0
  python3 "$E2E_ROOT/tests/e2e/settings_file.py" diff "$1" "$2" >&2 || true
  fail "$2 does not hold the content of $1"
}

# start_babbler LINE PERIOD_MS COUNT: on COM1, in place of the unit, a device
# that sends LINE (CR LF added) COUNT times, one every PERIOD_MS ms, unasked,
# once it gets SIGUSR1 (signal_sim USR1); silent before and after
# (tests/e2e/line_babbler.py). Ended with the simulators.
start_babbler() {
  local pty=$RUN/com1
  rm -rf "$pty"
  python3 "$E2E_ROOT/tests/e2e/line_babbler.py" "$pty" "$@" >>"$CASE_DIR/babbler.out" 2>&1 &
  echo "$! babbler" >>"$CASE_DIR/pids"
  wait_until 5 "the babbler to make $pty" test -L "$pty" || fail "the babbler did not create $pty"
}

# wait_babbler_done: waits until the babbler has sent all its lines (30 s).
wait_babbler_done() {
  wait_until 30 "the babbler's last line" grep -q '^sent ' "$CASE_DIR/babbler.out" ||
    fail "the babbler did not send its lines"
}

# A COM port that cannot be opened: the link names a folder.
absent_port() {
  rm -rf "$RUN/$1"
  mkdir -p "$RUN/$1"
}

# start_program: KORVEX7.exe in the background, working folder CASE_DIR/work.
# Sets PROGRAM_PID.
start_program() {
  (cd "$CASE_DIR/work" && LD_PRELOAD=$SHIM exec wine "$EXE") >>"$CASE_DIR/program.out" 2>&1 &
  PROGRAM_PID=$!
}

# The frames the simulator logged, without their time stamps.
frames() {
  local log=${1:-$CASE_DIR/sim.log}
  [ -f "$log" ] || return 0
  cut -d' ' -f3- "$log"
}

# expect_frames [LOG] <<EOF ... EOF: the log holds exactly these frames.
expect_frames() {
  local want got
  want=$(cat)
  got=$(frames "$@")
  if [ "$got" != "$want" ]; then
    echo "frames logged by the simulator:" >&2
    printf '%s\n' "$got" | sed 's/^/    /' >&2
    echo "expected:" >&2
    printf '%s\n' "$want" | sed 's/^/    /' >&2
    fail "unexpected frames"
  fi
}

# agc_set_goes_through [LOG]: the AGC dialog's Set as it opens, "Success"
# and the dialog closed; the simulator logging LOG (the case's own unless
# given) took the AGC frame and answered GO, and nothing else.
agc_set_goes_through() {
  open_dialog "$IDM_AGC" "$AGC" click "$IDC_AGC_SET" "${SUCCESS[@]}" no-box 300 \
    dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000
  expect_frames "$@" <<'FRAMES'
RX AGCNNNNNNNNNNNNNNNN\r\n
TX GO\r\n
FRAMES
}

# wait_settings_same A B [--except PREFIX...]: waits until the settings files
# A and B agree field for field, but for the fields excepted (the simulator's
# dump follows each command the unit takes); fails after 10 s naming the
# fields that differ.
wait_settings_same() {
  wait_until 10 "$2 to agree with $1" \
    python3 "$E2E_ROOT/tests/e2e/settings_file.py" diff "$@" >/dev/null 2>&1 && return 0
  python3 "$E2E_ROOT/tests/e2e/settings_file.py" diff "$@" >&2 || true
  fail "$2 does not agree with $1"
}

# wait_frames COUNT [SECONDS]: waits until the log holds COUNT frames; fails
# the case after SECONDS (10).
wait_frames() {
  local count=$1 limit=${2:-10}
  wait_until "$limit" "$count frames" frames_at_least "$count" 2>/dev/null && return 0
  frames | sed 's/^/    /' >&2
  fail "the simulator logged fewer than $count frames within ${limit}s"
}

# frames_at_least COUNT [DIRECTION]: the simulator's log holds COUNT frames
# or more (those of DIRECTION, RX or TX, when given).
frames_at_least() { [ "$(frames | grep -c "^${2:-}")" -ge "$1" ]; }

# expect_clock_ticks: the clock in the status bar shows a time and moves on
# (within 5 s).
expect_clock_ticks() {
  local first now
  first=$(drv main 1000 print-status 1)
  [[ $first =~ ^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]$ ]] || fail "clock shows '$first'"
  wait_until 5 "the clock to move on" clock_moved_from "$first" 2>/dev/null || true
  now=$(drv main 1000 print-status 1)
  [[ $now =~ ^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]$ ]] || fail "clock shows '$now'"
  [ "$now" != "$first" ] || fail "the clock stands at $first"
}

# clock_moved_from TIME: the status bar's clock shows another time.
clock_moved_from() { [ "$(drv main 1000 print-status 1)" != "$1" ]; }

# main_up_at_96_dpi: the simulator and the program started, the main window
# up at 96 DPI with its layout there (kept in at96, for the way back) and its
# screenshot "before".
main_up_at_96_dpi() {
  start_sim
  start_program
  program_up main-fits
  at96="window 961 141 client 955 97 buttons 68 61 status 20 parts 683 783 961"
  expect_eq "at 96 DPI" "$(drv main 1000 print-main-layout)" "$at96"
  shot_main before
}

# expect_same_but_clock BEFORE AFTER: the main window's screenshots BEFORE
# and AFTER of the case are the same but for the clock's part of the status
# bar and the port's beside it (right of x = 683), painted over in both.
expect_same_but_clock() {
  local name differ
  for name in "$1" "$2"; do
    convert "$SHOTS/$CASE-$name.png" -fill black -draw "rectangle 680,112 960,140" \
      "$CASE_DIR/$name-no-clock.png"
  done
  differ=$(compare -metric AE "$CASE_DIR/$1-no-clock.png" "$CASE_DIR/$2-no-clock.png" \
    null: 2>&1) || true
  expect_eq "pixels that differ after the round trip" "$differ" 0
}

# ten_character_titles FIRST LAST: the settings_file.py arguments that give
# the channels FIRST..LAST a title of ten full-width characters without
# trailing blanks ("第05番カメラ入口前"), one a line.
ten_character_titles() {
  local digits=(０ １ ２ ３ ４ ５ ６ ７ ８ ９) ch
  for ch in $(seq "$1" "$2"); do
    echo "title.text[$ch]=第${digits[ch / 10]}${digits[ch % 10]}番カメラ入口前"
  done
}

# The program's profile file in the prefix's Windows folder.
ini_file() { echo "$WINEPREFIX/drive_c/windows/KORVEX7.ini"; }

# ini_value KEY: the value stored for KEY, empty when absent.
ini_value() {
  local f
  f=$(ini_file)
  [ -f "$f" ] || return 0
  tr -d '\r' <"$f" | sed -n "s/^$1=//p" | head -1
}

# wait_ini_value KEY VALUE: waits until the profile holds VALUE for KEY;
# fails after 10 s.
wait_ini_value() {
  wait_until 10 "$1=$2 in the profile" ini_value_is "$1" "$2" && return 0
  fail "$1 in the profile: got '$(ini_value "$1")', expected '$2'"
}

# ini_value_is KEY VALUE: the profile holds VALUE for KEY.
ini_value_is() { [ "$(ini_value "$1")" = "$2" ]; }

# write_ini LINE...: writes the profile file (CR LF line ends).
write_ini() {
  local f
  f=$(ini_file)
  { printf '[KORVEX7_section]\r\n'; printf '%s\r\n' "$@"; } >"$f"
}

# ctl_exe STATUS ARG...: korvex7ctl.exe under Wine in the case's working
# folder; fails the case unless it ends with STATUS. Its output is left in
# CTL_OUT and CTL_ERR.
ctl_exe() {
  local want=$1 rc=0
  shift
  CTL_OUT=$CASE_DIR/ctl.out
  CTL_ERR=$CASE_DIR/ctl.err
  (cd "$CASE_DIR/work" && wine_run "$CTL" --no-progress "$@") >"$CTL_OUT" 2>"$CTL_ERR" || rc=$?
  if [ "$rc" -ne "$want" ]; then
    sed 's/^/    /' "$CTL_ERR" >&2
    fail "korvex7ctl $*: exit status $rc, expected $want"
  fi
}

# expect_err TEXT: korvex7ctl's last error output holds TEXT.
expect_err() {
  grep -qF -- "$1" "$CTL_ERR" || { sed 's/^/    /' "$CTL_ERR" >&2; fail "no '$1' in the error output"; }
}

# expect_eq WHAT GOT WANT
expect_eq() {
  [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"
}

# shot NAME DRIVER-STEPS...: a PNG of the window the steps make current, in
# SHOTS/CASE-NAME.png, taken once two pictures in a row are the same (the
# window has finished painting).
shot() {
  local name=$1 rect x y w h raw crop last i
  shift
  rect=$(drv "$@" print-rect)
  read -r x y w h <<<"$rect"
  raw=$CASE_DIR/screen.png
  crop=$CASE_DIR/shot.png
  last=$CASE_DIR/shot-last.png
  rm -f "$last"
  for i in $(seq 20); do
    import -display "$DISPLAY" -window root "$raw"
    convert "$raw" -crop "${w}x${h}+${x}+${y}" +repage "$crop"
    if [ -f "$last" ] && cmp -s "$crop" "$last"; then break; fi
    mv "$crop" "$last"
  done
  mv "$last" "$SHOTS/$CASE-$name.png"
  rm -f "$raw" "$crop"
  note "screenshot $SHOTS/$CASE-$name.png"
}

# shot_main NAME: the main window.
shot_main() {
  shot "$1" main 5000
}

# cpu_percent PID SECONDS: CPU time the process used, in percent of one core.
cpu_percent() {
  local pid=$1 secs=$2 hz a b
  hz=$(getconf CLK_TCK)
  a=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep "$secs"
  b=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  echo $(((b - a) * 100 / (hz * secs)))
}
