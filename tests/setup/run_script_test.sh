#!/usr/bin/env bash
# scripts/run.sh as a person meets it: a Today screen open on a display, the
# main command run again over it (and with --png, with and without a file
# name), the device's state changed under it, its storage card taken out and
# put back, the item removed over it with run.sh --remove and installed again;
# then the screen closed, the item removed headless and nothing of the run
# left behind. Runs on a device of its own.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${TOVIRA_BUILD:?TOVIRA_BUILD names the build}"
scratch="$(mktemp -d)"
mkdir -p "$scratch/build"
ln -s "$build/bin" "$scratch/build/bin"
ln -s "$build/package" "$scratch/build/package"
export TOVIRA_BUILD="$scratch/build" TOVIRA_DPI=96
unset TOVIRA_WINEPREFIX TOVIRA_DEVICE DISPLAY
source "$root/scripts/wine-env.sh"
prefix="$(tovira_device_prefix)"
export WINEPREFIX="$prefix"  # for the direct calls below; the scripts choose their own
server_gone() { ! tovira_server_running "$prefix"; }
source "$root/scripts/xvfb.sh"
tovira_xvfb run_script_test.sh || { rm -rf "$scratch"; exit 1; }
screen_pid=""
cleanup() {
  local rc=$?
  [ -z "$screen_pid" ] || kill "$screen_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [ -z "${TOVIRA_XVFB_PID:-}" ] || kill "$TOVIRA_XVFB_PID" 2>/dev/null || true
  rm -rf "$scratch"
  exit "$rc"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; echo "--- screen log:" >&2; cat "$scratch/screen.log" >&2; exit 1; }
# Waits (at most $1 seconds) until the command after it succeeds.
within() {
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do [ $SECONDS -lt $deadline ] || return 1; sleep 0.2; done
}
# The last reload shows $1 custom items beside a fresh device's own three
# (the date line, messages and tasks).
own=3
last_reload_shows() {
  grep -E 'reload [0-9]+:' "$scratch/screen.log" | tail -n 1 | grep -q ": $(($1 + own)) item"
}
# A registry value of the device as reg prints its data ("0x1" for a DWORD).
reg_value() {
  DISPLAY= "$WINE" reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name { print $3 }'
}
entry() { reg_value 'HKLM\Software\Microsoft\Today\Items\Tovira' Enabled; }

echo "first run: the screen opens"
"$root/scripts/run.sh" --no-build >"$scratch/screen.log" 2>&1 &
screen_pid=$!
within 180 grep -q 'loaded Tovira' "$scratch/screen.log" || fail "the screen never loaded the item"

echo "second run over the open screen"
if ! out="$("$root/scripts/run.sh" --no-build 2>&1)"; then fail "second run failed: $out"; fi
echo "$out" | grep -q 'open Today screen reloaded' || fail "second run said: $out"
within 10 last_reload_shows 1 || fail "the open screen did not reload the new item"
[ "$(entry)" = 0x1 ] || fail "the entry after the second run: '$(entry)'"
kill -0 "$screen_pid" 2>/dev/null || fail "the screen has gone"

echo "a picture while the screen is open"
out="$("$root/scripts/run.sh" --no-build --png "$scratch/shot.png" 2>&1)" || fail "--png failed: $out"
[ -s "$scratch/shot.png" ] || fail "no picture: $out"
within 10 last_reload_shows 1 || fail "the screen lost the item after --png"

echo "a picture without a file name, on a machine without the Russian locale: no warnings"
mkdir -p "$scratch/no-locales"
out="$(env -u LANG -u LC_ALL LOCPATH="$scratch/no-locales" \
  "$root/scripts/run.sh" --no-build --png 2>&1)" ||
  fail "--png without a file name failed: $out"
[ "$(tail -n 1 <<<"$out")" = "$scratch/build/today.png" ] && [ -s "$scratch/build/today.png" ] ||
  fail "--png without a file name wrote no build/today.png: $out"
! grep -i 'locale' <<<"$out" || fail "a run without the locale warned: $out"

echo "the state changed under the screen stays over a run"
"$root/scripts/device-state.sh" sms=0 || fail "device-state.sh failed"
"$root/scripts/run.sh" --no-build >/dev/null 2>&1 || fail "the run after device-state.sh failed"
sms="$(reg_value 'HKCU\System\State\Messages\sms\Unread' Count)"
[ "$sms" = 0x0 ] || fail "sms after a run: '$sms'"

echo "the device's screen and orientations as the code names them"
desktop="$(reg_value 'HKCU\Software\Wine\Explorer\Desktops' Tovira96)"
[ "$desktop" = 240x320 ] || fail "the device's desktop at 96 dpi: '$desktop'"
[ "$(tovira_screen_size 192 landscape)" = 640x480 ] ||
  fail "the landscape screen at 192 dpi: '$(tovira_screen_size 192 landscape)'"
status=0
out="$("$root/scripts/device-state.sh" orientation=sideways 2>&1)" || status=$?
[ "$status" = 2 ] && [ "$(tail -n 1 <<<"$out")" = \
  "device-state.sh: orientation takes portrait or landscape, not 'sideways'" ] ||
  fail "orientation=sideways gave $status: $out"

echo "the storage card comes out under the open screen and goes back with its files"
card="$scratch/build/device/Storage Card"
aside="$scratch/build/device-card-out/Storage Card"
echo photo >"$card/photo.jpg" || fail "no card folder in the device"
"$root/scripts/device-state.sh" card=0 || fail "card=0 failed"
[ ! -e "$card" ] || fail "the card's folder is still in the device after card=0"
[ "$(cat "$aside/photo.jpg" 2>/dev/null)" = photo ] || fail "the card's files were not kept aside"
"$root/scripts/device-state.sh" card=0 || fail "a second card=0 failed"
"$root/scripts/run.sh" --no-build >/dev/null 2>&1 || fail "the run with the card out failed"
[ ! -e "$card" ] || fail "run.sh put the card back in"
"$root/scripts/device-state.sh" card=1 || fail "card=1 failed"
[ "$(cat "$card/photo.jpg" 2>/dev/null)" = photo ] || fail "card=1 did not bring the card's files back"
[ ! -e "$scratch/build/device-card-out" ] || fail "the card's place beside the device stays after card=1"
kill -0 "$screen_pid" 2>/dev/null || fail "the screen has gone"

echo "removal over the open screen"
item_files() { find "$scratch/build/device/Program Files" -mindepth 1 2>/dev/null | head -n 3; }
[ -n "$(item_files)" ] || fail "no item files in the device before the removal"
out="$("$root/scripts/run.sh" --remove 2>&1)" || fail "run.sh --remove failed: $out"
echo "$out" | grep -q 'Uninstall_Exit' || fail "the removal ran no Uninstall_Exit: $out"
echo "$out" | grep -q 'open Today screen dropped the item' || fail "--remove said: $out"
within 10 last_reload_shows 0 || fail "the screen kept the item after its removal"
[ -z "$(entry)" ] || fail "the entry after the removal: '$(entry)'"
[ -z "$(item_files)" ] || fail "files left after the removal: $(item_files)"

echo "run.sh installs it again over the open screen"
"$root/scripts/run.sh" --no-build >/dev/null 2>&1 || fail "the run after the removal failed"
within 10 last_reload_shows 1 || fail "the open screen did not show the item again"
[ "$(entry)" = 0x1 ] || fail "the entry after installing again: '$(entry)'"

echo "the screen closes; its Wine goes with it"
kill "$screen_pid"
wait "$screen_pid" 2>/dev/null || true
screen_pid=""
within 10 server_gone ||
  fail "the device's Wine server still runs 10 s after the screen closed"

echo "removal without a screen, headless"
out="$(DISPLAY= "$root/scripts/run.sh" --remove 2>&1)" || fail "headless --remove failed: $out"
[ -z "$(entry)" ] || fail "the entry after the headless removal: '$(entry)'"
[ -z "$(item_files)" ] || fail "files left after the headless removal: $(item_files)"
within 10 server_gone || fail "the device's Wine server still runs after the headless removal"
echo "PASS"
