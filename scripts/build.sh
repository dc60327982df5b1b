#!/usr/bin/env bash
# Configures (once) and builds with the mingw-w64 toolchain of the lane in
# TOVIRA_ARCH (x86_64 unless set; scripts/lane.sh) into $TOVIRA_BUILD
# (default build/, or build-i686/ for the i686 lane).
#   scripts/build.sh            everything: deliverables, tests, benchmarks
#   scripts/build.sh device     only what the Today screen of run.sh needs
#   scripts/build.sh datamodel  the device target and the test programs of the
#                               data-model subset (ctest -L datamodel)
# A tree first configured for the device leaves GoogleTest and the tests out
# until everything is built in it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/lane.sh"
tests=ON
target=()
case "${1:-}" in
  "") ;;
  device) tests=""; target=(--target device) ;;
  datamodel) target=(--target device datamodel_tests) ;;
  *) echo "usage: scripts/build.sh [device|datamodel]" >&2; exit 2 ;;
esac
cache="$TOVIRA_BUILD/CMakeCache.txt"
# Ninja builds the trees (it keeps each step's time in .ninja_log); a tree
# that an older checkout configured for Make is configured again.
if [ -f "$cache" ] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$cache"; then
  rm -rf "$cache" "$TOVIRA_BUILD/CMakeFiles"
fi
if [ ! -f "$cache" ] || [ ! -f "$TOVIRA_BUILD/build.ninja" ]; then
  cmake --preset "$TOVIRA_PRESET" -S "$root" -B "$TOVIRA_BUILD" -DTOVIRA_TESTS="${tests:-OFF}" >/dev/null
elif [ "$tests" = ON ] && ! grep -qx 'TOVIRA_TESTS:BOOL=ON' "$cache"; then
  cmake -S "$root" -B "$TOVIRA_BUILD" -DTOVIRA_TESTS=ON >/dev/null
elif [ "${1:-}" = datamodel ] && ! grep -q '^build datamodel_tests:' "$TOVIRA_BUILD/build.ninja"; then
  # A tree configured before the subset had its target.
  cmake -S "$root" -B "$TOVIRA_BUILD" >/dev/null
fi
# Otherwise the tree configures itself again when a CMakeLists.txt changes.
# The compiler cache's terms (CMakeLists.txt): paths count from the checkout,
# so another clone's objects serve as well; precompiled headers are cached
# (pch_defines, time_macros), a clone's new file times do not stop a hit
# (include_file_mtime, include_file_ctime), a miss costs no run of the
# preprocessor of its own (depend mode: the compiler's -MD list is the key),
# and each file is hashed once a build, not once a source that includes it
# (the inode cache: the precompiled headers are 40 and 110 MB).
export CCACHE_BASEDIR="$root"
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
export CCACHE_DEPEND=1 CCACHE_INODECACHE=1
# A cache it cannot write would fail every compile: then the compiler runs alone.
if command -v ccache >/dev/null 2>&1; then
  cache_dir="$(ccache -k cache_dir 2>/dev/null || true)"
  { [ -n "$cache_dir" ] && mkdir -p "$cache_dir" 2>/dev/null && [ -w "$cache_dir" ]; } ||
    export CCACHE_DISABLE=1
fi
cmake --build "$TOVIRA_BUILD" -j "$(nproc)" "${target[@]}"
