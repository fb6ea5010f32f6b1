# Shell pieces shared by the end-to-end harness (scripts/e2e/lib.sh,
# lane.sh) and the integration tests (tests/integration/ctl_common.sh):
# waiting for an effect, and starting the simulator on a pseudo-terminal.
# Each sourcing library keeps its own `fail`: the end-to-end one ends the
# case, the integration one counts the failure and goes on.

# wait_until [--every SECONDS] TIMEOUT DESCRIPTION COMMAND...: runs COMMAND
# until it succeeds, every 50 ms (or every SECONDS), for about TIMEOUT
# seconds (a decimal: the tries are counted, so a loaded machine gets every
# try). Returns 0 as soon as COMMAND succeeds; otherwise says on standard
# error what was awaited and returns 1, for the caller to fail or go on.
wait_until() {
  local every=0.05
  if [ "$1" = --every ]; then
    every=$2
    shift 2
  fi
  local timeout=$1 what=$2 tries i
  shift 2
  tries=$(awk -v t="$timeout" -v e="$every" 'BEGIN { n = int(t / e + 0.5); print n < 1 ? 1 : n }')
  for ((i = 1; i < tries; i++)); do
    "$@" && return 0
    sleep "$every"
  done
  "$@" && return 0
  echo "waited ${timeout} s for: $what" >&2
  return 1
}

# count_at_least N PATTERN FILE: FILE holds at least N lines that match the
# extended regular expression PATTERN (a missing file holds none).
count_at_least() {
  local got
  got=$(grep -cE -- "$2" "$3" 2>/dev/null) || true
  [ "${got:-0}" -ge "$1" ]
}

# launch_sim PTY OUT [OPTION...]: korvex7-sim ($SIM) on the pseudo-terminal
# PTY with the options, its output appended to OUT; sets SIM_PID. Returns 0
# once the simulator has made PTY; 1 (its output shown) when it has not
# within 5 s.
launch_sim() {
  local pty=$1 out=$2
  shift 2
  "$SIM" --pty "$pty" "$@" >>"$out" 2>&1 &
  SIM_PID=$!
  wait_until 5 "the simulator to make $pty" test -L "$pty" && return 0
  cat "$out" >&2
  return 1
}
