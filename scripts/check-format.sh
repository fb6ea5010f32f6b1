#!/usr/bin/env bash
# Checks that every C and C++ file of the repository is formatted as
# .clang-format says; names those that are not. Fix them with
#   clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=$(command -v clang-format-14 || command -v clang-format || true)
[ -n "$formatter" ] || { echo "clang-format is not installed (Debian: clang-format)" >&2; exit 2; }
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c' '*.cc')
# Many files per run, two runs at a time; each finding names its file.
bad=$({ printf '%s\0' "${files[@]}" |
  xargs -0 -n 40 -P 2 "$formatter" --dry-run --Werror 2>&1 || true; } |
  sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | sort -u)
if [ -n "$bad" ]; then
  echo "not formatted as .clang-format says (clang-format -i FILE):"
  printf '%s\n' "$bad" | sed 's/^/  /'
  exit 1
fi
echo "format: ${#files[@]} files as .clang-format says"
