#!/usr/bin/env bash
# Configures (once) and builds with the mingw-w64 toolchain into $TOVIRA_BUILD
# (default build/). Arguments go to cmake --build: run.sh builds only the
# screen's "device" target, the tests build everything.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${TOVIRA_BUILD:=$root/build}"
# A configured tree configures itself again when a CMakeLists.txt changes.
if [ ! -f "$TOVIRA_BUILD/CMakeCache.txt" ] || [ ! -f "$TOVIRA_BUILD/Makefile" ]; then
  cmake --preset mingw -S "$root" -B "$TOVIRA_BUILD" >/dev/null
fi
cmake --build "$TOVIRA_BUILD" -j "$(nproc)" "$@"
