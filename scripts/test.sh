#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the native tree under
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the unit and
# integration tests, runs the simulator and command-line tool tests under
# ThreadSanitizer, runs each fuzz target briefly, cross-builds the Windows
# program and runs the end-to-end tests of the real KORVEX7.exe under Wine
# against the unit simulator.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-2}

scripts/install-deps.sh all

echo "== native build (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DKORVEX7_SANITIZE=address,undefined >/dev/null
cmake --build build/asan -j "$jobs"

echo "== unit and integration tests"
ctest --test-dir build/asan --output-on-failure -j "$jobs"

# The simulator and the tool run as their own processes in the integration
# tests, so those are the tests that exercise them under ThreadSanitizer.
echo "== simulator and command-line tool under ThreadSanitizer"
cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=Debug -DKORVEX7_SANITIZE=thread >/dev/null
cmake --build build/tsan -j "$jobs" --target korvex7-sim korvex7ctl korvex7_integration_tests
ctest --test-dir build/tsan --output-on-failure -j "$jobs" -L '^integration$'

echo "== fuzz targets, briefly"
scripts/fuzz.sh "${FUZZ_SECONDS:-5}"

echo "== Windows cross build"
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j "$jobs"

echo "== end-to-end tests under Wine"
scripts/e2e/run_e2e.sh "$root/build/asan" "$root/build/win"
