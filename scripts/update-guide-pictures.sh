#!/usr/bin/env bash
# Copies the pictures the user guide shows (docs/images) from the
# screenshots of the end-to-end cases that take them:
#
#   scripts/e2e/run_e2e.sh build/asan build/win '4[58]_'
#   scripts/update-guide-pictures.sh [WIN_BUILD]      # build/win unless given
#
# then commit docs/images. A picture missing from the screenshots is an
# error: the case that takes it has not run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shots=${1:-$root/build/win}/e2e/screenshots
# screenshot (without .png) -> picture in docs/images
pictures=(
  "45_device_server_tcp-comm-settings-server comm-settings-server"
  "45_device_server_tcp-main-server main-server"
  "48_unit_scan-unit-scan unit-scan"
)
mkdir -p "$root/docs/images"
for entry in "${pictures[@]}"; do
  read -r shot picture <<<"$entry"
  [ -f "$shots/$shot.png" ] || { echo "no screenshot $shots/$shot.png: run its case first" >&2; exit 1; }
  cp "$shots/$shot.png" "$root/docs/images/$picture.png"
  echo "docs/images/$picture.png"
done
