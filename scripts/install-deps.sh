#!/usr/bin/env bash
# Installs what building, testing and running need on Debian 12, and the
# packages named as arguments (scripts/tour.sh asks for its own). Safe to run
# again: it installs only what is missing. Needs root or sudo for that.
# The lanes in TOVIRA_ARCHS (or TOVIRA_ARCH; scripts/lane.sh) choose the
# compilers; the i686 lane also takes Wine's 32-bit side, wine32 of Debian's
# i386 architecture, where the kernel runs 32-bit programs at all.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lane.sh"
# libz-mingw-w64-dev: zlib's static archives for both lanes (the installer
# stand-in's MSZIP check).
pkgs=(cmake ninja-build ccache g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb xauth gcab
      librsvg2-bin locales fonts-dejavu-core fonts-wine python3 libz-mingw-w64-dev)
case " ${TOVIRA_ARCHS:-$TOVIRA_ARCH} " in
  *" i686 "*)
    pkgs+=(g++-mingw-w64-i686-posix)
    # Without IA32 emulation wine32 would only break Debian's "wine" command,
    # which prefers the 32-bit loader once it is installed.
    if tovira_runs_32bit; then
      pkgs+=(wine32:i386)
    else
      tovira_no_32bit install-deps.sh "the i686 lane builds, but Wine's 32-bit side cannot run here"
    fi
    ;;
esac
missing=()
for p in "${pkgs[@]}" "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
need_locale=0
# The devices speak Russian: Wine takes the user locale from the Unix one.
locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$' || need_locale=1
[ ${#missing[@]} -gt 0 ] || [ "$need_locale" = 1 ] || exit 0

# As root directly; else through sudo, which drops the environment, so the
# variables go on its command line.
if [ "$(id -u)" = 0 ]; then as_root=(env)
elif command -v sudo >/dev/null 2>&1; then as_root=(sudo env)
else
  echo "install-deps.sh: root is needed to install what is missing, and sudo is not here." >&2
  [ ${#missing[@]} -gt 0 ] && echo "  As root run: apt-get install ${missing[*]}" >&2
  [ "$need_locale" = 1 ] && echo "  As root run: localedef -i ru_RU -f UTF-8 ru_RU.UTF-8" >&2
  exit 1
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
  fi
  "${as_root[@]}" DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
[ "$need_locale" = 0 ] || "${as_root[@]}" localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
