#!/usr/bin/env bash
# The test command: installs what it needs, builds, and runs every test under Wine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export TOVIRA_BUILD="${TOVIRA_BUILD:-$root/build}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
unset DISPLAY
source "$root/scripts/xvfb.sh"
trap '[ -n "${TOVIRA_XVFB_PID:-}" ] && kill "$TOVIRA_XVFB_PID" 2>/dev/null; true' EXIT
cd "$TOVIRA_BUILD"
ctest --output-on-failure -j "$(nproc)" "$@"
