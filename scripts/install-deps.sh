#!/usr/bin/env bash
# Installs what building, testing and running need on Debian 12. Safe to run again.
set -euo pipefail
pkgs=(cmake make g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb xauth
      librsvg2-bin locales fonts-dejavu-core fonts-wine python3)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  echo "installing: ${missing[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
# The devices speak Russian: Wine takes the user locale from the Unix one.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
