# Sourced by the scripts: the lane they build and run. TOVIRA_ARCH=x86_64
# (the default) is 64-bit Windows; TOVIRA_ARCH=i686 is the device's data
# model (32-bit pointers and handles, stdcall callbacks), run under Wine's
# 32-bit side. Each lane has a build tree of its own (build/ and
# build-i686/), and with it its own Wine prefixes and device; TOVIRA_BUILD
# names another tree for the lane in use.

# The lanes there are.
tovira_lane_known() { [ "$1" = x86_64 ] || [ "$1" = i686 ]; }
# What tells a lane's things from the x86_64 lane's: its build tree
# (build-i686/ beside build/) and its CMake preset (mingw-i686) end in it.
tovira_lane_suffix() { [ "$1" = x86_64 ] || echo "-$1"; }

_lane_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${TOVIRA_ARCH:=x86_64}"
if ! tovira_lane_known "$TOVIRA_ARCH"; then
  echo "TOVIRA_ARCH is x86_64 or i686, not '$TOVIRA_ARCH'" >&2
  exit 2
fi
TOVIRA_PRESET="mingw$(tovira_lane_suffix "$TOVIRA_ARCH")"
: "${TOVIRA_BUILD:=$_lane_root/build$(tovira_lane_suffix "$TOVIRA_ARCH")}"
export TOVIRA_ARCH TOVIRA_PRESET
unset _lane_root

# Every program of the build that the scripts start, all made by the "device"
# target (cmake/ToviraDevice.cmake), and the package: those the lane's tree
# lacks, a line each; tovira_device_built is true when it lacks none.
tovira_device_programs=(todayhost.exe turnscreen.exe devicestate.exe tvrinstall.exe)
tovira_device_missing() {
  local program
  for program in "${tovira_device_programs[@]}"; do
    [ -x "$TOVIRA_BUILD/bin/$program" ] || echo "bin/$program"
  done
  [ -f "$TOVIRA_BUILD/package/Tovira.cab" ] || echo "package/Tovira.cab"
}
tovira_device_built() { [ -z "$(tovira_device_missing)" ]; }

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

# Where the kernel runs no 32-bit programs: $1 (the script) says so, and what
# of the i686 lane it cannot do here ($2; by default show the lane's build).
tovira_no_32bit() {
  local what="Wine's 32-bit side cannot show the i686 build ($TOVIRA_BUILD) here"
  echo "$1: this kernel does not run 32-bit programs (IA32 emulation is off): ${2:-$what}" >&2
}
