#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the native tools and the
# Windows program, runs the unit and integration tests, then the end-to-end
# tests of the real KORVEX7.exe under Wine against the unit simulator.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${JOBS:-2}

scripts/install-deps.sh all

echo "== native build"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$jobs"

echo "== unit and integration tests"
ctest --test-dir build/native --output-on-failure -j "$jobs"

echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DKORVEX7_SANITIZE=address,undefined >/dev/null
cmake --build build/asan -j "$jobs"
ctest --test-dir build/asan --output-on-failure -j "$jobs"

echo "== simulator and command-line tool under ThreadSanitizer"
cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=Debug -DKORVEX7_SANITIZE=thread >/dev/null
cmake --build build/tsan -j "$jobs"
ctest --test-dir build/tsan --output-on-failure -j "$jobs" -R 'sim|ctl|integration'

echo "== fuzz targets, briefly"
scripts/fuzz.sh "${FUZZ_SECONDS:-5}"

echo "== Windows cross build"
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j "$jobs"

if [ -x scripts/e2e/run_e2e.sh ]; then
  echo "== end-to-end tests under Wine"
  scripts/e2e/run_e2e.sh "$root/build/native" "$root/build/win"
fi
