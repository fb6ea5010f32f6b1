#!/usr/bin/env bash
# Builds the Windows release package: a zip with KORVEX7.exe, korvex7ctl.exe
# and the user guide (Markdown and HTML), so a Windows user needs nothing
# else, and the installer KORVEX7-setup.exe (NSIS) that installs the same
# files under Program Files with Start-menu entries and an uninstaller.
#
# Usage: scripts/package.sh [OUTPUT_DIR]      (default: build/package)
# The Windows build directory is build/win unless KORVEX7_WIN_BUILD says otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=${1:-build/package}
build=${KORVEX7_WIN_BUILD:-build/win}
jobs=${JOBS:-2}

scripts/install-deps.sh windows

version=$(sed -n 's/^project(korvex7 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package: no version in CMakeLists.txt" >&2; exit 1; }
name=KORVEX7-$version-win64

echo "== Windows build in $build"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$jobs" --target KORVEX7 korvex7ctl korvex7-setup

program=$build/win/KORVEX7.exe
tool=$build/tools/ctl/korvex7ctl.exe
for exe in "$program" "$tool"; do
  [ -f "$exe" ] || { echo "package: $exe was not built" >&2; exit 1; }
  # Statically linked: only Windows' own DLLs may be imported.
  foreign=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' |
    grep -viE '^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|ole32|oleaut32|msvcrt|ws2_32|winmm|version|shlwapi|uxtheme|imm32|api-ms-win-[a-z0-9-]+)\.dll$' || true)
  if [ -n "$foreign" ]; then
    echo "package: $exe needs DLLs a Windows user may not have: $foreign" >&2
    exit 1
  fi
done

# The installer's build gathers what it installs: the guide with CR LF line
# ends (every Windows editor shows it properly) and as one HTML file (its
# style inside, for a browser). The zip holds the same files.
installer=$build/win/installer
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
cp "$program" "$tool" "$installer/USER-GUIDE.md" "$installer/USER-GUIDE.html" "$stage/$name/"

mkdir -p "$out"
zip_path=$root/$out/$name.zip
rm -f "$zip_path"
(cd "$stage" && zip -q -X -r "$zip_path" "$name")
cp "$installer/KORVEX7-setup.exe" "$out/KORVEX7-setup.exe"
echo "== $out/$name.zip"
unzip -l "$zip_path"
echo "== $out/KORVEX7-setup.exe ($(stat -c %s "$out/KORVEX7-setup.exe") bytes)"
