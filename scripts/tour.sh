#!/usr/bin/env bash
# A recorded tour of the Today screen, and the end-to-end check of a person's
# path through it: the real screen of scripts/run.sh on a virtual display of
# the device's size, driven by real X input (xdotool): a tap that starts the
# clock, a swipe to each paging page, a hold to the item's menu, "Настройки",
# one setting changed and confirmed with OK on every level, and the screen
# reloading with it. Each step is captured (ImageMagick) into an animated GIF.
# A step that does not show what it should stops the tour with a message.
#
#   scripts/tour.sh [--no-build] [GIF]     (docs/tour.gif unless GIF)
#
# It installs xdotool and imagemagick itself when they are missing. The tour
# runs on a fresh device of its own (build/tour), so yours stays as it is.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build=1
gif="$root/docs/tour.gif"
for arg in "$@"; do
  case "$arg" in
    --no-build) build=0 ;;
    -*) echo "usage: scripts/tour.sh [--no-build] [GIF]" >&2; exit 2 ;;
    *) gif="$(realpath -m "$arg")" ;;
  esac
done
"$root/scripts/install-deps.sh" xdotool imagemagick
export TOVIRA_BUILD="${TOVIRA_BUILD:-$root/build}"
[ "$build" = 0 ] || "$root/scripts/build.sh"
start=$SECONDS

tour="$TOVIRA_BUILD/tour"
rm -rf "$tour"
mkdir -p "$tour/build" "$tour/frames"
ln -s "$TOVIRA_BUILD/bin" "$tour/build/bin"
ln -s "$TOVIRA_BUILD/package" "$tour/build/package"
export TOVIRA_DPI=96
width=240 height=320

# A display exactly the device's size: the device's desktop fills it.
fifo="$(mktemp -u)"; mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 n <"$fifo" || n=""
rm -f "$fifo"
[ -n "$n" ] || { echo "tour: no virtual display" >&2; exit 1; }
export DISPLAY=":$n"
screen_pid=""
finish() {
  local rc=$?
  [ -n "$screen_pid" ] && kill "$screen_pid" 2>/dev/null
  (export TOVIRA_BUILD="$tour/build"; source "$root/scripts/wine-env.sh"
   WINEPREFIX="$(tovira_device_prefix)" wineserver -k 2>/dev/null) || true
  kill "$xvfb_pid" 2>/dev/null
  [ $rc = 0 ] || echo "tour: stopped; frames so far in $tour/frames" >&2
  exit $rc
}
trap finish EXIT

fail() { echo "tour: $*" >&2; exit 1; }
# Waits (at most $1 seconds) until the command after it succeeds.
within() {
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do [ $SECONDS -lt $deadline ] || return 1; sleep 0.2; done
}
frames=0
delays=()
shot() { import -window root "$1"; }
# frame DELAY(1/100 s) CAPTION: the screen as it is now, kept in the GIF.
frame() {
  local file; file="$tour/frames/$(printf %02d $frames).png"
  shot "$file"
  delays+=("$1")
  frames=$((frames + 1))
  echo "  frame $frames: $2"
}
last() { echo "$tour/frames/$(printf %02d $((frames - 1))).png"; }
# Pixels that differ between two pictures.
changed() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true; }
screen_changes() {
  shot "$tour/now.png"
  [ "$(changed "$tour/now.png" "$(last)")" -gt "${1:-200}" ]
}
window() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
no_window() { ! window "$1"; }
reloads() { grep -c 'reload [0-9]*:' "$tour/screen.log" || true; }

echo "tour: starting the screen"
TOVIRA_BUILD="$tour/build" "$root/scripts/run.sh" --no-build >"$tour/screen.log" 2>&1 &
screen_pid=$!
within 180 grep -q 'loaded Tovira' "$tour/screen.log" || fail "the screen never loaded the item"
shot "$tour/blank.png"
within 10 screen_changes 0 2>/dev/null || true
sleep 1.5  # the item's first tick and height
frame 200 "the Today screen"

echo "tour: a tap on the clock starts the clock"
xdotool mousemove 110 30 click 1
within 10 window 'clock' || fail "a tap on the clock started no clock.exe"
within 5 screen_changes || fail "the clock started but does not show"
frame 150 "clock.exe started by the tap"
xdotool key Escape
within 10 no_window 'clock' || fail "clock.exe did not close on Escape"

echo "tour: a swipe to each paging page"
for page in launcher sysinfo calendar; do
  shot "$tour/before.png"
  xdotool mousemove 200 82 mousedown 1
  for x in 170 140 110 80 50 30; do xdotool mousemove "$x" 82; done
  xdotool mouseup 1
  within 5 screen_changes || fail "the swipe to $page changed nothing"
  frame 120 "swiped to $page"
done

echo "tour: a hold opens the item's menu"
xdotool mousemove 120 82 mousedown 1
sleep 1.2  # a hold is a press that lasts
within 5 screen_changes 50 || { xdotool mouseup 1; fail "holding the item opened no menu"; }
frame 120 "the item's menu"
xdotool mouseup 1
