# Sourced by the scripts: the lane they build and run. TOVIRA_ARCH=x86_64
# (the default) is 64-bit Windows; TOVIRA_ARCH=i686 is the device's data
# model (32-bit pointers and handles, stdcall callbacks), run under Wine's
# 32-bit side. Each lane has a build tree of its own (build/ and
# build-i686/), and with it its own Wine prefixes and device; TOVIRA_BUILD
# names another tree for the lane in use.
_lane_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${TOVIRA_ARCH:=x86_64}"
case "$TOVIRA_ARCH" in
  x86_64) TOVIRA_PRESET=mingw; : "${TOVIRA_BUILD:=$_lane_root/build}" ;;
  i686) TOVIRA_PRESET=mingw-i686; : "${TOVIRA_BUILD:=$_lane_root/build-i686}" ;;
  *)
    echo "TOVIRA_ARCH is x86_64 or i686, not '$TOVIRA_ARCH'" >&2
    exit 2
    ;;
esac
export TOVIRA_ARCH TOVIRA_PRESET
unset _lane_root

# True when this machine's kernel runs 32-bit x86 programs, as Wine's 32-bit
# side needs: some virtual machines boot with IA32 emulation off, and there
# even Debian's 32-bit loader fails with "Exec format error". The probe is
# the smallest such program: it only exits with 0.
tovira_runs_32bit() {
  local probe rc=0
  probe="$(mktemp "${TMPDIR:-/tmp}/tovira-i386-XXXXXX")" || return 1
  printf '%b' '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
    '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
    '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' \
    '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
    '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
    '\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || rc=1
  rm -f "$probe"
  return "$rc"
}
