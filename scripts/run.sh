#!/usr/bin/env bash
# The main job: installs what it needs, builds, puts the item into a device
# root (build/device) and starts todayhost on it. With a display: a Today
# screen the size of a device in its own Wine desktop. Without one (or with
# --png FILE): the screen is written to a PNG (build/today.png) and its path
# printed. TOVIRA_DPI=192 runs a VGA device (480x640) in a 192-dpi prefix.
# --no-build reuses the build as it is (for a series of screenshots).
# Other arguments go to todayhost (for example --swipe 1 to show the next page).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export TOVIRA_BUILD="${TOVIRA_BUILD:-$root/build}"
# The device gets a Wine prefix of its own, so its state and settings never
# meet those of the tests.
export TOVIRA_DPI="${TOVIRA_DPI:-96}"
export WINEPREFIX="${WINEPREFIX:-$TOVIRA_BUILD/wineprefix-device-$TOVIRA_DPI}"

png=""
build=1
host_args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --png) png="$(realpath -m "$2")"; shift 2 ;;
    --no-build) build=0; shift ;;
    *) host_args+=("$1"); shift ;;
  esac
done

if [ "$build" = 1 ] || [ ! -x "$TOVIRA_BUILD/bin/todayhost.exe" ]; then
  "$root/scripts/install-deps.sh"
  "$root/scripts/build.sh"
fi
source "$root/scripts/wine-env.sh"
"$root/scripts/wine-prefix" >/dev/null

bin="$TOVIRA_BUILD/bin"
device="$TOVIRA_BUILD/device"
width=$((240 * TOVIRA_DPI / 96))
height=$((320 * TOVIRA_DPI / 96))

# The device's own folders and the stand-ins for its programs.
prepare_device_root() {
  mkdir -p "$device/Windows" "$device/Storage Card" "$device/Program Files"
  cp -f "$bin"/devicestubs/*.exe "$device/Windows/"
}

# Installs the package (build/package, as package/tovira.inf describes it)
# through the installer stand-in, as the cabinet installer would: the setup
# hooks, the files into "\Program Files\Tovira", the Today shell's entry.
install_item() {
  local log="$TOVIRA_BUILD/install.log"
  if ! DISPLAY= "$WINE" "$bin/tvrinstall.exe" install "$(winepath -w "$TOVIRA_BUILD/package")" \
      "$(winepath -w "$device")" </dev/null >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
  fi
  tail -n 1 "$log"
}

# The device's regional settings: Russian, with the long date as Windows
# shows it (Wine's own puts the weekday in front, which the item shows apart).
regional_settings() {
  DISPLAY= "$WINE" reg add 'HKCU\Control Panel\International' /v sLongDate /t REG_SZ \
    /d "d MMMM yyyy 'г.'" /f </dev/null >/dev/null 2>&1 || true
}

prepare_device_root
regional_settings
install_item
# A lively device: an operator, unread messages, Bluetooth on, an alarm, a
# battery, a storage card and a few launcher shortcuts.
"$root/scripts/device-state.sh" "$device" >/dev/null

# A Wine desktop of the device's size: the item measures the screen, and the
# programs it starts open on the same small screen.
desktop="/desktop=Tovira${TOVIRA_DPI},${width}x${height}"
cd "$device"
if [ -z "$png" ] && [ -n "${DISPLAY:-}" ]; then
  echo "Today screen ${width}x${height} at ${TOVIRA_DPI} dpi; device root: $device"
  exec "$WINE" explorer "$desktop" "$bin/todayhost.exe" --fullscreen --size "${width}x${height}" \
    "${host_args[@]}"
fi

[ -n "$png" ] || png="$TOVIRA_BUILD/today.png"
mkdir -p "$(dirname "$png")"
rm -f "$png"
# Wine's desktop lives as long as its server and stays bound to the display it
# first saw: start this run's server afresh, and end it before its display goes.
wineserver -k 2>/dev/null || true
unset DISPLAY
source "$root/scripts/xvfb.sh"
trap 'wineserver -k 2>/dev/null; [ -n "${TOVIRA_XVFB_PID:-}" ] && kill "$TOVIRA_XVFB_PID" 2>/dev/null; true' EXIT
"$root/scripts/wine-prefix" >/dev/null
"$WINE" explorer "$desktop" "$bin/todayhost.exe" --fullscreen --size "${width}x${height}" \
  --png "$(winepath -w "$png" 2>/dev/null)" "${host_args[@]}" </dev/null
# The desktop may return before the program inside it has finished.
for _ in $(seq 1 600); do [ -s "$png" ] && break; sleep 0.1; done
[ -s "$png" ] || { echo "no Today screen was written" >&2; exit 1; }
echo "$png"
