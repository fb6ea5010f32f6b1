# Helpers for the end-to-end cases (sourced by run_e2e.sh and by each case).
#
# A case is a bash script run with `set -euo pipefail`; the first failing
# command fails the case. It starts the simulator and the program, drives the
# program with `drv` (korvex7-e2e-driver.exe under the same Wine prefix) and
# checks the frames the simulator logged. `skip REASON` ends a case as
# skipped. Everything a case leaves (logs, the program's working folder) is
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
  "$SIM" --pty "$pty" --log "$log" "${args[@]}" >>"$CASE_DIR/sim.out" 2>&1 &
  echo "$! sim" >>"$CASE_DIR/pids"
  local i
  for i in $(seq 100); do
    [ -L "$pty" ] && return 0
    sleep 0.05
  done
  cat "$CASE_DIR/sim.out" >&2
  fail "the simulator did not create $pty"
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
  local pid=$1 kind state i status=0
  kind=$(sed -n "s/^$pid //p" "$CASE_DIR/pids" 2>/dev/null)
  sed -i "/^$pid /d" "$CASE_DIR/pids" 2>/dev/null
  state=$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null) || return 0
  kill -TERM "$pid" 2>/dev/null || true
  [ "$state" != T ] || kill -CONT "$pid" 2>/dev/null || true
  for i in $(seq 100); do
    state=$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null) || state=
    case $state in '' | Z) break ;; esac
    sleep 0.05
  done
  if [ -n "$state" ] && [ "$state" != Z ]; then
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
  local limit=${2:-10} i
  for i in $(seq $((limit * 20))); do
    [ -e "$1" ] && return 0
    sleep 0.05
  done
  fail "$1 was not written"
}

# wait_same EXPECTED PATH [SECONDS]: waits until PATH holds exactly the bytes
# of EXPECTED (a file that is replaced, or the simulator's dump that follows
# the unit's settings); fails after SECONDS (10) naming the fields that differ.
wait_same() {
  local limit=${3:-10} i
  for i in $(seq $((limit * 20))); do
    cmp -s "$1" "$2" && return 0
    sleep 0.05
  done
  python3 "$E2E_ROOT/tests/e2e/settings_file.py" diff "$1" "$2" >&2 || true
  fail "$2 does not hold the content of $1"
}

# start_babbler LINE PERIOD_MS COUNT: on COM1, in place of the unit, a device
# that sends LINE (CR LF added) COUNT times, one every PERIOD_MS ms, unasked,
# once it gets SIGUSR1 (signal_sim USR1); silent before and after
# (tests/e2e/line_babbler.py). Ended with the simulators.
start_babbler() {
  local pty=$RUN/com1 i
  rm -rf "$pty"
  python3 "$E2E_ROOT/tests/e2e/line_babbler.py" "$pty" "$@" >>"$CASE_DIR/babbler.out" 2>&1 &
  echo "$! babbler" >>"$CASE_DIR/pids"
  for i in $(seq 100); do
    [ -L "$pty" ] && return 0
    sleep 0.05
  done
  fail "the babbler did not create $pty"
}

# wait_babbler_done: waits until the babbler has sent all its lines (30 s).
wait_babbler_done() {
  local i
  for i in $(seq 600); do
    grep -q '^sent ' "$CASE_DIR/babbler.out" 2>/dev/null && return 0
    sleep 0.05
  done
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

# wait_settings_same A B [--except PREFIX...]: waits until the settings files
# A and B agree field for field, but for the fields excepted (the simulator's
# dump follows each command the unit takes); fails after 10 s naming the
# fields that differ.
wait_settings_same() {
  local i
  for i in $(seq 200); do
    python3 "$E2E_ROOT/tests/e2e/settings_file.py" diff "$@" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  python3 "$E2E_ROOT/tests/e2e/settings_file.py" diff "$@" >&2 || true
  fail "$2 does not agree with $1"
}

# wait_frames COUNT [SECONDS]: waits until the log holds COUNT frames; fails
# the case after SECONDS (10).
wait_frames() {
  local count=$1 limit=${2:-10} i
  for i in $(seq $((limit * 20))); do
    [ "$(frames | wc -l)" -ge "$count" ] && return 0
    sleep 0.05
  done
  frames | sed 's/^/    /' >&2
  fail "the simulator logged fewer than $count frames within ${limit}s"
}

# expect_clock_ticks: the clock in the status bar shows a time and moves on
# (within 5 s).
expect_clock_ticks() {
  local first now i
  first=$(drv main 1000 print-status 1)
  [[ $first =~ ^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]$ ]] || fail "clock shows '$first'"
  for i in $(seq 100); do
    now=$(drv main 1000 print-status 1)
    [ "$now" = "$first" ] || break
    sleep 0.05
  done
  [[ $now =~ ^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]$ ]] || fail "clock shows '$now'"
  [ "$now" != "$first" ] || fail "the clock stands at $first"
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
  local i
  for i in $(seq 200); do
    [ "$(ini_value "$1")" = "$2" ] && return 0
    sleep 0.05
  done
  fail "$1 in the profile: got '$(ini_value "$1")', expected '$2'"
}

# write_ini LINE...: writes the profile file (CR LF line ends).
write_ini() {
  local f
  f=$(ini_file)
  { printf '[KORVEX7_section]\r\n'; printf '%s\r\n' "$@"; } >"$f"
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
