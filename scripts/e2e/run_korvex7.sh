#!/usr/bin/env bash
# Starts the real KORVEX7.exe under Wine with the unit simulator on COM1.
#
#   scripts/e2e/run_korvex7.sh NATIVE_BUILD WIN_BUILD [SIMULATOR-OPTION...]
#
# The simulator (NATIVE_BUILD/tools/korvex7-sim) runs on a pseudo-terminal
# that the private Wine prefix WIN_BUILD/run/prefix maps to COM1; simulator
# options (for example --address 00, --load FILE) are passed on. The
# simulator's log is WIN_BUILD/run/sim.log, the program's working folder (where
# its file dialogs start) WIN_BUILD/run/work.
#
# With a display ($DISPLAY set) the program runs there until it is closed.
# Without one it runs on a virtual display for a few seconds: a screenshot is
# saved to WIN_BUILD/run/korvex7.png and the program is closed again.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 NATIVE_BUILD WIN_BUILD [SIMULATOR-OPTION...]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/support/shell_lib.sh"
native=$(cd "$1" && pwd)
win=$(cd "$2" && pwd)
shift 2

sim=$native/tools/korvex7-sim
[ -x "$sim" ] || sim=$native/tools/sim/korvex7-sim
exe=$win/win/KORVEX7.exe
for f in "$sim" "$exe"; do
  [ -f "$f" ] || { echo "missing $f (build it first)" >&2; exit 2; }
done

run=$win/run
mkdir -p "$run/work" "$run/tmp"
"$root/scripts/e2e/prefix.sh" "$run/prefix" "$run"
for n in 2 3 4 5 6; do [ -e "$run/com$n" ] || mkdir -p "$run/com$n"; done

shim=$run/pty_serial_shim.so
src=$root/tests/e2e/shim/pty_serial_shim.c
if [ ! -f "$shim" ] || [ "$src" -nt "$shim" ]; then
  cc -shared -fPIC -O2 -o "$shim" "$src" -ldl
fi

export WINEPREFIX=$run/prefix TMPDIR=$run/tmp WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8

pids=()
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
}
trap cleanup EXIT

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  for n in $(seq 121 150); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >"$run/xvfb.log" 2>&1 &
  pids+=($!)
  wait_until 5 "Xvfb on :$n" test -e "/tmp/.X11-unix/X$n" || true
  export DISPLAY=":$n"
fi

rm -rf "$run/com1"
"$sim" --pty "$run/com1" --log "$run/sim.log" "$@" &
pids+=($!)
wait_until 5 "the simulator on $run/com1" test -L "$run/com1" ||
  { echo "the simulator did not start" >&2; exit 1; }

echo "KORVEX7.exe on $DISPLAY, simulator log $run/sim.log"
if [ "$headless" -eq 0 ]; then
  (cd "$run/work" && LD_PRELOAD=$shim wine "$exe")
  exit 0
fi

(cd "$run/work" && LD_PRELOAD=$shim exec wine "$exe") &
program=$!
rect="0 0 961 141"
driver=$win/win/korvex7-e2e-driver.exe
if [ -f "$driver" ]; then
  rect=$(LD_PRELOAD=$shim wine "$driver" main 20000 sleep 1000 print-main-rect) || rect="0 0 961 141"
else
  sleep 6
fi
read -r x y w h <<<"$rect"
import -window root "$run/screen.png"
convert "$run/screen.png" -crop "${w}x${h}+${x}+${y}" +repage "$run/korvex7.png"
echo "screenshot: $run/korvex7.png (whole screen: $run/screen.png)"
kill "$program" 2>/dev/null || true
