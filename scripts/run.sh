#!/usr/bin/env bash
# The main job: installs what is missing, builds the simulator and the Windows
# program, and starts KORVEX7.exe under Wine with the unit simulator on COM1.
# With a display it runs until closed; without one it runs on a virtual
# display, saves a screenshot (build/win/run/korvex7.png) and stops.
# Options after the command go to the simulator, e.g.
#   scripts/run.sh --load my-settings.dat --address 05
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}

scripts/install-deps.sh all
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs" --target korvex7-sim korvex7ctl
cmake --preset win >/dev/null
cmake --build --preset win -j "$jobs" --target KORVEX7
exec scripts/e2e/run_korvex7.sh build/native build/win "$@"
