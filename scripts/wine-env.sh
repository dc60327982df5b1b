# Sourced by the scripts: a private Wine prefix under the build tree, quiet,
# without the Mono/Gecko installers, and a Russian user locale as on the devices.
# TOVIRA_BUILD may point elsewhere; TOVIRA_DPI picks a prefix of another density.
_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${TOVIRA_BUILD:=$_root/build}"
: "${TOVIRA_DPI:=96}"
if [ -z "${WINEPREFIX:-}" ]; then
  if [ "$TOVIRA_DPI" = 96 ]; then export WINEPREFIX="$TOVIRA_BUILD/wineprefix"
  else export WINEPREFIX="$TOVIRA_BUILD/wineprefix-$TOVIRA_DPI"; fi
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
export WINEARCH=win64
if command -v wine64 >/dev/null 2>&1; then WINE=wine64
elif [ -x /usr/lib/wine/wine64 ]; then WINE=/usr/lib/wine/wine64
else WINE=wine; fi
export WINE
