#!/usr/bin/env bash
# One installation of the built cabinet opens the cabinet file once: the
# installer reads it whole into memory, checks those bytes and hands the same
# bytes to the cabinet library, so nothing written to the file after the
# check can be installed. Wine's file trace of the installer tells each open
# (NtCreateFile) by name; the installation is then removed again.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${TOVIRA_BUILD:?TOVIRA_BUILD names the build}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
windows() { echo "Z:${1//\//\\}"; }
cabinet="$scratch/read-once.cab"
cp "$build/package/Tovira.cab" "$cabinet"
mkdir "$scratch/device"
exe="$(windows "$build/bin/tvrinstall.exe")"
case "$exe$scratch" in *" "*) echo "SKIP: a path with a space cannot pass through cmd /c"; exit 0 ;; esac
# wine-run quiets Wine; cmd turns the file trace on for the installation only.
"$root/scripts/wine-run" cmd /c "set WINEDEBUG=trace+file&& $exe install $(windows "$cabinet") \
$(windows "$scratch/device")&& set WINEDEBUG=-all&& $exe remove $(windows "$scratch/device")" \
  >"$scratch/out" 2>"$scratch/trace" || true
fail() { echo "FAIL: $*" >&2; cat "$scratch/out" >&2; exit 1; }
grep -q '^Installed Tovira' "$scratch/out" || fail "the installation did not finish"
grep -q '^Removed Tovira' "$scratch/out" || fail "the removal did not finish"
opens="$(grep -c 'trace:file:NtCreateFile .*read-once\.cab' "$scratch/trace" || true)"
[ "$opens" = 1 ] || {
  grep 'read-once\.cab' "$scratch/trace" | cut -c1-200 >&2
  fail "the cabinet file was opened $opens times, not once"
}
echo "the cabinet file was opened once"
