# Shared by the korvex7ctl integration tests: each test script runs the tool
# against korvex7-sim on pseudo-terminals in a directory of its own.
#
# Usage in a test: source this file with the tool and the simulator as $1, $2.
set -uo pipefail

CTL=${1:?korvex7ctl binary}
SIM=${2:?korvex7-sim binary}
WORK=$(mktemp -d "${TMPDIR:-/tmp}/korvex7ctl-it.XXXXXX")
SIM_PIDS=()
# Other helpers a test starts (servers, babblers); ended with the test.
HELPER_PIDS=()
FAILURES=0
# The support programs of the tests (misbehaving servers and units) and the
# shell pieces shared with the end-to-end harness.
SUPPORT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)
source "$SUPPORT/shell_lib.sh"

cleanup() {
  local pid
  for pid in "${HELPER_PIDS[@]}" "${SIM_PIDS[@]}"; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  FAILURES=$((FAILURES + 1))
}

# start_sim NAME [simulator options...]: a simulator on the pseudo-terminal
# $WORK/NAME; returns once the link is there.
start_sim() {
  local name=$1
  shift
  : >"$WORK/$name.out"
  launch_sim "$WORK/$name" "$WORK/$name.out" "$@"
  local started=$?
  SIM_PIDS+=("$SIM_PID")
  [ "$started" -eq 0 ] || { echo "the simulator did not start" >&2; exit 1; }
}

# stop_sims: ends every simulator started so far (each writes its last dump).
stop_sims() {
  local pid
  for pid in "${SIM_PIDS[@]}"; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  SIM_PIDS=()
}

# ctl CODE ARGS...: runs the tool; its stdout and stderr land in $WORK/out and
# $WORK/err; the exit status must be CODE.
ctl() {
  local want=$1
  shift
  "$CTL" --no-progress "$@" >"$WORK/out" 2>"$WORK/err"
  local got=$?
  if [ "$got" -ne "$want" ]; then
    fail "korvex7ctl $* exited with $got, expected $want"
    sed 's/^/  stdout: /' "$WORK/out" >&2
    sed 's/^/  stderr: /' "$WORK/err" >&2
  fi
}

# expect_in FILE TEXT: FILE holds TEXT.
expect_in() {
  grep -qF -- "$2" "$1" || {
    fail "$1 does not hold \"$2\""
    sed 's/^/  | /' "$1" >&2
  }
}

# expect_not_in FILE TEXT
expect_not_in() {
  if grep -qF -- "$2" "$1"; then fail "$1 holds \"$2\""; fi
}

# same_settings A B: the two settings files hold the same settings (as the
# unit gets them).
same_settings() {
  "$CTL" diff "$1" "$2" >"$WORK/diff.out" 2>&1 || {
    fail "$1 and $2 differ"
    sed 's/^/  | /' "$WORK/diff.out" >&2
  }
}

# wait_same_settings A B: as same_settings, giving the simulator up to two
# seconds to write its dump.
wait_same_settings() {
  wait_until 2 "$2 to hold the settings of $1" "$CTL" diff "$1" "$2" >/dev/null 2>&1 ||
    same_settings "$1" "$2"
}

# A settings file that differs from the defaults in every group.
make_site_file() {
  local file=$1
  start_sim defaults --dump "$WORK/defaults.dat"
  wait_file "$WORK/defaults.dat"
  cp "$WORK/defaults.dat" "$file"
  "$CTL" set --file "$file" \
    alarm.mode=external alarm.inputPolarity=break alarm.holdTimeText=120 alarm.returnOn=off \
    'videoLoss.detect[4]=off' videoLoss.signalOutput=on videoLoss.background=blue \
    dateTime.displayRange=mdhm dateTime.display=off \
    'title.text[0]=入口' 'title.text[5]=第２会議室' 'title.text[15]=' \
    titleDisplay.single=off fontSize.split=small \
    'autoSwitch.dwellTime[16]=10' 'autoSwitch.dwellTime[24]=99' autoSwitch.mode=division \
    'videoAdjust.brightness[3]=-1' 'videoAdjust.contrast[0]=127' 'videoAdjust.hue[15]=-124' \
    'videoAdjust.sharpness[7]=31' 'videoAdjust.saturation[2]=0' \
    'agc.on[9]=off' 'videoFormat.format[10]=ntsc' 'videoFormat.format[0]=cvi720' \
    titlePosition.vertical=0 titlePosition.horizontal=15 \
    'splitLayout.quadA[0]=4' 'splitLayout.quadA[3]=1' \
    'splitLayout.sixteen[0]=16' 'splitLayout.sixteen[15]=1' \
    other.connectorInput=remote other.borderLine=grey other.powerOnScreen=split13A \
    other.ntscAspect=full || { echo "could not make the site file" >&2; exit 1; }
}

# wait_file FILE: up to two seconds for FILE to appear.
wait_file() {
  wait_until 2 "$1" test -s "$1" || fail "$1 did not appear"
}

# within MS CODE ARGS...: the tool ends with CODE within MS milliseconds; it
# is ended after 20 s whatever it does, or as soon as it holds more than
# 512 MB, and fails the check then.
within() {
  local limit=$1 want=$2
  shift 2
  local rc
  python3 - "$limit" "$want" "$WORK/out" "$WORK/err" "$CTL" --no-progress "$@" <<'PY'
import subprocess, sys, time
limit, want, out, err, argv = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3], sys.argv[4], sys.argv[5:]
started = time.monotonic()
with open(out, "wb") as o, open(err, "wb") as e:
    p = subprocess.Popen(argv, stdout=o, stderr=e)
    peak, why = 0, ""
    while p.poll() is None:
        try:
            for line in open(f"/proc/{p.pid}/status"):
                if line.startswith("VmRSS:"):
                    peak = max(peak, int(line.split()[1]) // 1024)
        except OSError:
            pass
        if peak > 512:
            why = f"held {peak} MB"
        elif time.monotonic() - started > 20:
            why = "ran for 20 s"
        if why:
            p.kill()
            p.wait()
            break
        time.sleep(0.02)
took = int((time.monotonic() - started) * 1000)
problems = []
if why:
    problems.append(f"was ended: it {why}")
elif p.returncode != want:
    problems.append(f"exited with {p.returncode}, expected {want}")
if took > limit:
    problems.append(f"took {took} ms, more than {limit}")
if problems:
    print("FAIL: korvex7ctl " + " ".join(argv[2:]) + ": " + "; ".join(problems), file=sys.stderr)
    sys.exit(1)
PY
  rc=$?
  if [ "$rc" -ne 0 ]; then
    FAILURES=$((FAILURES + 1))
    sed 's/^/  stderr: /' "$WORK/err" | head -5 >&2
  fi
}

# listen_sim NAME OPTIONS...: the simulator on a TCP port of its own; sets
# PORT_URL.
listen_sim() {
  local name=$1
  shift
  "$SIM" --listen tcp://127.0.0.1:0 "$@" >"$WORK/$name.out" 2>&1 &
  SIM_PIDS+=($!)
  wait_until 5 "the simulator to listen" grep -q 'on tcp://' "$WORK/$name.out"
  PORT_URL=$(grep -o 'tcp://127.0.0.1:[0-9]*' "$WORK/$name.out")
  [ -n "$PORT_URL" ] || { cat "$WORK/$name.out" >&2; exit 1; }
}

finish() {
  if [ "$FAILURES" -ne 0 ]; then
    echo "$FAILURES check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
  exit 0
}
