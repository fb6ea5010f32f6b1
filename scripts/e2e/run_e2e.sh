#!/usr/bin/env bash
# End-to-end tests of the real KORVEX7.exe under Wine against the unit
# simulator on a pseudo-terminal mapped to COM1.
#
#   scripts/e2e/run_e2e.sh NATIVE_BUILD WIN_BUILD [CASE-NAME-PATTERN]
#
# NATIVE_BUILD holds tools/korvex7-sim, WIN_BUILD holds win/KORVEX7.exe,
# win/korvex7-e2e-driver.exe and win/korvex7-link-check.exe. The cases are
# tests/e2e/cases/*.sh; they run in E2E_LANES lanes side by side (2 unless
# set), each lane on a virtual display of its own, each case with a fresh
# copy of a private Wine prefix made once under WIN_BUILD/e2e. Screenshots go
# to WIN_BUILD/e2e/screenshots, logs to WIN_BUILD/e2e/results/CASE.
#
# A case may ask for its screen and display scale with lines of its own:
#   # e2e-screen: 1366x768      the lane's display at that size (1280x800
#                               unless asked); another size restarts it
#   # e2e-dpi: 144              the prefix's LogPixels (96 unless asked)
#   # e2e-com: 12               COM12 mapped to RUN/com12 besides COM1..COM6
#   # e2e-seconds: 240          the case's time limit, when it is longer than
#                               E2E_CASE_SECONDS; such cases start first, the
#                               longest limit first, so that the run does not
#                               end waiting on one of them
#
# A case passes or fails; it is never run twice. A case over its time limit
# (E2E_CASE_SECONDS, 120, unless it asks for more) fails, with the stacks of its processes kept in
# results/CASE/stacks.txt. Whatever a case leaves running when it is over is
# ended by force, its stacks kept, and the case fails. Ends with
# "N passed, M failed" (and skipped cases, if any); the exit status is 0 only
# when none failed.
set -uo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 NATIVE_BUILD WIN_BUILD [CASE-NAME-PATTERN]" >&2
  exit 2
fi

E2E_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
export E2E_ROOT
pattern=${3:-}
RUN_TOKEN=run-$$-$(date +%s%N)
source "$E2E_ROOT/scripts/e2e/lane.sh"
e2e_setup "$1" "$2" || exit 2

SHOTS=$E2E/screenshots
RESULTS=$E2E/results
rm -rf "$RESULTS"
mkdir -p "$SHOTS" "$RESULTS"
rm -f "$SHOTS"/*.png
export SHOTS

# The simulator is the sanitizer build of the test command: memory errors
# and leaks in the unit's side of every case fail the case (see stop_sims).
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0}

lanes=${E2E_LANES:-2}
case_limit=${E2E_CASE_SECONDS:-120}
DEFAULT_SCREEN=1280x800
QUEUE=$E2E/queue
OUTPUT_LOCK=$E2E/output.lock

# The jobs: the Windows-layer unit tests first (they take longest to
# start), then the cases that ask for a longer time limit (the longest
# first), then the others in name order.
: >"$QUEUE"
if [ -f "$WIN_TESTS" ] && { [ -z "$pattern" ] || [[ win_unit_tests == *$pattern* ]]; }; then
  echo win_unit_tests >>"$QUEUE"
fi
for file in "$E2E_ROOT"/tests/e2e/cases/*.sh; do
  [ -e "$file" ] || continue
  if [ -n "$pattern" ] && [[ $(basename "$file") != *$pattern* ]]; then continue; fi
  limit=$(sed -n 's/^# e2e-seconds: *\([0-9]*\).*/\1/p' "$file" | head -1)
  printf '%s %s\n' "${limit:-0}" "$file"
done | sort -s -k1,1nr | cut -d' ' -f2- >>"$QUEUE"

# next_job: takes the first job off the queue; fails when it is empty.
next_job() {
  local job
  exec {lock}>"$QUEUE.lock"
  flock "$lock"
  job=$(head -1 "$QUEUE")
  [ -z "$job" ] || sed -i 1d "$QUEUE"
  exec {lock}>&-
  [ -n "$job" ] && echo "$job"
}

# report TEXT...: one block of output, never mixed with another lane's.
report() {
  exec {lock}>>"$OUTPUT_LOCK"
  flock "$lock"
  printf '%s\n' "$@"
  exec {lock}>&-
}

# case_setting FILE NAME: the value of the case's "# e2e-NAME: VALUE" line,
# empty when it has none.
case_setting() {
  sed -n "s/^# e2e-$2: *\([^ ]*\).*/\1/p" "$1" | head -1
}

# run_case FILE: the case in a fresh prefix with a time limit, on the screen
# and at the scale it asks for; then every process it started is ended.
# Writes CASE_DIR/result: "PASS", "SKIP reason" or "FAIL reason".
run_case() {
  local file=$1 token start rc reason leftovers watchdog screen dpi com limit
  CASE=$(basename "$file" .sh)
  CASE_DIR=$RESULTS/$CASE
  rm -rf "$CASE_DIR"
  mkdir -p "$CASE_DIR/work"
  export CASE CASE_DIR
  lane_end_wine
  screen=$(case_setting "$file" screen)
  if ! lane_screen "${screen:-$DEFAULT_SCREEN}"; then
    echo "FAIL" >"$CASE_DIR/result"
    report "FAIL  $CASE: no display of ${screen:-$DEFAULT_SCREEN}"
    return
  fi
  lane_fresh_prefix
  dpi=$(case_setting "$file" dpi)
  [ -z "$dpi" ] || lane_prefix_dpi "$dpi"
  com=$(case_setting "$file" com)
  if [ -n "$com" ] && ! lane_prefix_com "$com"; then
    echo "FAIL" >"$CASE_DIR/result"
    report "FAIL  $CASE: COM$com could not be mapped"
    return
  fi
  token=$CASE-$RUN_TOKEN
  limit=$(case_setting "$file" seconds)
  [ -n "$limit" ] && [ "$limit" -gt "$case_limit" ] || limit=$case_limit

  start=$(date +%s)
  (
    export KORVEX7_E2E_CASE=$token KORVEX7_E2E_RUN=$RUN_TOKEN
    wineserver -p >/dev/null 2>&1
    exec setsid bash -c '
      set -euo pipefail
      source "$E2E_ROOT/scripts/e2e/lib.sh"
      trap '\''rc=$?; case_end || rc=1; exit $rc'\'' EXIT
      trap '\''echo "  at line $LINENO: $BASH_COMMAND" >&2'\'' ERR
      case_begin
      source "$1"' _ "$file"
  ) >"$CASE_DIR/case.log" 2>&1 &
  local pid=$!
  # The time limit: the stacks of everything the case runs are kept before it
  # is ended.
  (
    trap 'kill "$sleeper" 2>/dev/null; exit 0' TERM
    sleep "$limit" &
    sleeper=$!
    wait "$sleeper"
    echo "  timed out after ${limit}s; stacks in $CASE_DIR/stacks.txt" >>"$CASE_DIR/case.log"
    touch "$CASE_DIR/timed-out"
    dump_stacks "$CASE_DIR/stacks.txt" $(token_pids "$token")
    kill -TERM -- "-$pid" 2>/dev/null
    sleep 2
    kill -KILL -- "-$pid" 2>/dev/null
  ) >/dev/null 2>&1 &
  watchdog=$!
  wait "$pid"
  rc=$?
  kill "$watchdog" 2>/dev/null
  wait "$watchdog" 2>/dev/null

  # Wine's processes end with the wineserver; anything of the case still
  # running after that is a fault of the case.
  lane_end_wine
  leftovers=$(end_token_processes "$token" "$CASE_DIR/stacks.txt")
  local took=$(($(date +%s) - start))

  if [ -f "$CASE_DIR/timed-out" ]; then
    reason="timed out after ${limit}s"
  elif [ -n "$leftovers" ]; then
    reason="left running (stacks in $CASE_DIR/stacks.txt): $leftovers"
    [ "$rc" -eq 0 ] && rc=1
  fi
  if [ "$rc" -eq 0 ]; then
    echo "PASS" >"$CASE_DIR/result"
    report "PASS  $CASE (${took}s)"
  elif [ "$rc" -eq 77 ]; then
    echo "SKIP" >"$CASE_DIR/result"
    report "SKIP  $CASE: $(grep -m1 '^SKIP: ' "$CASE_DIR/case.log" | sed 's/^SKIP: //')"
  else
    [ -z "${reason:-}" ] || echo "  $reason" >>"$CASE_DIR/case.log"
    echo "FAIL" >"$CASE_DIR/result"
    report "FAIL  $CASE (${took}s)" "$(sed 's/^/      /' "$CASE_DIR/case.log")"
  fi
}

# The unit tests of the Windows layer, under the same Wine.
run_win_tests() {
  CASE_DIR=$RESULTS/win_unit_tests
  rm -rf "$CASE_DIR"
  mkdir -p "$CASE_DIR/work"
  lane_fresh_prefix
  if (cd "$CASE_DIR/work" && KORVEX7_E2E_RUN=$RUN_TOKEN timeout 300 wine "$WIN_TESTS") \
       >"$CASE_DIR/case.log" 2>&1; then
    echo "PASS" >"$CASE_DIR/result"
    report "PASS  win_unit_tests ($(grep -m1 -o '[0-9]* tests from [0-9]* test suites ran' "$CASE_DIR/case.log"))"
  else
    echo "FAIL" >"$CASE_DIR/result"
    report "FAIL  win_unit_tests" \
      "$(grep -E 'FAILED|Failure|error|Expected|Which is|actual' "$CASE_DIR/case.log" | head -40 | sed 's/^/      /')"
  fi
  lane_end_wine
}

lane_worker() {
  local n=$1 job
  lane_open "$n" "$DEFAULT_SCREEN" || return 1
  trap 'lane_close' EXIT
  while job=$(next_job); do
    if [ "$job" = win_unit_tests ]; then
      run_win_tests
    else
      run_case "$job"
    fi
  done
}

workers=()
stop_all() {
  kill "${workers[@]}" 2>/dev/null
  wait 2>/dev/null
  end_token_processes "$RUN_TOKEN" "$E2E/stacks-at-end.txt" >/dev/null
}
trap 'stop_all; exit 130' INT TERM

echo "e2e: $lanes lanes, results in $RESULTS"
for n in $(seq "$lanes"); do
  lane_worker "$n" &
  workers+=($!)
done
wait "${workers[@]}"

# Nothing of the run may outlive it: the displays and every Wine process.
left=$(end_token_processes "$RUN_TOKEN" "$E2E/stacks-at-end.txt")

passed=0 failed=0 skipped=0
failed_names=()
for r in "$RESULTS"/*/result; do
  [ -f "$r" ] || continue
  case $(cat "$r") in
    PASS) passed=$((passed + 1)) ;;
    SKIP) skipped=$((skipped + 1)) ;;
    *) failed=$((failed + 1)); failed_names+=("$(basename "$(dirname "$r")")") ;;
  esac
done
# A job that never reported (its lane could not start) is a failure too.
while read -r job; do
  [ -n "$job" ] || continue
  failed=$((failed + 1)); failed_names+=("$(basename "$job" .sh) (not run)")
done <"$QUEUE"
if [ -n "$left" ]; then
  echo "e2e: processes left at the end of the run (stacks in $E2E/stacks-at-end.txt):"
  echo "$left"
  failed=$((failed + 1))
fi

echo "screenshots: $SHOTS"
summary="$passed passed, $failed failed"
[ "$skipped" -eq 0 ] || summary="$summary, $skipped skipped"
[ "$failed" -eq 0 ] || summary="$summary: ${failed_names[*]}"
echo "$summary"
[ "$failed" -eq 0 ]
