# Sourced by the scripts: a private Wine prefix under the build tree, quiet,
# without the Mono/Gecko installers, and a Russian user locale as on the devices.
# TOVIRA_ARCH picks the lane (scripts/lane.sh): its build tree, and Wine's
# 64-bit side or its 32-bit one in 32-bit prefixes.
# TOVIRA_BUILD may point elsewhere; TOVIRA_DPI picks a prefix of another density;
# TOVIRA_WINEPREFIX names another prefix of the project's own. A WINEPREFIX the
# user exported for their own Wine is never used: the scripts write the
# density, the locale and the desktop into the prefix they run in.
source "$(dirname "${BASH_SOURCE[0]}")/lane.sh"
: "${TOVIRA_DPI:=96}"
if [ -n "${TOVIRA_WINEPREFIX:-}" ]; then export WINEPREFIX="$TOVIRA_WINEPREFIX"
elif [ "$TOVIRA_DPI" = 96 ]; then export WINEPREFIX="$TOVIRA_BUILD/wineprefix"
else export WINEPREFIX="$TOVIRA_BUILD/wineprefix-$TOVIRA_DPI"; fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
# Wine takes the user locale from the Unix one. It is exported only once the
# system has it (install-deps.sh makes it): before that this shell, perl under
# apt-get and every other program would warn that they cannot set it. A
# script that installs it calls this again before it starts Wine.
tovira_russian_locale() {
  [ "$(LC_ALL=ru_RU.UTF-8 locale charmap 2>/dev/null)" = UTF-8 ] || return 0
  export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
}
tovira_russian_locale
if [ "$TOVIRA_ARCH" = i686 ]; then
  # A pure 32-bit prefix, as the device is: in a 64-bit one Wine would give
  # 32-bit programs a registry view of their own (HKLM\Software\Wow6432Node).
  # Debian's wine32 puts the 32-bit loader here; its "wine" wrapper would pick
  # one side or the other by what is installed.
  export WINEARCH=win32
  WINE=/usr/lib/wine/wine
else
  export WINEARCH=win64
  if command -v wine64 >/dev/null 2>&1; then WINE=wine64
  elif [ -x /usr/lib/wine/wine64 ]; then WINE=/usr/lib/wine/wine64
  else WINE=wine; fi
fi
export WINE

# The device's facts (its screen, the orientations' words, the card's folder,
# Wine's desktops key, the date line's height) as the code names them, read
# from the one file both use: tovira_device_fact NAME prints the value of its
# line "constexpr ... NAME = VALUE;" there, a text's quotes and escapes undone.
tovira_facts="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/platform/device_facts.h"
tovira_device_fact() {
  sed -n "s/^constexpr [^=]*[ *]$1 = \(L\"\(.*\)\"\|\([0-9][0-9]*\)\);.*/\2\3/p" "$tovira_facts" |
    sed 's/\\\\/\\/g'
}
tovira_portrait="$(tovira_device_fact PortraitWord)"
tovira_landscape="$(tovira_device_fact LandscapeWord)"
# The device's screen of a density (DPI) in an orientation: WxH.
tovira_screen_size() {
  local base short long
  base="$(tovira_device_fact ScreenBaseDpi)"
  short=$(($(tovira_device_fact ScreenShortSide) * $1 / base))
  long=$(($(tovira_device_fact ScreenLongSide) * $1 / base))
  if [ "$2" = "$tovira_landscape" ]; then echo "${long}x$short"; else echo "${short}x$long"; fi
}

# The simulated device of a density: its Wine prefix, its root folder and the
# one Wine desktop of its screen's size that all its programs share.
tovira_device_prefix() { echo "$TOVIRA_BUILD/wineprefix-device-${1:-$TOVIRA_DPI}"; }
: "${TOVIRA_DEVICE:=$TOVIRA_BUILD/device}"
# The screen stands as scripts/device-state.sh orientation=... last turned it
# (portrait unless turned): a file beside the device's prefix.
tovira_device_orientation() {
  local turned
  turned="$(cat "$(tovira_device_prefix "${1:-}").orientation" 2>/dev/null)" || turned=""
  [ "$turned" = "$tovira_landscape" ] && echo "$tovira_landscape" || echo "$tovira_portrait"
}
# The storage card's folder in the device's root, and where it waits, with
# its files, while the card is out.
tovira_card_folder() { echo "$TOVIRA_DEVICE/$(tovira_device_fact StorageCardFolder)"; }
tovira_card_aside() { echo "$TOVIRA_DEVICE-card-out/$(tovira_device_fact StorageCardFolder)"; }
tovira_device_desktop() {
  local dpi="${1:-$TOVIRA_DPI}"
  echo "Tovira$dpi,$(tovira_screen_size "$dpi" "$(tovira_device_orientation "$dpi")")"
}

# The scripts that act on the device switch to its prefix.
tovira_use_device_prefix() {
  export TOVIRA_WINEPREFIX="$(tovira_device_prefix)"
  export WINEPREFIX="$TOVIRA_WINEPREFIX"
}

# Which programs of a prefix run (scripts/wine-procs.sh).
source "$(dirname "${BASH_SOURCE[0]}")/wine-procs.sh"
