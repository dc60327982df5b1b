#!/usr/bin/env bash
# Writes the simulated device's state into the Wine prefix: what the platform
# would report on a Pocket PC (operator, unread counts, missed calls, radios,
# alarms, storage card folder) and the battery that the GetSystemPowerStatusEx
# stand-in reads. Without arguments it sets a lively state, so every page of
# the item has something to show; NAME=VALUE arguments change single figures:
#
#   operator=TEXT   ("" = the phone is off)     sms=N  email=N  calls=N
#   bt=0|1          wifi=0|1                     alarm=HH:MM|off
#   battery=PERCENT charging=0|1  nobattery=0|1  card=0|1 (the storage card folder)
#
# The launcher gets a few shortcuts to programs inside the device root, but
# only while the settings have none, so a user's own list stays.
# Usage: scripts/device-state.sh DEVICE_ROOT [NAME=VALUE ...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
device="${1:?usage: device-state.sh DEVICE_ROOT [NAME=VALUE ...]}"
shift
source "$root/scripts/wine-env.sh"

operator="MTS RUS" sms=3 email=2 calls=1 bt=1 wifi=0 alarm=07:30
battery=87 charging=0 nobattery=0 card=1
for arg in "$@"; do
  case "$arg" in
    operator=*) operator="${arg#*=}" ;;
    sms=*) sms="${arg#*=}" ;;
    email=*) email="${arg#*=}" ;;
    calls=*) calls="${arg#*=}" ;;
    bt=*) bt="${arg#*=}" ;;
    wifi=*) wifi="${arg#*=}" ;;
    alarm=*) alarm="${arg#*=}" ;;
    battery=*) battery="${arg#*=}" ;;
    charging=*) charging="${arg#*=}" ;;
    nobattery=*) nobattery="${arg#*=}" ;;
    card=*) card="${arg#*=}" ;;
    *) echo "device-state.sh: unknown setting '$arg'" >&2; exit 2 ;;
  esac
done

# All writes go through one batch of reg commands in one Wine process.
regfile="$(mktemp --suffix=.reg)"
trap 'rm -f "$regfile"' EXIT
dword() { printf 'dword:%08x' "$1"; }
# A REG_SZ in .reg syntax: backslashes and quotes escaped.
sz() { local s="${1//\\/\\\\}"; printf '"%s"' "${s//\"/\\\"}"; }

{
  echo 'Windows Registry Editor Version 5.00'
  echo
  echo '[HKEY_LOCAL_MACHINE\System\State\Phone]'
  if [ -n "$operator" ]; then echo "\"Current Operator Name\"=$(sz "$operator")"
  else echo '"Current Operator Name"=-'; fi
  echo
  echo '[HKEY_CURRENT_USER\System\State\Phone]'
  echo "\"Missed Call Count\"=$(dword "$calls")"
  echo
  echo '[HKEY_CURRENT_USER\System\State\Messages\sms\Unread]'
  echo "\"Count\"=$(dword "$sms")"
  echo
  echo '[HKEY_CURRENT_USER\System\State\Messages\TotalEmail\Unread]'
  echo "\"Count\"=$(dword "$email")"
  echo
  # Bluetooth is off at 0 (and 8); Wi-Fi is off at 1 (and 5).
  echo '[HKEY_LOCAL_MACHINE\System\State\Hardware]'
  echo "\"Bluetooth\"=$(dword $([ "$bt" = 1 ] && echo 1 || echo 0))"
  echo "\"Wifi\"=$(dword $([ "$wifi" = 1 ] && echo 4 || echo 1))"
  echo
  echo '[HKEY_LOCAL_MACHINE\Software\Microsoft\Clock\0]'
  echo "\"AlarmFlags\"=$(dword $([ "$alarm" = off ] && echo 0 || echo 1))"
  echo
  echo '[HKEY_CURRENT_USER\System\State\Shell\Alarms]'
  if [ "$alarm" = off ]; then
    echo '"Next"=-'
  else
    # The next alarm as a FILETIME of tomorrow at HH:MM (shown as stored, no zone).
    secs=$(TZ=UTC date -d "tomorrow $alarm" +%s)
    ft=$(( (secs + 11644473600) * 10000000 ))
    bytes=""
    for i in 0 1 2 3 4 5 6 7; do bytes+=$(printf '%02x,' $(( (ft >> (8 * i)) & 0xff ))); done
    echo "\"Next\"=hex:${bytes%,}"
  fi
  echo
  # Flags: 128 no battery, 8 charging, 1 high, 2 low.
  flag=1
  [ "$battery" -lt 34 ] && flag=2
  [ "$charging" = 1 ] && flag=8
  [ "$nobattery" = 1 ] && flag=128
  echo '[HKEY_CURRENT_USER\Software\Tovira Device\Power]'
  echo "\"ACLineStatus\"=$(dword $([ "$charging" = 1 ] && echo 1 || echo 0))"
  echo "\"BatteryFlag\"=$(dword "$flag")"
  echo "\"BatteryLifePercent\"=$(dword "$battery")"
  echo
  echo '[HKEY_CURRENT_USER\Software\Microsoft\File Explorer]'
  if [ "$card" = 1 ]; then
    mkdir -p "$device/Storage Card"
    echo "\"StorageCardPath\"=$(sz 'Storage Card\')"
  else
    echo '"StorageCardPath"=-'
  fi
  echo
} >"$regfile"

# Launcher shortcuts, only when the user has none.
if ! DISPLAY= "$WINE" reg query 'HKCU\Software\Sorlin\Tovira\Launcher' /v FileName1 >/dev/null 2>&1; then
  {
    echo '[HKEY_CURRENT_USER\Software\Sorlin\Tovira\Launcher]'
    n=1
    for target in 'Windows\clock.exe' 'Windows\calendar.exe' 'Windows\wrlsmgr.exe' \
                  'Program Files\Tovira\tvrcfg.exe'; do
      if [ -e "$device/${target//\\//}" ]; then
        echo "\"FileName$n\"=$(sz "$target")"
        n=$((n + 1))
      fi
    done
    echo
  } >>"$regfile"
fi

# regedit reads UTF-16 or the ANSI code page; write UTF-16 with a BOM so the
# operator may be Cyrillic.
iconv -f UTF-8 -t UTF-16 "$regfile" >"$regfile.u16" && mv "$regfile.u16" "$regfile"
DISPLAY= "$WINE" regedit /S "$(winepath -w "$regfile" 2>/dev/null)" >/dev/null 2>&1 </dev/null
