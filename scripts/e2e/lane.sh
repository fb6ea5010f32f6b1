# The set-up and the lanes of an end-to-end run (sourced by run_e2e.sh and
# exit_cycles.sh).
#
# A lane is a virtual display, a run folder (RUN) with a Wine prefix of its
# own, its wineserver (TMPDIR) and the COM links COM1..COM6; lanes run side by
# side without seeing each other. Each case gets a fresh prefix made from the
# template BASE, and everything the case starts carries a token in its
# environment, so that whatever is still running when the case is over can be
# found, its threads' stacks kept, and ended.
#
# Needs E2E_ROOT (the repository) and RUN_TOKEN (marks every process of this
# run); e2e_setup sets the rest.

source "$E2E_ROOT/tests/support/shell_lib.sh"

# e2e_setup NATIVE_BUILD WIN_BUILD: what every run needs: the programs under
# test (SIM, EXE, DRIVER, LINK_CHECK, CTL, WIN_TESTS), the tools, the pty library
# (SHIM), Wine's settings, and the prefix template (BASE, made once);
# E2E is WIN_BUILD/e2e. Fails when something is missing.
e2e_setup() {
  NATIVE_BUILD=$(cd "$1" && pwd) && WIN_BUILD=$(cd "$2" && pwd) || return 2
  SIM=$NATIVE_BUILD/tools/korvex7-sim
  [ -x "$SIM" ] || SIM=$NATIVE_BUILD/tools/sim/korvex7-sim
  EXE=$WIN_BUILD/win/KORVEX7.exe
  DRIVER=$WIN_BUILD/win/korvex7-e2e-driver.exe
  LINK_CHECK=$WIN_BUILD/win/korvex7-link-check.exe
  CTL=$WIN_BUILD/tools/ctl/korvex7ctl.exe
  WIN_TESTS=$WIN_BUILD/win/korvex7_win_tests.exe
  local f tool src
  for f in "$SIM" "$EXE" "$DRIVER" "$LINK_CHECK" "$CTL"; do
    [ -f "$f" ] || { echo "e2e: missing $f (build it first)" >&2; return 2; }
  done
  for tool in wine wineserver winedbg Xvfb import convert cc iconv gdb ser2net; do
    command -v "$tool" >/dev/null || { echo "e2e: $tool is not installed" >&2; return 2; }
  done
  E2E=$WIN_BUILD/e2e
  mkdir -p "$E2E"
  export NATIVE_BUILD WIN_BUILD SIM EXE DRIVER LINK_CHECK CTL

  # The pty library for the Wine processes (tests only).
  SHIM=$E2E/pty_serial_shim.so
  src=$E2E_ROOT/tests/e2e/shim/pty_serial_shim.c
  if [ ! -f "$SHIM" ] || [ "$src" -nt "$SHIM" ]; then
    cc -shared -fPIC -O2 -Wall -o "$SHIM" "$src" -ldl || { echo "e2e: cannot build $SHIM" >&2; return 2; }
  fi
  export SHIM
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8

  # The settings files the cases make are written in the core's own field
  # names and start from its defaults (tests/e2e/settings_file.py).
  local tool=$NATIVE_BUILD/tools/ctl/korvex7ctl reference=$E2E/reference
  export KORVEX7_SETTINGS_REFERENCE=$reference
  rm -rf "$reference"
  mkdir -p "$reference"
  "$tool" --json fields >"$reference/fields.json" ||
    { echo "e2e: cannot list the fields with $tool" >&2; return 2; }
  launch_sim "$reference/line" "$reference/sim.out" --dump "$reference/defaults.dat"
  kill "$SIM_PID" 2>/dev/null
  wait "$SIM_PID" 2>/dev/null
  [ -s "$reference/defaults.dat" ] || { echo "e2e: the simulator wrote no defaults" >&2; return 2; }

  # The prefix template, created once; each case runs on a copy of it.
  BASE=$E2E/prefix-base
  TEMPLATE_RUN=$E2E/lane-template
  "$E2E_ROOT/scripts/e2e/prefix.sh" "$BASE" "$TEMPLATE_RUN" ||
    { echo "e2e: cannot create the Wine prefix" >&2; return 2; }
}

# lane_open N [SCREEN]: starts lane N's display (SCREEN "1280x800" unless
# given) and sets RUN, WINEPREFIX, TMPDIR, DISPLAY, LANE_XVFB and
# LANE_SCREEN.
lane_open() {
  local n=$1
  RUN=$E2E/lane$n
  rm -rf "$RUN"
  mkdir -p "$RUN/tmp"
  export RUN WINEPREFIX=$RUN/prefix TMPDIR=$RUN/tmp
  lane_display "${2:-1280x800}" || { echo "e2e: lane $n: no display" >&2; return 1; }
}

# lane_display SCREEN: the lane's virtual display at SCREEN (WIDTHxHEIGHT).
# Xvfb chooses a free display number itself and writes it once it listens.
lane_display() {
  local screen=$1 numfile=$RUN/display
  rm -f "$numfile"
  KORVEX7_E2E_RUN=$RUN_TOKEN Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp \
    3>"$numfile" >"$RUN/xvfb.log" 2>&1 &
  LANE_XVFB=$!
  wait_until 10 "Xvfb to listen" xvfb_listens "$numfile"
  [ -s "$numfile" ] || { cat "$RUN/xvfb.log" >&2; return 1; }
  export DISPLAY=":$(tr -d '\n' <"$numfile")"
  LANE_SCREEN=$screen
}

# xvfb_listens NUMFILE: the lane's Xvfb has written its display number, or
# has ended (then it never will).
xvfb_listens() {
  [ -s "$1" ] || ! kill -0 "$LANE_XVFB" 2>/dev/null
}

# lane_screen SCREEN: the lane's display at SCREEN, a new one when the lane's
# has another size (a case that asks for its screen, see run_e2e.sh). Only
# between cases: no Wine process of the lane may be running.
lane_screen() {
  [ "$1" != "${LANE_SCREEN:-}" ] || return 0
  lane_stop_display
  lane_display "$1"
}

lane_stop_display() {
  if [ -n "${LANE_XVFB:-}" ]; then
    kill "$LANE_XVFB" 2>/dev/null || true
    wait "$LANE_XVFB" 2>/dev/null || true
    LANE_XVFB=
    LANE_SCREEN=
  fi
}

lane_close() {
  lane_end_wine
  lane_stop_display
}

# Ends every Wine process of the lane's prefix (bounded: a wineserver that
# does not answer is left to the leftover check).
lane_end_wine() {
  [ -d "${WINEPREFIX:-/nonexistent}" ] || return 0
  timeout 10 wineserver -k >/dev/null 2>&1 || true
  timeout 10 wineserver -w >/dev/null 2>&1 || true
}

# lane_fresh_prefix: a new prefix from the template. The template's files
# under drive_c are linked, not copied (Wine only reads them; a case writes
# only new files there); the registry, which Wine rewrites, is copied, and its
# COM port mapping moved from the template's run folder to this lane's.
lane_fresh_prefix() {
  lane_end_wine
  rm -rf "$WINEPREFIX" "$RUN"/com[0-9]* "$RUN/tmp"
  mkdir -p "$WINEPREFIX" "$RUN/tmp"
  cp -al "$BASE/drive_c" "$WINEPREFIX/drive_c"
  cp -a "$BASE/dosdevices" "$BASE"/*.reg "$BASE/.update-timestamp" "$WINEPREFIX/"
  sed -i "s|\"$TEMPLATE_RUN/com|\"$RUN/com|" "$WINEPREFIX/system.reg"
  # COM2..COM6 name folders, so they cannot be opened; COM1 is left to the
  # case (the simulator's pty, or a folder for a port that cannot be opened).
  local n
  for n in 2 3 4 5 6; do mkdir -p "$RUN/com$n"; done
}

# lane_prefix_dpi DPI: the display scale the prefix's programs see (the
# user's LogPixels, 96 for 100 %, 144 for 150 %), written into its registry
# file before Wine reads it: called after lane_fresh_prefix, before any Wine
# process of the case starts.
lane_prefix_dpi() {
  local reg=$WINEPREFIX/user.reg value
  value=$(printf 'dword:%08x' "$1")
  awk -v value="\"LogPixels\"=$value" '
    /^\[/ { section = ($0 ~ /^\[Control Panel\\\\Desktop\]/); pending = section; print; next }
    section && /^"LogPixels"=/ { next }
    pending && /^#time=/ { print; print value; pending = 0; next }
    pending { print value; pending = 0 }
    { print }
  ' "$reg" >"$reg.new" && mv "$reg.new" "$reg"
  grep -q "^\"LogPixels\"=$value" "$reg" || {
    printf '\n[Control Panel\\\\Desktop]\n"LogPixels"=%s\n' "$value" >>"$reg"
  }
}

# lane_prefix_com N...: COM ports beyond COM6 for the case (COMN mapped to
# RUN/comN, as COM1..COM6 are), written into the prefix's registry before
# Wine reads it: called after lane_fresh_prefix, before any Wine process of
# the case starts. What RUN/comN holds is the case's to make (the
# simulator's pty, or nothing).
lane_prefix_com() {
  local reg=$WINEPREFIX/system.reg n lines=
  for n in "$@"; do
    lines+="\"COM$n\"=\"$RUN/com$n\"\n"
    ln -sfn "$RUN/com$n" "$WINEPREFIX/dosdevices/com$n"
  done
  awk -v add="$lines" '
    { print }
    /^\[Software\\\\Wine\\\\Ports\]/ { section = 1; next }
    section && /^#time=/ { printf "%s", add; section = 0 }
  ' "$reg" >"$reg.new" && mv "$reg.new" "$reg"
  for n in "$@"; do
    grep -qF "\"COM$n\"=\"$RUN/com$n\"" "$reg" || { echo "e2e: COM$n not mapped" >&2; return 1; }
  done
}

# token_pids TOKEN: the processes whose environment holds
# KORVEX7_E2E_CASE=TOKEN (or KORVEX7_E2E_RUN=TOKEN).
token_pids() {
  grep -lzxs -e "KORVEX7_E2E_CASE=$1" -e "KORVEX7_E2E_RUN=$1" /proc/[0-9]*/environ |
    sed 's|^/proc/\([0-9]*\)/environ$|\1|' | grep -vx -e "$$" -e "${BASHPID:-$$}" || true
}

# dump_stacks FILE PID...: what each process is doing, appended to FILE: its
# state and tracer, each thread's state and kernel wait, and every thread's
# stack from gdb (the Linux side of a Wine process: the server call it waits
# in). For Wine processes winedbg adds the Windows threads' stacks. A process
# traced by another (a sanitizer's stop-the-world) cannot take gdb; its
# tracer's stack is taken instead.
dump_stacks() {
  local out=$1 pid task tracer
  shift
  for pid in "$@"; do
    [ -d "/proc/$pid" ] || continue
    {
      echo "==== process $pid: $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
      grep -E '^(State|PPid|TracerPid|SigPnd|ShdPnd):' "/proc/$pid/status" 2>/dev/null
      for task in /proc/"$pid"/task/*; do
        echo "  thread ${task##*/}: state $(awk '{print $3}' "$task/stat" 2>/dev/null)," \
          "waits in $(cat "$task/wchan" 2>/dev/null || echo '?')"
      done
      tracer=$(awk '/^TracerPid:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
      if [ -n "$tracer" ] && [ "$tracer" != 0 ]; then
        echo "  traced by $tracer: $(tr '\0' ' ' <"/proc/$tracer/cmdline" 2>/dev/null); its stack:"
        timeout 30 gdb -p "$tracer" -batch -ex 'bt 12' 2>&1 | grep '^#' | sed 's/^/    /'
      else
        timeout 60 gdb -p "$pid" -batch -ex 'thread apply all bt 20' 2>&1 |
          grep -E '^(Thread|#)' | sed 's/^/    /'
      fi
    } >>"$out" 2>&1
  done
  # The Windows side of the Wine processes, all threads.
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    {
      echo "==== winedbg: bt all"
      timeout 60 winedbg --command "bt all" 2>&1 | head -400
    } >>"$out" 2>&1
  fi
}

# token_ended TOKEN: no process carries TOKEN any more.
token_ended() { [ -z "$(token_pids "$1")" ]; }

# end_token_processes TOKEN FILE: ends every process still carrying TOKEN:
# TERM, then KILL after a short grace. Prints those that were left (and keeps
# their stacks in FILE first); nothing when none was.
end_token_processes() {
  local token=$1 out=$2 pids
  pids=$(token_pids "$token")
  [ -n "$pids" ] || return 0
  ps -o pid=,stat=,etime=,args= -p "$(echo $pids | tr ' ' ',')" 2>/dev/null | cut -c1-200
  dump_stacks "$out" $pids
  kill $pids 2>/dev/null || true
  wait_until 2 "the processes of $token to end" token_ended "$token" 2>/dev/null && return 0
  pids=$(token_pids "$token")
  [ -z "$pids" ] || kill -KILL $pids 2>/dev/null || true
}
