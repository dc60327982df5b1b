#!/usr/bin/env bash
# The test command: installs what it needs, builds, and runs the tests under
# Wine on a virtual display of its own. Arguments go to ctest (-R NAME ...).
#
# Two lanes, chosen by TOVIRA_ARCHS (default "x86_64 i686"; scripts/lane.sh):
#   x86_64  builds everything (build/) and runs every test;
#   i686    the device's 32-bit data model: builds the device target and the
#           programs of the data-model subset (build-i686/) and runs that
#           subset (ctest -L datamodel) under Wine's 32-bit side. Where the
#           kernel runs no 32-bit programs it checks only what needs no Wine
#           (ctest -L exports) and says so.
# With both, the i686 build runs while the x86_64 tests do. TOVIRA_BUILD
# names the x86_64 tree; the i686 one is beside it, ending in "-i686".
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
lanes="${TOVIRA_ARCHS:-x86_64 i686}"
base="${TOVIRA_BUILD:-$root/build}"
# The tests choose their own prefixes (<tree>/wineprefix-test-<dpi>-<n>).
unset TOVIRA_WINEPREFIX TOVIRA_DESKTOP TOVIRA_SERVER_PERSIST TOVIRA_TEST_PREFIX TOVIRA_ARCH TOVIRA_BUILD
source "$root/scripts/lane.sh"
source "$root/scripts/wine-procs.sh"
source "$root/scripts/xvfb.sh"
source "$root/scripts/at-exit.sh"
for lane in $lanes; do
  tovira_lane_known "$lane" || { echo "test.sh: TOVIRA_ARCHS takes x86_64 and i686, not '$lane'" >&2; exit 2; }
done
has_lane() { [[ " $lanes " == *" $1 "* ]]; }
tree() { echo "$base$(tovira_lane_suffix "$1")"; }
TOVIRA_ARCHS="$lanes" "$root/scripts/install-deps.sh" clang-format-14
# Every C++ source laid out as .clang-format says; a file that is not fails the
# run by name, before anything is built.
"$root/scripts/check-format.sh"
runs_i686=0
has_lane i686 && tovira_runs_32bit && runs_i686=1
runs() { [ "$1" = x86_64 ] || [ "$runs_i686" = 1 ]; }

# The servers and displays of the test prefixes that this run starts are
# ended with it; those that run already are another run's.
test_prefixes() {
  local lane p
  for lane in $lanes; do
    for p in "$(tree "$lane")"/wineprefix-test-*; do [ -d "$p" ] && echo "$p"; done
  done
  true
}
declare -A running_before=()
for p in $(test_prefixes); do tovira_server_running "$p" && running_before[$p]=1; done
end_test_prefixes() {
  local p
  for p in $(test_prefixes); do [ -n "${running_before[$p]:-}" ] || tovira_end_server "$p"; done
}

# The template of each lane's test prefixes (cmake/ToviraTesting.cmake) boots
# Wine while the builds run.
template_jobs=()
for lane in $lanes; do
  runs "$lane" || continue
  dir="$(tree "$lane")"
  mkdir -p "$dir"
  TOVIRA_ARCH="$lane" TOVIRA_BUILD="$dir" TOVIRA_WINEPREFIX="$dir/wineprefix-test-template" \
    TOVIRA_TEMPLATE_ONLY=1 TOVIRA_DPI=96 TOVIRA_DESKTOP="ToviraTests,1024x768" \
    "$root/scripts/wine-prefix" >"$dir/test-prefix.log" 2>&1 </dev/null &
  template_jobs+=("$lane:$!")
done
templates_ready() {
  local entry lane ok=0
  for entry in "${template_jobs[@]}"; do
    lane="${entry%%:*}"
    [ "$lane" = "$1" ] || continue
    wait "${entry#*:}" || { cat "$(tree "$lane")/test-prefix.log" >&2; ok=1; }
  done
  return "$ok"
}
# The lane's build: everything for x86_64, the device target and the subset's
# programs for i686.
build_lane() {
  local lane="$1" what=""
  shift
  [ "$lane" = x86_64 ] || what=datamodel
  "$@" env TOVIRA_ARCH="$lane" TOVIRA_BUILD="$(tree "$lane")" "$root/scripts/build.sh" $what
}

# A display of the run's own; the i686 build, the test prefixes' servers and
# that display end with the run.
tovira_xvfb test.sh || true
i686_job=""
tovira_at_exit tovira_end_job i686_job
tovira_at_exit end_test_prefixes
tovira_at_exit tovira_end_xvfb

# One test program more than there are processors: each spends part of its
# time waiting (on its display, its Wine server, a window going), and the one
# more fills those gaps.
jobs=$(($(nproc) + 1))
failed=()
if has_lane x86_64; then
  if build_lane x86_64 && templates_ready x86_64; then
    # The i686 build takes what the tests leave of the machine.
    if has_lane i686; then
      mkdir -p "$(tree i686)"
      build_lane i686 nice -n 10 >"$(tree i686)/build.log" 2>&1 </dev/null &
      i686_job=$!
    fi
    (cd "$(tree x86_64)" && ctest --output-on-failure -j "$jobs" "$@") || failed+=(x86_64)
  else
    failed+=("x86_64 (build)")
  fi
fi
if has_lane i686; then
  if [ -n "$i686_job" ]; then
    job="$i686_job"
    i686_job=""
    wait "$job" && built=1 || built=0
    [ "$built" = 1 ] || tail -n 40 "$(tree i686)/build.log" >&2
  elif has_lane x86_64; then
    built=0  # the x86_64 build failed first
  else
    build_lane i686 && built=1 || built=0
  fi
  if [ "$built" = 0 ]; then
    failed+=("i686 (build)")
  elif [ "$runs_i686" = 1 ]; then
    if templates_ready i686; then
      (cd "$(tree i686)" && ctest --output-on-failure -j "$jobs" -L datamodel "$@") || failed+=(i686)
    else
      failed+=("i686 (prefix)")
    fi
  else
    tovira_no_32bit "test.sh: i686" \
      "the data-model tests cannot run under Wine's 32-bit side here; checking the exports only"
    (cd "$(tree i686)" && ctest --output-on-failure -L exports "$@") || failed+=(i686)
  fi
fi
# Which lanes ran what: the i686 lane's reach depends on the kernel.
if has_lane i686; then
  if [ "$runs_i686" = 1 ]; then
    echo "test.sh: i686: this kernel runs 32-bit programs: the data-model tests ran under Wine's 32-bit side"
  else
    echo "test.sh: i686: this kernel runs no 32-bit programs: the exports were checked, the data-model tests could not run"
  fi
fi
if [ ${#failed[@]} -gt 0 ]; then
  echo "test.sh: failed: ${failed[*]}" >&2
  exit 1
fi
