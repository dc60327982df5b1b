# Sourced by the scripts: what a script starts for its run ends with it,
# whichever way the script ends. tovira_at_exit COMMAND [ARG...] adds a step;
# at the script's exit the steps run in the order they were added, and the
# script exits with its own status, which a step finds in
# tovira_exit_status.
tovira_exit_steps=()
tovira_at_exit() {
  tovira_exit_steps+=("$(printf '%q ' "$@")")
  trap tovira_run_exit_steps EXIT
}
tovira_run_exit_steps() {
  tovira_exit_status=$?
  local step
  for step in "${tovira_exit_steps[@]}"; do eval "$step" || true; done
  exit "$tovira_exit_status"
}

# Ends the background job whose pid the variable named $1 holds at exit; a
# script empties the variable once it has waited for the job itself.
tovira_end_job() {
  local pid="${!1:-}"
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
}

# Ends the Wine server of the prefix $1, and every program of it, with the
# display of its own that scripts/wine-run gives a test prefix.
tovira_end_server() {
  local xvfb
  WINEPREFIX="$1" wineserver -k 2>/dev/null || true
  if [ -f "$1.display" ] && read -r xvfb _ <"$1.display"; then
    kill "$xvfb" 2>/dev/null || true
  fi
  rm -f "$1.display"
}
