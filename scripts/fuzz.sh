#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for a bounded time from the seed corpus in fuzz/corpus/.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 5; the long run uses 600)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
scripts/install-deps.sh all

cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVEX7_FUZZ=ON -DKORVEX7_TESTS=OFF -DKORVEX7_SANITIZE=address,undefined >/dev/null
targets=$(sed -n 's/^set(KORVEX7_FUZZ_TARGETS \(.*\))$/\1/p' fuzz/CMakeLists.txt)
[ -f fuzz/fuzz_sim_parser.cpp ] && targets="$targets fuzz_sim_parser"
[ -f fuzz/fuzz_ctl_set.cpp ] && targets="$targets fuzz_ctl_set"
cmake --build build/fuzz -j "${JOBS:-2}" --target $targets

failed=0
passed=0
for t in $targets; do
  work=build/fuzz/corpus/$t
  mkdir -p "$work" "build/fuzz/artifacts/$t"
  seeds=fuzz/corpus/$t
  [ -d "$seeds" ] || seeds=
  log=build/fuzz/$t.log
  if build/fuzz/fuzz/$t -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="build/fuzz/artifacts/$t/" "$work" $seeds >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$t: ${runs:-?} executions in ${seconds}s, no crash"
    passed=$((passed + 1))
  else
    echo "$t: FAILED (see $log and build/fuzz/artifacts/$t/)"
    tail -n 20 "$log"
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
