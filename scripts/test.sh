#!/usr/bin/env bash
# The test command: installs what it needs, builds, and runs every test under
# Wine on a virtual display of its own. Arguments go to ctest (-R NAME ...).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export TOVIRA_BUILD="${TOVIRA_BUILD:-$root/build}"
# The tests choose their own prefixes, one per density.
unset TOVIRA_WINEPREFIX TOVIRA_DESKTOP TOVIRA_SERVER_PERSIST
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"
# The servers of the test prefixes that this run starts are ended with it.
prefixes=()
for dpi in 96 192; do
  p="$TOVIRA_BUILD/wineprefix$([ "$dpi" = 96 ] || echo "-$dpi")"
  tovira_server_running "$p" || prefixes+=("$p")
done
unset DISPLAY
source "$root/scripts/xvfb.sh"
finish() {
  local rc=$? p
  for p in "${prefixes[@]}"; do WINEPREFIX="$p" wineserver -k 2>/dev/null || true; done
  [ -z "${TOVIRA_XVFB_PID:-}" ] || kill "$TOVIRA_XVFB_PID" 2>/dev/null || true
  exit "$rc"
}
trap finish EXIT
cd "$TOVIRA_BUILD"
ctest --output-on-failure -j "$(nproc)" "$@"
