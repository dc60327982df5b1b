#!/usr/bin/env bash
# Fails, naming each file, when a C++ source of the project does not match the
# repository's .clang-format. The formatter is pinned to Debian 12's version:
# another version lays some lines out differently.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
format=clang-format-14
command -v "$format" >/dev/null 2>&1 || format=clang-format
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
# One formatter for all the files (a start of its own for each cost a second
# per twenty files): it names each place that differs as "file:line:col: error".
existing=()
for f in "${files[@]}"; do [ -f "$f" ] && existing+=("$f"); done
report="$(mktemp)"
trap 'rm -f "$report"' EXIT
rc=0
printf '%s\0' "${existing[@]}" | xargs -0 -r "$format" --dry-run --Werror 2>"$report" >/dev/null || rc=$?
mapfile -t bad < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' "$report" | sort -u)
if [ ${#bad[@]} -gt 0 ]; then
  echo "check-format: these files do not match .clang-format (run $format -i on them):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
if [ "$rc" != 0 ]; then
  echo "check-format: $format failed:" >&2
  cat "$report" >&2
  exit 1
fi
echo "check-format: ${#existing[@]} files match .clang-format"
