#!/usr/bin/env bash
# Configures (once) and builds with the mingw-w64 toolchain into $TOVIRA_BUILD
# (default build/).
#   scripts/build.sh          everything: deliverables, tests, benchmarks
#   scripts/build.sh device   only what the Today screen of run.sh needs
# A tree first configured for the device leaves GoogleTest and the tests out
# until everything is built in it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${TOVIRA_BUILD:=$root/build}"
tests=ON
target=()
case "${1:-}" in
  "") ;;
  device) tests=""; target=(--target device) ;;
  *) echo "usage: scripts/build.sh [device]" >&2; exit 2 ;;
esac
cache="$TOVIRA_BUILD/CMakeCache.txt"
if [ ! -f "$cache" ] || [ ! -f "$TOVIRA_BUILD/Makefile" ]; then
  cmake --preset mingw -S "$root" -B "$TOVIRA_BUILD" -DTOVIRA_TESTS="${tests:-OFF}" >/dev/null
elif [ "$tests" = ON ] && ! grep -qx 'TOVIRA_TESTS:BOOL=ON' "$cache"; then
  cmake -S "$root" -B "$TOVIRA_BUILD" -DTOVIRA_TESTS=ON >/dev/null
fi
# Otherwise the tree configures itself again when a CMakeLists.txt changes.
cmake --build "$TOVIRA_BUILD" -j "$(nproc)" "${target[@]}"
