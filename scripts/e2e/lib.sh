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

# Runs Wine with the test library that makes a pty behave as a serial line.
wine_run() {
  LD_PRELOAD=$SHIM wine "$@"
}

# Runs the driver; prints its output; fails the case on a failed step.
drv() {
  local out rc=0
  out=$(wine_run "$DRIVER" "$@" 2>"$CASE_DIR/driver.err") || rc=$?
  if [ "$rc" -ne 0 ]; then
    cat "$CASE_DIR/driver.err" >&2
    fail "driver: $*"
  fi
  [ -z "$out" ] || printf '%s\n' "$out"
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
  echo $! >>"$CASE_DIR/pids"
  local i
  for i in $(seq 100); do
    [ -L "$pty" ] && return 0
    sleep 0.05
  done
  cat "$CASE_DIR/sim.out" >&2
  fail "the simulator did not create $pty"
}

stop_sims() {
  local pid
  [ -f "$CASE_DIR/pids" ] || return 0
  # A simulator held with SIGSTOP (signal_sim) takes its SIGTERM once it runs.
  while read -r pid; do kill "$pid" 2>/dev/null || true; kill -CONT "$pid" 2>/dev/null || true; done <"$CASE_DIR/pids"
  while read -r pid; do wait "$pid" 2>/dev/null || true; done <"$CASE_DIR/pids"
  rm -f "$CASE_DIR/pids"
}

# signal_sim SIGNAL: sends SIGNAL to the simulator started last: STOP makes
# the unit fall silent mid-exchange (its answers come once it gets CONT),
# KILL ends it at once and closes its pty under the program.
signal_sim() {
  local pid
  pid=$(tail -1 "$CASE_DIR/pids")
  kill -"$1" "$pid"
  if [ "$1" = KILL ]; then wait "$pid" 2>/dev/null || true; fi
}

# wait_for_file PATH [SECONDS]: waits until PATH exists (a save completes a
# moment after its dialog has gone); fails the case after SECONDS (5).
wait_for_file() {
  local limit=${2:-5} i
  for i in $(seq $((limit * 20))); do
    [ -e "$1" ] && return 0
    sleep 0.05
  done
  fail "$1 was not written"
}

# start_babbler LINE PERIOD_MS COUNT: on COM1, in place of the unit, a device
# that sends LINE (CR LF added) COUNT times, one every PERIOD_MS ms, unasked,
# once it gets SIGUSR1 (signal_sim USR1); silent before and after
# (tests/e2e/line_babbler.py). Ended with the simulators.
start_babbler() {
  local pty=$RUN/com1 i
  rm -rf "$pty"
  python3 "$E2E_ROOT/tests/e2e/line_babbler.py" "$pty" "$@" >>"$CASE_DIR/babbler.out" 2>&1 &
  echo $! >>"$CASE_DIR/pids"
  for i in $(seq 100); do
    [ -L "$pty" ] && return 0
    sleep 0.05
  done
  fail "the babbler did not create $pty"
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

# wait_frames COUNT [SECONDS]: waits until the log holds COUNT frames.
wait_frames() {
  local count=$1 limit=${2:-5} i
  for i in $(seq $((limit * 20))); do
    [ "$(frames | wc -l)" -ge "$count" ] && return 0
    sleep 0.05
  done
  return 0
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

# shot NAME DRIVER-STEPS...: a PNG of the window the steps make current
# (after a short pause for painting), in SHOTS/CASE-NAME.png.
shot() {
  local name=$1 rect x y w h raw
  shift
  sleep 0.4
  rect=$(drv "$@" print-rect)
  read -r x y w h <<<"$rect"
  raw=$CASE_DIR/screen.png
  import -display "$DISPLAY" -window root "$raw"
  convert "$raw" -crop "${w}x${h}+${x}+${y}" +repage "$SHOTS/$CASE-$name.png"
  rm -f "$raw"
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

# The unit's settings file of the defaults, as the program writes it.
default_settings_file() {
  local out=$1
  drv main 5000 menu 40004 dialog "名前を付けて保存" 5000 filename "$out" click 1 gone 5000 no-box 500
}
