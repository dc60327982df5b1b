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
# The lane's build (TOVIRA_ARCH; scripts/lane.sh), and the tour's device in it.
source "$root/scripts/lane.sh"
source "$root/scripts/xvfb.sh"
source "$root/scripts/at-exit.sh"
export TOVIRA_BUILD
[ "$build" = 0 ] || "$root/scripts/build.sh" device
[ "$TOVIRA_ARCH" != i686 ] || tovira_runs_32bit || { tovira_no_32bit tour; exit 1; }
start=$SECONDS

tour="$TOVIRA_BUILD/tour"
rm -rf "$tour"
mkdir -p "$tour/build" "$tour/frames"
ln -s "$TOVIRA_BUILD/bin" "$tour/build/bin"
ln -s "$TOVIRA_BUILD/package" "$tour/build/package"
export TOVIRA_DPI=96
# The device's screen at 96 dpi; the item's rows lie below the platform's
# date line (one row of its height).
read -r width height top < <(source "$root/scripts/wine-env.sh"
  size="$(tovira_screen_size 96 "$tovira_portrait")"
  echo "${size%x*} ${size#*x} $(tovira_device_fact DateLineHeight)")
prefix="$(TOVIRA_BUILD="$tour/build"; source "$root/scripts/wine-env.sh"; tovira_device_prefix)"

# A display exactly the device's size: the device's desktop fills it. The
# screen, the device's Wine and the display end with the tour.
tovira_xvfb tour "${width}x${height}" || exit 1
screen_pid=""
stopped() { [ "$tovira_exit_status" = 0 ] || echo "tour: stopped; frames so far in $tour/frames" >&2; }
tovira_at_exit tovira_end_job screen_pid
tovira_at_exit tovira_end_server "$prefix"
tovira_at_exit tovira_end_xvfb
tovira_at_exit stopped

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
# mark before an action; screen_changes [PIXELS] after it: the screen differs
# from the mark in more than PIXELS pixels (200 unless given).
mark() { shot "$tour/mark.png"; }
screen_changes() {
  shot "$tour/now.png"
  [ "$(changed "$tour/now.png" "$tour/mark.png")" -gt "${1:-200}" ]
}
# A program of the tour's device is running (by its file name). The Wine
# environment, its Russian locale among it, stays in a subshell, away from
# the picture tools.
running() { (source "$root/scripts/wine-env.sh" && tovira_prefix_runs "$prefix" -f "$1"); }
no_running() { ! running "$1"; }
reloads() { grep -c 'reload [0-9]*:' "$tour/screen.log" || true; }

echo "tour: starting the screen"
TOVIRA_BUILD="$tour/build" "$root/scripts/run.sh" --no-build >"$tour/screen.log" 2>&1 &
screen_pid=$!
within 180 grep -q 'loaded Tovira' "$tour/screen.log" || fail "the screen never loaded the item"
xdotool sleep 1.5  # the item's first tick and height
frame 200 "the Today screen"

echo "tour: a tap on the clock starts the clock"
mark
xdotool mousemove 110 $((top + 30)) click 1
within 10 running clock.exe || fail "a tap on the clock started no clock.exe"
within 5 screen_changes || fail "the clock started but does not show"
frame 150 "clock.exe started by the tap"
mark
xdotool key Escape
within 10 no_running clock.exe || fail "clock.exe did not close on Escape"
within 5 screen_changes || fail "the clock's window did not go"

echo "tour: a swipe to each paging page"
# A finger's drag: the moves come one by one, as the pointer would send them.
swipe() {
  xdotool mousemove 200 "$1" mousedown 1
  for x in 170 140 110 80 50 30; do xdotool sleep 0.05 mousemove "$x" "$1"; done
  xdotool mouseup 1
}
for page in launcher sysinfo calendar; do
  mark
  swipe $((top + 82))
  within 5 screen_changes || fail "the swipe to $page changed nothing"
  frame 120 "swiped to $page"
done

echo "tour: a hold opens the item's menu, and its entry the tool"
mark
xdotool mousemove 120 $((top + 82)) mousedown 1
within 5 screen_changes 50 || { xdotool mouseup 1; fail "holding the item opened no menu"; }
xdotool mouseup 1
frame 150 "the item's menu"
mark
xdotool mousemove 165 $((top + 93)) click 1
within 20 running tvrcfg.exe || fail "\"Настройки\" started no tvrcfg.exe"
within 20 screen_changes 2000 || fail "tvrcfg.exe started but does not show"
xdotool sleep 1
frame 150 "the tool"

echo "tour: one setting changed, OK on every level"
mark
xdotool mousemove 60 98 click --repeat 2 --delay 80 1
within 10 screen_changes 500 || fail "the setting's editor did not open"
frame 120 "the editor of the fixed pages' count"
mark
xdotool mousemove 122 82 click 1
within 5 screen_changes 5 || fail "the up arrow changed nothing"
frame 120 "one more fixed page"
mark
xdotool mousemove 58 307 click 1
within 10 screen_changes 500 || fail "the editor's OK did not return to the list"
frame 150 "OK: back in the list"
before="$(reloads)"
xdotool mousemove 58 307 click 1
within 20 no_running tvrcfg.exe || fail "the tool's OK did not end it"
within 20 test "$(reloads)" -gt "$before" || fail "the screen did not reload after the tool's OK"
xdotool sleep 1.5
shot "$tour/after.png"
[ "$(changed "$tour/after.png" "$tour/frames/00.png")" -gt 1000 ] ||
  fail "the reloaded screen looks as before the change"
frame 300 "the screen reloaded: the calendar is a fixed page now"

echo "tour: writing $gif"
args=()
for i in $(seq 0 $((frames - 1))); do args+=(-delay "${delays[$i]}" "$tour/frames/$(printf %02d "$i").png"); done
mkdir -p "$(dirname "$gif")"
convert -loop 0 "${args[@]}" -layers Optimize +dither -colors 64 "$gif"
echo "tour: $frames frames, $(du -k "$gif" | cut -f1) KB, $((SECONDS - start)) s"
