#!/usr/bin/env bash
# Creates the Wine prefix the end-to-end tests copy for every case, once:
#   prefix.sh BASE_PREFIX RUN_DIR
# RUN_DIR is where each case keeps its COM port links (RUN_DIR/com1..com6);
# the prefix maps COM1..COM6 to them. The prefix is rebuilt when its settings
# or RUN_DIR change (see the stamp file).
set -euo pipefail

base=$1
run=$2
here=$(cd "$(dirname "$0")" && pwd)
stamp_want="korvex7-e2e-prefix v3 run=$run"

if [ -f "$base/.korvex7-stamp" ] && [ "$(cat "$base/.korvex7-stamp")" = "$stamp_want" ]; then
  exit 0
fi

rm -rf "$base"
mkdir -p "$base" "$(dirname "$base")/tmp-prefix"
export WINEPREFIX=$base WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" TMPDIR
TMPDIR=$(cd "$(dirname "$base")/tmp-prefix" && pwd)
unset DISPLAY

echo "e2e: creating the Wine prefix (once)"
wineboot -i >/dev/null 2>&1 || true
wineserver -w

# Registry: Japanese fonts mapped to IPAGothic, Wine-drawn window frames (no
# window manager on the virtual display), no crash dialog, COM1..COM6 mapped
# to the links of the run directory (never to a real port of this machine).
reg_text=$(mktemp)
cat > "$reg_text" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"MS UI Gothic"="IPAGothic"
"MS Gothic"="IPAGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS PGothic"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAGothic"

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\\Software\\Wine\\DllOverrides]
"mscoree"=""
"mshtml"=""

[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]
"COM1"="$run/com1"
"COM2"="$run/com2"
"COM3"="$run/com3"
"COM4"="$run/com4"
"COM5"="$run/com5"
"COM6"="$run/com6"
REG
reg_file="$base/drive_c/korvex7-e2e.reg"
{ printf '\xff\xfe'; sed 's/$/\r/' "$reg_text" | iconv -f UTF-8 -t UTF-16LE; } > "$reg_file"
rm -f "$reg_text"
wine regedit /S 'C:\korvex7-e2e.reg' >/dev/null 2>&1
wineserver -w
rm -f "$reg_file"

# Title-bar button glyphs.
if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$base/drive_c/windows/Fonts/"
fi

grep -aq 'IPAGothic' "$base/user.reg" || { echo "e2e: the prefix registry was not written" >&2; exit 1; }
echo "$stamp_want" > "$base/.korvex7-stamp"
rm -rf "$(dirname "$base")/tmp-prefix"
