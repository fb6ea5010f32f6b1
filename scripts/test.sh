#!/usr/bin/env bash
# Runs every test: installs what is missing; checks the source format; builds
# the native tree with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, fuzz targets included, and runs the unit and
# integration tests; runs the simulator and command-line tool tests under
# ThreadSanitizer; runs each fuzz target briefly; builds the native Release
# programs with GCC; cross-builds the Windows programs and runs the
# end-to-end tests under Wine against the unit simulator. The builds come
# from CMakePresets.json, with warnings as errors. Prints the time of each
# stage at the end.
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
print_times() {
  local rc=$?
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

stage "Windows cross build"
cmake --preset win -DKORVEX7_WERROR=ON >/dev/null
cmake --build --preset win -j "$jobs"

# What a user builds for installing, with GCC and optimisation (whose
# warnings differ from the sanitizer build's). It is built at low priority
# beside the end-to-end tests, which mostly wait on the program's timers.
stage "end-to-end tests under Wine, the native Release build (GCC) beside them"
cmake --preset release -DKORVEX7_WERROR=ON >/dev/null
nice -n 10 cmake --build --preset release -j 1 >build/release.log 2>&1 &
release_build=$!
e2e_status=0
scripts/e2e/run_e2e.sh "$root/build/asan" "$root/build/win" || e2e_status=$?
release_status=0
wait "$release_build" || release_status=$?
if [ "$release_status" -ne 0 ]; then
  cat build/release.log
  echo "== the native Release build FAILED"
fi
[ "$e2e_status" -eq 0 ] && [ "$release_status" -eq 0 ]
