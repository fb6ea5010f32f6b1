#!/usr/bin/env bash
# Runs every test: installs what is missing; checks the source format; builds
# the native tree with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, fuzz targets included, and runs the unit and
# integration tests; runs the simulator and command-line tool tests under
# ThreadSanitizer; runs each fuzz target briefly; cross-builds the Windows
# programs and runs the end-to-end tests under Wine against the unit
# simulator, while beside them the native tree is built with GCC and its
# unit and integration tests run again (its programs run without sanitizers:
# a race that the sanitizer build's slower start hides shows there). The builds come from CMakePresets.json, with warnings as errors.
# Prints the time of each stage at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
# One job more than there are cores: while a job waits on the disk the cores
# stay busy, and on a machine busy with other work the builds keep their
# share of it.
jobs=${JOBS:-$(($(nproc) + 1))}

stage_name=
stage_start=
stage_times=()
run_start=$(date +%s)
end_stage() {
  [ -n "$stage_name" ] || return 0
  stage_times+=("$(printf '  %-56s %4d s' "$stage_name" $(($(date +%s) - stage_start)))")
  stage_name=
}
stage() {
  end_stage
  stage_name=$1
  stage_start=$(date +%s)
  echo "== $1"
}
win_job=
print_times() {
  local rc=$?
  # A build still running beside a stage that failed ends with the run.
  [ -z "$win_job" ] || kill -- "-$win_job" 2>/dev/null || true
  end_stage
  echo "== time of each stage"
  printf '%s\n' "${stage_times[@]}"
  printf '  %-56s %4d s\n' "whole test command" $(($(date +%s) - run_start))
  [ "$rc" -eq 0 ] || echo "== the test command FAILED (exit status $rc)"
}
trap print_times EXIT

stage "install missing packages"
scripts/install-deps.sh all

stage "source format (clang-format)"
scripts/check-format.sh

# One sanitizer build serves the unit and integration tests, the fuzz targets
# and the simulator of the end-to-end tests. Every build here treats warnings
# as errors (the presets asan and tsan do; the others are told).
stage "native build (clang, ASan + UBSan, fuzz targets)"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"

# The Windows cross build starts now, beside the tests and the fuzz targets
# that follow, at low priority: those wait on pseudo-terminals, timers and
# the fuzz targets' fixed time a good part of the while, and the build takes
# what they leave. Its stage below waits for the rest.
cmake --preset win -DKORVEX7_WERROR=ON >/dev/null
setsid nice -n 10 cmake --build --preset win -j "$jobs" >build/win-build.log 2>&1 &
win_job=$!

stage "unit and integration tests"
ctest --preset asan -j "$jobs"

# The simulator and the tool run as their own processes in the integration
# tests, so those are the tests that exercise them under ThreadSanitizer.
stage "simulator and command-line tool under ThreadSanitizer"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs" --target korvex7-sim korvex7ctl korvex7_integration_tests
ctest --preset tsan -j "$jobs"

stage "fuzz targets, briefly"
FUZZ_BUILD=build/asan scripts/fuzz.sh "${FUZZ_SECONDS:-5}"

stage "Windows cross build (what is left of it)"
win_status=0
wait "$win_job" || win_status=$?
win_job=
if [ "$win_status" -ne 0 ]; then
  cat build/win-build.log
  echo "== the Windows cross build FAILED"
  exit "$win_status"
fi

# The native tree with GCC and optimisation (whose warnings differ from the
# sanitizer build's; the same sources a user builds for installing, tests
# included), then its unit and integration tests, whose programs run at full
# speed. Both at low priority beside the end-to-end tests, which mostly wait
# on the program's timers.
native_beside() {
  local started=$SECONDS
  if ! nice -n 10 cmake --build --preset native -j 2 >build/native.log 2>&1; then
    echo "native build: FAILED after $((SECONDS - started)) s" >build/native.result
    return 1
  fi
  local built=$SECONDS
  if ! nice -n 10 ctest --preset native -j "$jobs" >build/native-ctest.log 2>&1; then
    echo "native build: $((built - started)) s; its tests: FAILED after $((SECONDS - built)) s" \
      >build/native.result
    return 2
  fi
  echo "native build: $((built - started)) s; its tests: $((SECONDS - built)) s" >build/native.result
}

stage "end-to-end tests under Wine; beside them the native build (GCC) and its tests"
# Without debug information, which is a third of what the GCC build costs:
# this build is here for its warnings and for its tests' speed.
cmake --preset native -DKORVEX7_WERROR=ON -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" >/dev/null
native_beside &
native_job=$!
e2e_status=0
# Four lanes: a case mostly waits on the program's timers and the line.
E2E_LANES=${E2E_LANES:-4} scripts/e2e/run_e2e.sh "$root/build/asan" "$root/build/win" || e2e_status=$?
native_status=0
wait "$native_job" || native_status=$?
cat build/native.result
case $native_status in
  0) grep -h 'tests passed' build/native-ctest.log ;;
  1) cat build/native.log; echo "== the native build (GCC) FAILED" ;;
  *) sed -n '/tests passed/,$p' build/native-ctest.log; echo "== the native build's tests FAILED" ;;
esac
[ "$e2e_status" -eq 0 ] && [ "$native_status" -eq 0 ]
