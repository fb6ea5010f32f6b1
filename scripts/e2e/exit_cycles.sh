#!/usr/bin/env bash
# Start, one exchange, exit: in a loop, checking every time that the process
# is gone within a few seconds. A process that does not end has its threads'
# stacks kept before it is killed.
#
#   scripts/e2e/exit_cycles.sh NATIVE_BUILD WIN_BUILD [WHAT] [CYCLES]
#
# WHAT is
#   program     KORVEX7.exe under Wine: start, the AGC dialog's "設定"
#               answered "Success", Exit (the default)
#   link-check  korvex7-link-check.exe under Wine: one command and its answer
#   sim         the simulator alone (no Wine): one command and its answer,
#               then SIGTERM as the end-to-end cases send it
#   sim-cont    the same, stopped with SIGTERM followed by SIGCONT 0 to 40 ms
#               later (the way the cases stopped it before, on a busy
#               machine): shows the leak checker's deadlock
# CYCLES defaults to 200. Prints one line per slow or hung cycle and a
# summary: cycles, hangs, cycles that failed before the exit, the median and the longest time from the exit
# request to the process gone. Exit status 0 only when none hung. Stacks and
# logs: WIN_BUILD/e2e/cycles/.
set -uo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 NATIVE_BUILD WIN_BUILD [program|link-check|sim|sim-cont] [CYCLES]" >&2
  exit 2
fi
E2E_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
export E2E_ROOT
what=${3:-program}
cycles=${4:-200}
hang_seconds=10
RUN_TOKEN=cycles-$$-$(date +%s%N)
source "$E2E_ROOT/scripts/e2e/lib.sh"
e2e_setup "$1" "$2" || exit 2
SHOTS=$E2E/cycles/screenshots
CASE=cycles-$what
CASE_DIR=$E2E/cycles/$what
rm -rf "$CASE_DIR"
mkdir -p "$CASE_DIR/work" "$SHOTS"
export SHOTS CASE CASE_DIR

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# wait_gone PID: waits up to hang_seconds for PID to end; prints the time it
# took in ms, or "hung".
wait_gone() {
  local pid=$1 start state
  start=$(now_ms)
  while :; do
    state=$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null) || state=
    case $state in '' | Z) break ;; esac
    if [ $(($(now_ms) - start)) -ge $((hang_seconds * 1000)) ]; then
      echo hung
      return
    fi
    sleep 0.01
  done
  echo $(($(now_ms) - start))
}

times=()
hangs=0
failures=0
record() {
  local n=$1 took=$2 pids=$3
  if [ "$took" = hung ]; then
    hangs=$((hangs + 1))
    echo "cycle $n: still running after ${hang_seconds}s; stacks in $CASE_DIR/stacks-$n.txt"
    dump_stacks "$CASE_DIR/stacks-$n.txt" $pids
    kill -KILL $pids 2>/dev/null
    return
  fi
  times+=("$took")
  [ "$took" -lt 3000 ] || echo "cycle $n: gone after $took ms"
}

# One exchange with the simulator on a pty, from this shell.
exchange_with_sim() {
  local pty=$1 answer
  exec {port}<>"$pty"
  printf 'RAM\r\n' >&"$port"
  IFS= read -r -t 5 answer <&"$port" || true
  exec {port}>&-
  [ "$answer" = $'AMI\r' ] || echo "unexpected answer: $answer"
}

case $what in
  sim | sim-cont)
    for n in $(seq "$cycles"); do
      pty=$CASE_DIR/pty
      rm -f "$pty"
      "$SIM" --pty "$pty" --log "$CASE_DIR/sim.log" >>"$CASE_DIR/sim.out" 2>&1 &
      pid=$!
      wait_until --every 0.01 1 "the simulator on $pty" test -L "$pty" || true
      exchange_with_sim "$pty"
      kill -TERM "$pid"
      if [ "$what" = sim-cont ]; then
        # The stopping shell may lose the processor between the two signals
        # on a busy machine: the SIGCONT comes 0 to 40 ms after the SIGTERM.
        sleep "$(printf "0.%04d" $((RANDOM % 150 * 1)))"
        kill -CONT "$pid" 2>/dev/null
      fi
      took=$(wait_gone "$pid")
      record "$n" "$took" "$pid $(pgrep -P "$pid")"
      wait "$pid" 2>/dev/null
    done
    ;;
  program | link-check)
    lane_open cycles || exit 2
    lane_fresh_prefix
    trap 'case_end >/dev/null 2>&1; lane_close' EXIT
    export KORVEX7_E2E_RUN=$RUN_TOKEN
    wineserver -p >/dev/null 2>&1
    start_sim
    case_begin
    for n in $(seq "$cycles"); do
      if [ "$what" = link-check ]; then
        LD_PRELOAD=$SHIM wine "$LINK_CHECK" "AGCNNNNNNNNNNNNNNNN" >"$CASE_DIR/link.out" 2>&1 &
        pid=$!
        # The process ends on its own once the answer has been settled.
        wait_until --every 0.01 5 "the link check's status" grep -q '^status:' "$CASE_DIR/link.out" ||
          true
        grep -q '^status: Success' "$CASE_DIR/link.out" || echo "cycle $n: $(cat "$CASE_DIR/link.out")"
      else
        start_program
        pid=$PROGRAM_PID
        AGC="オート・ゲイン・コントロール"
        if ! drv_try main 15000 no-box 300 menu "$IDM_AGC" dialog "$AGC" 5000 click "$IDC_AGC_SET" \
          box "Success" "接続成功" 5000 click "$IDOK" dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000 \
          menu "$IDM_FILE_EXIT" 2>"$CASE_DIR/step.err"; then
          # Keep what the display and every process show, then start afresh.
          failures=$((failures + 1))
          echo "cycle $n: $(cat "$CASE_DIR/step.err"); stacks in $CASE_DIR/stacks-$n.txt"
          import -display "$DISPLAY" -window root "$CASE_DIR/cycle-$n.png"
          ps -o pid=,stat=,etime=,args= -p "$(token_pids "$RUN_TOKEN" | paste -sd,)" >"$CASE_DIR/stacks-$n.txt"
          dump_stacks "$CASE_DIR/stacks-$n.txt" $(pgrep -f 'KORVEX7.exe')
          case_end >/dev/null 2>&1
          lane_end_wine
          wineserver -p >/dev/null 2>&1
          start_sim
          case_begin
          continue
        fi
      fi
      took=$(wait_gone "$pid")
      record "$n" "$took" "$pid"
      wait "$pid" 2>/dev/null
    done
    ;;
  *)
    echo "unknown: $what" >&2
    exit 2
    ;;
esac

sorted=$(printf '%s\n' "${times[@]}" | sort -n)
count=${#times[@]}
median=$(echo "$sorted" | sed -n "$(((count + 1) / 2))p")
longest=$(echo "$sorted" | tail -1)
echo "$what: $cycles cycles, $hangs hung, $failures failed before the exit; process gone after the exit request: median ${median:-?} ms, longest ${longest:-?} ms"
[ "$hangs" -eq 0 ] && [ "$failures" -eq 0 ]
