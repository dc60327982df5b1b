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
declare -A set=()
lively=0
number() { [[ "$2" =~ ^[0-9]+$ ]] || usage "$1 takes a number, not '$2'"; }
flag() { [[ "$2" =~ ^[01]$ ]] || usage "$1 takes 0 or 1, not '$2'"; }
for arg in "$@"; do
  name="${arg%%=*}" value="${arg#*=}"
  case "$arg" in
    --lively) lively=1; continue ;;
    -h | --help) usage ;;
    operator=*) ;;
    sms=* | email=* | calls=* | battery=*) number "$name" "$value" ;;
    bt=* | wifi=* | charging=* | nobattery=* | card=*) flag "$name" "$value" ;;
    alarm=*) [ "$value" = off ] || [[ "$value" =~ ^([01][0-9]|2[0-3]):[0-5][0-9]$ ]] ||
      usage "alarm takes HH:MM or off, not '$value'" ;;
    orientation=*) [[ "$value" =~ ^(portrait|landscape)$ ]] ||
      usage "orientation takes portrait or landscape, not '$value'" ;;
    *) usage "unknown setting '$arg'" ;;
  esac
  set[$name]="$value"
done
# The screen's orientation is the device's hardware, kept beside its prefix:
# it holds before the device is made, and scripts/run.sh starts in it.
turn=""
if [ -n "${set[orientation]+x}" ]; then
  turn="${set[orientation]}"
  unset 'set[orientation]'
  mkdir -p "$(dirname "$WINEPREFIX")"
  echo "$turn" >"$WINEPREFIX.orientation"
  if ! tovira_prefix_runs "$WINEPREFIX" -f 'todayhost\.exe'; then
    echo "No Today screen open: the next scripts/run.sh starts in $turn ($(tovira_device_desktop | cut -d, -f2))"
    turn=""
    [ ${#set[@]} -gt 0 ] || [ "$lively" = 1 ] || exit 0
  fi
fi
if [ ! -f "$WINEPREFIX/.tovira-ready" ]; then
  echo "device-state.sh: no device at $WINEPREFIX yet; scripts/run.sh makes it" >&2
  exit 1
fi
if [ "$lively" = 1 ]; then
  for pair in 'operator=MTS RUS' sms=3 email=2 calls=1 bt=1 wifi=0 alarm=07:30 battery=87 \
              charging=0 nobattery=0 card=1; do
    [ -n "${set[${pair%%=*}]+x}" ] || set[${pair%%=*}]="${pair#*=}"
  done
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
[ ${#set[@]} -gt 0 ] || [ "$lively" = 1 ] || exit 0

# All writes go through one batch of reg commands in one Wine process.
regfile="$(mktemp --suffix=.reg)"
trap 'rm -f "$regfile"' EXIT
dword() { printf 'dword:%08x' "$1"; }
# A REG_SZ in .reg syntax: backslashes and quotes escaped.
sz() { local s="${1//\\/\\\\}"; printf '"%s"' "${s//\"/\\\"}"; }
has() { [ -n "${set[$1]+x}" ]; }
key() { printf '\n[%s]\n' "$1"; }

{
  echo 'Windows Registry Editor Version 5.00'
  if has operator; then
    key 'HKEY_LOCAL_MACHINE\System\State\Phone'
    if [ -n "${set[operator]}" ]; then echo "\"Current Operator Name\"=$(sz "${set[operator]}")"
    else echo '"Current Operator Name"=-'; fi
  fi
  has calls && key 'HKEY_CURRENT_USER\System\State\Phone' &&
    echo "\"Missed Call Count\"=$(dword "${set[calls]}")"
  has sms && key 'HKEY_CURRENT_USER\System\State\Messages\sms\Unread' &&
    echo "\"Count\"=$(dword "${set[sms]}")"
  has email && key 'HKEY_CURRENT_USER\System\State\Messages\TotalEmail\Unread' &&
    echo "\"Count\"=$(dword "${set[email]}")"
  # Bluetooth is off at 0 (and 8); Wi-Fi is off at 1 (and 5).
  if has bt || has wifi; then
    key 'HKEY_LOCAL_MACHINE\System\State\Hardware'
    has bt && echo "\"Bluetooth\"=$(dword "${set[bt]}")"
    has wifi && echo "\"Wifi\"=$(dword $([ "${set[wifi]}" = 1 ] && echo 4 || echo 1))"
  fi
  if has alarm; then
    key 'HKEY_LOCAL_MACHINE\Software\Microsoft\Clock\0'
    echo "\"AlarmFlags\"=$(dword $([ "${set[alarm]}" = off ] && echo 0 || echo 1))"
    key 'HKEY_CURRENT_USER\System\State\Shell\Alarms'
    if [ "${set[alarm]}" = off ]; then
      echo '"Next"=-'
    else
      # The next alarm as a FILETIME of tomorrow at HH:MM (shown as stored, no zone).
      secs=$(TZ=UTC date -d "tomorrow ${set[alarm]}" +%s)
      ft=$(( (secs + 11644473600) * 10000000 ))
      bytes=""
      for i in 0 1 2 3 4 5 6 7; do bytes+=$(printf '%02x,' $(( (ft >> (8 * i)) & 0xff ))); done
      echo "\"Next\"=hex:${bytes%,}"
    fi
  fi
  if has battery || has charging || has nobattery; then
    # The power stand-in's three values hang together: read what is stored.
    power='HKCU\Software\Tovira Device\Power'
    stored() {
      DISPLAY= "$WINE" reg query "$power" /v "$1" 2>/dev/null </dev/null |
        tr -d '\r' | awk -v n="$1" '$1 == n { print $3 }' || true
    }
    battery="${set[battery]:-$(( $(stored BatteryLifePercent) + 0 ))}"
    flags="$(( $(stored BatteryFlag) + 0 ))"
    charging="${set[charging]:-$([ $(( ${flags:-0} & 8 )) -ne 0 ] && echo 1 || echo 0)}"
    nobattery="${set[nobattery]:-$([ $(( ${flags:-0} & 128 )) -ne 0 ] && echo 1 || echo 0)}"
    battery="${battery:-100}"
    # Flags: 128 no battery, 8 charging, 1 high, 2 low.
    flag=1
    [ "$battery" -lt 34 ] && flag=2
    [ "$charging" = 1 ] && flag=8
    [ "$nobattery" = 1 ] && flag=128
    key 'HKEY_CURRENT_USER\Software\Tovira Device\Power'
    echo "\"ACLineStatus\"=$(dword "$charging")"
    echo "\"BatteryFlag\"=$(dword "$flag")"
    echo "\"BatteryLifePercent\"=$(dword "$battery")"
  fi
  # The file explorer names where a card is mounted, whether one is in or not.
  if has card; then
    key 'HKEY_CURRENT_USER\Software\Microsoft\File Explorer'
    echo "\"StorageCardPath\"=$(sz 'Storage Card\')"
  fi
  # The platform's own Today items of a fresh device, around the custom ones
  # (Tovira's "Order" is 10): the date line above, messages and tasks below.
  if [ "$lively" = 1 ]; then
    for own in 'Date 0 0' 'Messaging 2 20' 'Tasks 3 30'; do
      read -r name type order <<<"$own"
      key "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\$name"
      echo "\"Type\"=$(dword "$type")"
      echo "\"Enabled\"=$(dword 1)"
      echo "\"Order\"=$(dword "$order")"
      echo "\"Selectability\"=$(dword 1)"
    done
  fi
  # Launcher shortcuts, only when the user has none.
  if [ "$lively" = 1 ] &&
     ! DISPLAY= "$WINE" reg query 'HKCU\Software\Sorlin\Tovira\Launcher' /v FileName1 >/dev/null 2>&1 </dev/null; then
    key 'HKEY_CURRENT_USER\Software\Sorlin\Tovira\Launcher'
    n=1
    for target in 'Windows\clock.exe' 'Windows\calendar.exe' 'Windows\wrlsmgr.exe' \
                  'Program Files\Tovira\tvrcfg.exe'; do
      if [ -e "$device/${target//\\//}" ]; then
        echo "\"FileName$n\"=$(sz "$target")"
        n=$((n + 1))
      fi
    done
  fi
  echo
} >"$regfile"

# The card's folder moves out of the device's root and back, never deleted.
move_card() {
  if [ -e "$2" ]; then
    echo "device-state.sh: '$2' is in the way of the storage card; move it off first" >&2
    exit 1
  fi
  mkdir -p "$(dirname "$2")"
  mv "$1" "$2"
}
if has card; then
  card="$device/Storage Card" aside="$(tovira_card_aside)"
  if [ "${set[card]}" = 0 ]; then
    [ ! -d "$card" ] || move_card "$card" "$aside"
  elif [ ! -d "$card" ]; then
    if [ -d "$aside" ]; then
      move_card "$aside" "$card"
      rmdir "$(dirname "$aside")" 2>/dev/null || true
    else
      mkdir -p "$card"
    fi
  fi
fi

# regedit reads UTF-16 or the ANSI code page; write UTF-16 with a BOM so the
# operator may be Cyrillic.
iconv -f UTF-8 -t UTF-16 "$regfile" >"$regfile.u16" && mv "$regfile.u16" "$regfile"
DISPLAY= "$WINE" regedit /S "$("$WINE" winepath -w "$regfile" 2>/dev/null)" >/dev/null 2>&1 </dev/null
