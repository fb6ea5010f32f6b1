#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for a bounded time from the seed corpus in fuzz/corpus/, two
# at a time.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 5; the long run uses 600)
# FUZZ_BUILD names a build tree configured with -DKORVEX7_FUZZ=ON to take the
# targets from (the test command's sanitizer build); without it they are
# built in build/fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}

targets=$(sed -n 's/^set(KORVEX7_FUZZ_TARGETS \(.*\))$/\1/p' fuzz/CMakeLists.txt)
[ -f fuzz/fuzz_sim_parser.cpp ] && targets="$targets fuzz_sim_parser"
[ -f fuzz/fuzz_ctl_set.cpp ] && targets="$targets fuzz_ctl_set"
[ -f fuzz/fuzz_ctl_exchange.cpp ] && targets="$targets fuzz_ctl_exchange"
[ -f fuzz/fuzz_telnet.cpp ] && targets="$targets fuzz_telnet"
build=${FUZZ_BUILD:-}
if [ -z "$build" ]; then
  scripts/install-deps.sh all
  build=build/fuzz
  cmake --preset fuzz >/dev/null
fi
if ! cmake --build "$build" -j "${JOBS:-2}" --target $targets >"$build/fuzz-build.log" 2>&1; then
  cat "$build/fuzz-build.log"
  exit 1
fi

# run_target NAME: runs one target; its report goes to BUILD/NAME.log.
run_target() {
  local t=$1 work=$build/corpus/$1 seeds=fuzz/corpus/$1 log=$build/$1.log runs
  mkdir -p "$work" "$build/artifacts/$t"
  [ -d "$seeds" ] || seeds=
  if "$build/fuzz/$t" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$build/artifacts/$t/" "$work" $seeds >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$t: ${runs:-?} executions in ${seconds}s, no crash"
  else
    echo "$t: FAILED (see $log and $build/artifacts/$t/)"
    tail -n 20 "$log"
    return 1
  fi
}

failed=0
passed=0
set -- $targets
while [ $# -gt 0 ]; do
  # Two at a time: one per core.
  run_target "$1" >"$build/$1.result" &
  first=$!
  second=
  if [ $# -gt 1 ]; then
    run_target "$2" >"$build/$2.result" &
    second=$!
  fi
  for pid in $first $second; do
    if wait "$pid"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
  done
  cat "$build/$1.result"
  [ -z "$second" ] || cat "$build/$2.result"
  shift $(($# > 1 ? 2 : 1))
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
