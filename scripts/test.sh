#!/usr/bin/env bash
# The test command: installs what it needs, builds, and runs every test under
# Wine on a virtual display of its own. Arguments go to ctest (-R NAME ...).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export TOVIRA_BUILD="${TOVIRA_BUILD:-$root/build}"
# The tests choose their own prefixes (build/wineprefix-test-<dpi>-<n>).
unset TOVIRA_WINEPREFIX TOVIRA_DESKTOP TOVIRA_SERVER_PERSIST TOVIRA_TEST_PREFIX
"$root/scripts/install-deps.sh" clang-format-14
# Every C++ source laid out as .clang-format says; a file that is not fails the
# run by name, before anything is built.
"$root/scripts/check-format.sh"
# The template of the tests' prefixes (cmake/ToviraTesting.cmake) boots Wine
# while the build runs.
mkdir -p "$TOVIRA_BUILD"
TOVIRA_WINEPREFIX="$TOVIRA_BUILD/wineprefix-test-template" TOVIRA_TEMPLATE_ONLY=1 TOVIRA_DPI=96 \
  TOVIRA_DESKTOP="ToviraTests,1024x768" "$root/scripts/wine-prefix" \
  >"$TOVIRA_BUILD/test-prefix.log" 2>&1 </dev/null &
template_job=$!
if ! "$root/scripts/build.sh"; then
  wait "$template_job" || true
  exit 1
fi
wait "$template_job" || { cat "$TOVIRA_BUILD/test-prefix.log" >&2; exit 1; }
source "$root/scripts/wine-env.sh"
# The servers of the test prefixes that this run starts are ended with it.
test_prefixes() {
  local p
  for p in "$TOVIRA_BUILD"/wineprefix-test-*; do [ -d "$p" ] && echo "$p"; done
}
declare -A running_before=()
for p in $(test_prefixes); do tovira_server_running "$p" && running_before[$p]=1; done
unset DISPLAY
source "$root/scripts/xvfb.sh"
finish() {
  local rc=$? p
  for p in $(test_prefixes); do
    [ -z "${running_before[$p]:-}" ] || continue
    WINEPREFIX="$p" wineserver -k 2>/dev/null || true
    # The prefix's own display (scripts/wine-run).
    if [ -f "$p.display" ] && read -r xvfb _ <"$p.display"; then
      kill "$xvfb" 2>/dev/null || true
    fi
    rm -f "$p.display"
  done
  [ -z "${TOVIRA_XVFB_PID:-}" ] || kill "$TOVIRA_XVFB_PID" 2>/dev/null || true
  exit "$rc"
}
trap finish EXIT
cd "$TOVIRA_BUILD"
ctest --output-on-failure -j "$(nproc)" "$@"
