#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, if any is missing.
# Usage: scripts/install-deps.sh [native|windows|all]
set -euo pipefail

what=${1:-all}
native=(cmake make g++ libgtest-dev libgmock-dev libcli11-dev nlohmann-json3-dev python3 ser2net)
windows=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 wine xvfb xauth fonts-ipafont-gothic gdb
         fonts-wine imagemagick python3 zip pandoc nsis)
fuzz=(clang-14 libclang-rt-14-dev clang-format-14)

case "$what" in
  native) wanted=("${native[@]}") ;;
  windows) wanted=("${windows[@]}") ;;
  all) wanted=("${native[@]}" "${windows[@]}" "${fuzz[@]}") ;;
  *) echo "usage: $0 [native|windows|all]" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
