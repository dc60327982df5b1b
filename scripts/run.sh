#!/usr/bin/env bash
# The main job: installs what it needs, builds what the screen needs (the
# "device" target: no tests, no benchmarks), installs the item into a device
# root (build/device) and shows the Today screen.
#
#   scripts/run.sh [--no-build] [--png [FILE]] [--ticks N] [--swipe N] [--select I]
#   scripts/run.sh --install
#   scripts/run.sh --remove
#
# With a display: a Today screen the size of a device in the device's Wine
# desktop. When a screen of that device is open already, the item is
# installed over it and the open screen reloads. Without a display, or with
# --png [FILE]: the screen is written to a PNG (build/today.png unless FILE)
# and its path printed; --ticks, --swipe and --select shape that picture.
# TOVIRA_DPI=192 runs a VGA device (480x640) in a 192-dpi prefix.
# TOVIRA_ARCH=i686 runs the device's 32-bit build (build-i686/) under Wine's
# 32-bit side, on a device of its own.
# --no-build reuses the build as it is (for a series of screenshots).
# --install makes the device and installs the item (over an open screen,
# which reloads), and shows nothing: scripts/device-state.sh starts with it
# where there is no device yet.
# --remove takes the item off the device through the installer stand-in
# (the setup library's Uninstall_Init and Uninstall_Exit), in the device's
# own desktop, so an open screen drops the item at once; run.sh installs it
# again.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
usage() {
  sed -n '/^#   scripts\/run.sh/p' "${BASH_SOURCE[0]}" | sed 's/^#  //' >&2
  echo "run.sh: $1" >&2
  exit 2
}
source "$root/scripts/lane.sh"
source "$root/scripts/xvfb.sh"
source "$root/scripts/at-exit.sh"
export TOVIRA_BUILD
export TOVIRA_DPI="${TOVIRA_DPI:-96}"
[[ "$TOVIRA_DPI" =~ ^[1-9][0-9]{1,2}$ ]] || usage "TOVIRA_DPI must be a screen density such as 96 or 192"

png=""
want_png=0
build=1
remove=0
install_only=0
host_args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --png)
      want_png=1; shift
      # The file name is optional: without one the picture is build/today.png.
      if [ $# -gt 0 ] && [ -n "$1" ] && [[ "$1" != --* ]]; then png="$(realpath -m "$1")"; shift; fi ;;
    --no-build) build=0; shift ;;
    --remove) remove=1; shift ;;
    --install) install_only=1; shift ;;
    --ticks | --swipe | --select)
      [ $# -ge 2 ] && [[ "$2" =~ ^-?[0-9]+$ ]] || usage "$1 needs a number"
      host_args+=("$1" "$2"); shift 2 ;;
    -h | --help) usage "see above" ;;
    *) usage "unknown argument '$1'" ;;
  esac
done
[ "$remove" = 0 ] || { [ "$want_png" = 0 ] && [ ${#host_args[@]} = 0 ] && [ "$install_only" = 0 ]; } ||
  usage "--remove takes no other arguments"
[ "$install_only" = 0 ] || { [ "$want_png" = 0 ] && [ ${#host_args[@]} = 0 ]; } ||
  usage "--install takes no other arguments but --no-build"

# The device gets a Wine prefix of its own, so its state and settings never
# meet those of the tests; all its programs share one desktop of its size,
# and its server goes soon after the last of them.
source "$root/scripts/wine-env.sh"
tovira_use_device_prefix
# Wine's 32-bit side needs a kernel that runs 32-bit programs.
if [ "$TOVIRA_ARCH" = i686 ] && ! tovira_runs_32bit; then
  if [ "$build" = 1 ] && [ "$remove" = 0 ]; then
    "$root/scripts/install-deps.sh" && "$root/scripts/build.sh" device
  fi
  tovira_no_32bit run.sh
  exit 1
fi
export TOVIRA_DESKTOP="$(tovira_device_desktop)"
export TOVIRA_SERVER_PERSIST=2
size="${TOVIRA_DESKTOP#*,}"
bin="$TOVIRA_BUILD/bin"
device="$TOVIRA_DEVICE"

# A screen the user has open (or a tool started from it) lives in this
# prefix's server: the run then leaves that server alone.
server_was_running=0
tovira_server_running && server_was_running=1
screen_open() { tovira_prefix_runs "$WINEPREFIX" -f 'todayhost\.exe'; }
# Every program of the device joins the open screen's desktop, on the
# display that screen is on, wherever this command was typed.
if screen_open; then
  screen_display="$(tovira_prefix_display "$WINEPREFIX" -f 'todayhost\.exe')" &&
    [ -n "$screen_display" ] && export DISPLAY="$screen_display"
fi

if [ "$remove" = 1 ] && { [ ! -x "$bin/tvrinstall.exe" ] || [ ! -f "$WINEPREFIX/.tovira-ready" ]; }; then
  echo "run.sh: no device at $device to remove the item from; scripts/run.sh makes it" >&2
  exit 1
fi
prefix_job=""
if [ "$remove" = 0 ] && { [ "$build" = 1 ] || ! tovira_device_built; }; then
  "$root/scripts/install-deps.sh"
  tovira_russian_locale  # a fresh machine has it only now
  # A new device's prefix takes a while to boot: it does so while the build runs.
  if [ ! -f "$WINEPREFIX/.tovira-ready" ]; then
    mkdir -p "$TOVIRA_BUILD"
    "$root/scripts/wine-prefix" >"$TOVIRA_BUILD/device-prefix.log" 2>&1 </dev/null &
    prefix_job=$!
  fi
  if ! "$root/scripts/build.sh" device; then
    [ -z "$prefix_job" ] || wait "$prefix_job" || true
    exit 1
  fi
fi
if [ -n "$prefix_job" ] && ! wait "$prefix_job"; then
  cat "$TOVIRA_BUILD/device-prefix.log" >&2
  exit 1
fi
# Every program this script and scripts/device-state.sh start comes from the
# device target: one it did not make stops the run here, by name.
if [ "$remove" = 0 ] && missing="$(tovira_device_missing)" && [ -n "$missing" ]; then
  echo "run.sh: the device target did not make" $missing "in $TOVIRA_BUILD" >&2
  exit 1
fi

interactive=0
[ "$want_png" = 0 ] && [ "$install_only" = 0 ] && [ -n "${DISPLAY:-}" ] && interactive=1
own_xvfb() { [ -n "${TOVIRA_XVFB_PID:-}" ] || tovira_xvfb run.sh || exit 1; }
# The device's desktop opens on the display of the first program: a run
# without a screen of its own puts it on a private one, ended with it. The
# server ends only when this run started it: never a screen of the user.
if [ "$interactive" = 0 ] || [ "$remove" = 1 ]; then
  [ "$server_was_running" = 1 ] && [ -n "${DISPLAY:-}" ] || own_xvfb
  [ "$server_was_running" = 1 ] || tovira_at_exit tovira_end_server "$WINEPREFIX"
  tovira_at_exit tovira_end_xvfb
fi
"$root/scripts/wine-prefix" >/dev/null

if [ "$remove" = 1 ]; then
  log="$TOVIRA_BUILD/remove.log"
  rc=0
  (cd "$device" && "$WINE" "$bin/tvrinstall.exe" remove "$("$WINE" winepath -w "$device")") \
    </dev/null >"$log" 2>&1 || rc=$?
  cat "$log"
  [ "$rc" = 0 ] || exit "$rc"
  if screen_open; then
    echo "The open Today screen dropped the item; scripts/run.sh installs it again"
  fi
  exit 0
fi

# The device's own folders and the stand-ins for its programs.
mkdir -p "$device/Windows" "$device/Program Files"
# The storage card is in, unless scripts/device-state.sh card=0 took it out.
[ -d "$(tovira_card_aside)" ] || mkdir -p "$(tovira_card_folder)"
cp -f "$bin"/devicestubs/*.exe "$device/Windows/"

# A fresh device starts with a lively state, so every page has something to
# show. What the user sets later (scripts/device-state.sh) stays.
fresh=0
[ -f "$WINEPREFIX/.tovira-device" ] || fresh=1

# Installs the cabinet (build/package/Tovira.cab, as package/_setup.xml
# describes it) through the installer stand-in, as the device's installer
# would: the setup hooks, the files into "\Program Files\Tovira", the Today
# shell's entry.
log="$TOVIRA_BUILD/install.log"
if ! "$WINE" "$bin/tvrinstall.exe" install "$("$WINE" winepath -w "$TOVIRA_BUILD/package/Tovira.cab")" \
    "$("$WINE" winepath -w "$device")" </dev/null >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
tail -n 1 "$log"
if [ "$fresh" = 1 ]; then
  "$root/scripts/device-state.sh" --lively >/dev/null
  touch "$WINEPREFIX/.tovira-device"
fi

cd "$device"
if [ "$interactive" = 1 ] || [ "$install_only" = 1 ]; then
  if screen_open; then
    echo "The open Today screen reloaded the item; device root: $device"
    exit 0
  fi
  [ "$install_only" = 0 ] || { echo "Device root: $device"; exit 0; }
  echo "Today screen $size at $TOVIRA_DPI dpi; device root: $device"
  exec "$WINE" "$bin/todayhost.exe" --fullscreen --size "$size" "${host_args[@]}"
fi

[ -n "$png" ] || png="$TOVIRA_BUILD/today.png"
mkdir -p "$(dirname "$png")"
rm -f "$png"
# The picture is taken in a desktop of its own on this run's display, so an
# open screen of the user neither shows it nor is covered by it.
own_xvfb
"$WINE" explorer "/desktop=Tovira${TOVIRA_DPI}shot,$size" "$bin/todayhost.exe" --fullscreen \
  --size "$size" --png "$("$WINE" winepath -w "$png" 2>/dev/null)" "${host_args[@]}" </dev/null
# The desktop may return before the program inside it has finished.
for _ in $(seq 1 600); do [ -s "$png" ] && break; sleep 0.1; done
[ -s "$png" ] || { echo "no Today screen was written" >&2; exit 1; }
echo "$png"
