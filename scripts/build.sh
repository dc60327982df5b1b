#!/usr/bin/env bash
# Configures and builds with the mingw-w64 toolchain into $TOVIRA_BUILD (default build/).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${TOVIRA_BUILD:=$root/build}"
cmake --preset mingw -S "$root" -B "$TOVIRA_BUILD" >/dev/null
cmake --build "$TOVIRA_BUILD" -j "$(nproc)"
