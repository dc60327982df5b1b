#!/usr/bin/env bash
# Takes the README's screenshots of the configuration tool at 96 and 192 dpi
# on a screen of a Pocket PC's proportions: docs/tool-<view>-<dpi>.png.
# Needs a build (TOVIRA_BUILD, default build/) and ImageMagick's convert.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export TOVIRA_BUILD="${TOVIRA_BUILD:-$root/build}"
source "$root/scripts/xvfb.sh"
source "$root/scripts/at-exit.sh"
tovira_at_exit tovira_end_xvfb
mkdir -p "$root/docs"
for dpi in 96 192; do
  # A device's screen: the tool takes all of it, the soft-key bar at its bottom.
  size=$([ "$dpi" = 96 ] && echo 240x320 || echo 480x640)
  tovira_xvfb make_screenshots.sh "$size" || exit 1
  # The prefix's desktop stays on the display, and at the size, it started
  # with: restart it before, and end it after, so the tests get their own.
  stop_wine() {
    (source "$root/scripts/wine-env.sh" && TOVIRA_DPI=$dpi && \
      WINEPREFIX="$TOVIRA_BUILD/wineprefix$([ "$dpi" = 96 ] || echo "-$dpi")" wineserver -k || true)
  }
  stop_wine
  for view in general page font; do
    out="$TOVIRA_BUILD/tool-$view-$dpi.bmp"
    TOVIRA_DPI=$dpi "$root/scripts/wine-run" \
      "$TOVIRA_BUILD/bin/tool_screenshot.exe" "$view" "Z:${out//\//\\}"
    convert "$out" "$root/docs/tool-$view-$dpi.png"
  done
  stop_wine
  tovira_end_xvfb
done
