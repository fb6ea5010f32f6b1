#!/usr/bin/env bash
# Runs every test: installs what is missing; builds the native tree with clang
# under AddressSanitizer and UndefinedBehaviorSanitizer, fuzz targets included,
# and runs the unit and integration tests; runs the simulator and
# command-line tool tests under ThreadSanitizer; runs each fuzz target
# briefly; cross-builds the Windows program and runs the end-to-end tests of
# the real KORVEX7.exe under Wine against the unit simulator. Prints the time
# of each stage at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-2}

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

# One sanitizer build serves the unit and integration tests, the fuzz targets
# and the simulator of the end-to-end tests.
stage "native build (clang, ASan + UBSan, fuzz targets)"
cmake -S . -B build/asan -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Debug \
  -DKORVEX7_SANITIZE=address,undefined -DKORVEX7_FUZZ=ON >/dev/null
cmake --build build/asan -j "$jobs"

stage "unit and integration tests"
ctest --test-dir build/asan --output-on-failure -j "$jobs"

# The simulator and the tool run as their own processes in the integration
# tests, so those are the tests that exercise them under ThreadSanitizer.
stage "simulator and command-line tool under ThreadSanitizer"
cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=Debug -DKORVEX7_SANITIZE=thread >/dev/null
cmake --build build/tsan -j "$jobs" --target korvex7-sim korvex7ctl korvex7_integration_tests
ctest --test-dir build/tsan --output-on-failure -j "$jobs" -L '^integration$'

stage "fuzz targets, briefly"
FUZZ_BUILD=build/asan scripts/fuzz.sh "${FUZZ_SECONDS:-5}"

stage "Windows cross build"
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j "$jobs"

stage "end-to-end tests under Wine"
scripts/e2e/run_e2e.sh "$root/build/asan" "$root/build/win"
