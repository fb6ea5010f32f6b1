#!/usr/bin/env bash
# Checks that every C and C++ file of the repository is formatted as
# .clang-format says; names those that are not. Fix them with
#   clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=$(command -v clang-format-14 || command -v clang-format || true)
[ -n "$formatter" ] || { echo "clang-format is not installed (Debian: clang-format)" >&2; exit 2; }
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c' '*.cc')
bad=()
for f in "${files[@]}"; do
  "$formatter" --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -ne 0 ]; then
  echo "not formatted as .clang-format says (clang-format -i FILE):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "format: ${#files[@]} files as .clang-format says"
