#!/usr/bin/env bash
# Changes the simulated device's state: what the platform would report on a
# Pocket PC (operator, unread counts, missed calls, radios, alarms, storage
# card folder) and the battery that the GetSystemPowerStatusEx stand-in reads.
# It writes into the device of scripts/run.sh for the density in TOVIRA_DPI
# (96 unless set); a running screen shows a change at the item's next tick.
# orientation= turns a running screen at once (the device's display takes
# the turned size and every program follows it); without one it sets the
# orientation the next scripts/run.sh starts in.
# The card comes out as on the device: its folder "Storage Card" leaves the
# device's root and waits beside it (build/device-card-out) with every file
# it held until card=1 puts it back.
#
#   scripts/device-state.sh NAME=VALUE ...   changes only the figures named
#   scripts/device-state.sh --lively         the state a fresh device starts with
#
#   operator=TEXT    the operator's name; "" = the phone is off
#   sms=N  email=N  calls=N   unread messages, unread e-mail, missed calls
#   bt=0|1  wifi=0|1          Bluetooth and Wi-Fi radios
#   alarm=HH:MM|off           the next alarm (tomorrow at HH:MM)
#   battery=PERCENT  charging=0|1  nobattery=0|1
#   card=0|1                  the storage card taken out or put back in
#   orientation=portrait|landscape   turns the screen (240x320 / 320x240 at 96 dpi)
#
# --lively also gives the launcher a few shortcuts, but only while the
# settings have none, so a user's own list stays, and puts the platform's own
# Today items (date line, messages, tasks) back on the screen.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
usage() {
  sed -n '/^#   scripts/,/^#   orientation/p' "${BASH_SOURCE[0]}" | sed 's/^#//' >&2
  [ -n "${1:-}" ] && echo "device-state.sh: $1" >&2
  exit 2
}
source "$root/scripts/wine-env.sh"
tovira_use_device_prefix
device="$TOVIRA_DEVICE"

[ $# -gt 0 ] || usage
# Every figure is checked and written by devicestate.exe, built from the
# product's own key and value names; the orientation and the card's folder
# are the device's hardware, kept here.
state=()
lively=0 turn="" card=""
for arg in "$@"; do
  case "$arg" in
    -h | --help) usage ;;
    --lively) lively=1 ;;
    orientation=*) turn="${arg#*=}"
      [ "$turn" = "$tovira_portrait" ] || [ "$turn" = "$tovira_landscape" ] ||
        usage "orientation takes $tovira_portrait or $tovira_landscape, not '$turn'"
      continue ;;
    card=*) card="${arg#*=}" ;;
  esac
  state+=("$arg")
done
[ "$lively" = 0 ] || [ -n "$card" ] || card=1
# The screen's orientation is the device's hardware, kept beside its prefix:
# it holds before the device is made, and scripts/run.sh starts in it.
if [ -n "$turn" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  echo "$turn" >"$WINEPREFIX.orientation"
  if ! tovira_prefix_runs "$WINEPREFIX" -f 'todayhost\.exe'; then
    echo "No Today screen open: the next scripts/run.sh starts in $turn ($(tovira_device_desktop | cut -d, -f2))"
    turn=""
    [ ${#state[@]} -gt 0 ] || exit 0
  fi
fi
# A new clone has no device yet: it is made as scripts/run.sh makes it (the
# fresh device's lively state first), with nothing shown. A tree built before
# the device target made every program the scripts start is built again.
if [ ! -f "$WINEPREFIX/.tovira-ready" ]; then
  "$root/scripts/run.sh" --install >&2 || exit 1
elif ! tovira_device_built; then
  "$root/scripts/install-deps.sh" >&2 && "$root/scripts/build.sh" device >&2 || exit 1
fi
missing="$(tovira_device_missing)"
if [ -n "$missing" ]; then
  echo "device-state.sh: the device target did not make" $missing "in $TOVIRA_BUILD" >&2
  exit 1
fi

# The figures first: a setting refused leaves everything as it was.
if [ ${#state[@]} -gt 0 ]; then
  # Without a server, devicestate.exe would be the prefix's first program and
  # boot its services and desktop itself, with this script's output as theirs
  # and no display: they boot here first, as for every program of the device.
  if ! tovira_server_running &&
    ! TOVIRA_DESKTOP="$(tovira_device_desktop)" TOVIRA_SERVER_PERSIST=2 \
      "$root/scripts/wine-prefix" >/dev/null 2>&1 </dev/null; then
    echo "device-state.sh: the device's Wine prefix $WINEPREFIX would not start" >&2
    exit 1
  fi
  status=0
  said="$(cd "$device" && DISPLAY= "$WINE" "${TOVIRA_BUILD}/bin/devicestate.exe" "${state[@]}" \
    </dev/null 2>&1 | tr -d '\r'; exit "${PIPESTATUS[0]}")" || status=$?
  [ "$status" != 2 ] || usage "${said#devicestate: }"
  [ -z "$said" ] || echo "$said" >&2
  [ "$status" = 0 ] || exit 1
fi

# A running screen turns now: the display of its desktop takes the turned
# size and the device's notice goes to every program in it.
if [ -n "$turn" ]; then
  display="$(tovira_prefix_display "$WINEPREFIX" -f 'todayhost\.exe')" || display=""
  if DISPLAY="${display:-${DISPLAY:-}}" "$WINE" "${TOVIRA_BUILD}/bin/turnscreen.exe" "$turn" \
      </dev/null 2>&1 | tr -d '\r'; then
    echo "The open Today screen turned to $turn"
  else
    echo "device-state.sh: the screen could not turn to $turn" >&2
    exit 1
  fi
fi

# The card's folder moves out of the device's root and back, never deleted.
move_card() {
  if [ -e "$2" ]; then
    echo "device-state.sh: '$2' is in the way of the storage card; move it off first" >&2
    exit 1
  fi
  mkdir -p "$(dirname "$2")"
  mv "$1" "$2"
}
if [ -n "$card" ]; then
  folder="$(tovira_card_folder)" aside="$(tovira_card_aside)"
  if [ "$card" = 0 ]; then
    [ ! -d "$folder" ] || move_card "$folder" "$aside"
  elif [ ! -d "$folder" ]; then
    if [ -d "$aside" ]; then
      move_card "$aside" "$folder"
      rmdir "$(dirname "$aside")" 2>/dev/null || true
    else
      mkdir -p "$folder"
    fi
  fi
fi
