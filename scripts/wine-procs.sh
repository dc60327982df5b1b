# Sourced by the scripts: the running programs of a Wine prefix of the
# project, found by the WINEPREFIX in their environment (/proc). Nothing of
# the Wine environment (scripts/wine-env.sh) is needed for that.

# The environment, a variable a line, of the first running process of the
# prefix $1 that pgrep finds with the arguments after it (for example
# -f 'todayhost\.exe'); false when none runs.
tovira_prefix_env() {
  local prefix="$1" pid env
  shift
  for pid in $(pgrep -u "$(id -u)" "$@" 2>/dev/null); do
    env="$({ tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null)" || continue
    grep -qxF "WINEPREFIX=$prefix" <<<"$env" || continue
    printf '%s\n' "$env"
    return 0
  done
  return 1
}

# True while a process of the prefix $1 runs that pgrep finds with the
# arguments after it.
tovira_prefix_runs() { tovira_prefix_env "$@" >/dev/null; }

# The X display of a running process of the prefix $1 that pgrep finds with
# the arguments after it: where that program's Wine desktop is shown.
tovira_prefix_display() {
  local env
  env="$(tovira_prefix_env "$@")" || return 1
  sed -n 's/^DISPLAY=//p' <<<"$env" | head -n 1
}

# True while a Wine server of the prefix $1 (default: this one) runs, that is
# while any program of it (a screen, the tool) is open or has just ended.
tovira_server_running() { tovira_prefix_runs "${1:-$WINEPREFIX}" wineserver; }
