# Sourced by the scripts: a virtual X display of their own. Xvfb picks a free
# display number itself (-displayfd), so leftovers of other runs never leave
# us without one.

# tovira_xvfb WHO [WxH]: starts one with a screen of WxH (1024x768 unless
# given) and exports its DISPLAY; TOVIRA_XVFB_PID names it for
# tovira_end_xvfb. When none comes up, WHO (the script) says so, the shell is
# left without a display, and it returns 1.
tovira_xvfb() {
  local fifo n="" pid=""
  fifo="$(mktemp -u)"
  if mkfifo "$fifo"; then
    Xvfb -displayfd 3 -screen 0 "${2:-1024x768}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    pid=$!
    read -r -t 20 n <"$fifo" || n=""
    rm -f "$fifo"
  fi
  if [ -z "$n" ]; then
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    unset DISPLAY
    echo "$1: no virtual display (Xvfb) could be started" >&2
    return 1
  fi
  TOVIRA_XVFB_PID=$pid
  export DISPLAY=":$n"
}

# Ends the display tovira_xvfb started, if any.
tovira_end_xvfb() {
  [ -z "${TOVIRA_XVFB_PID:-}" ] || kill "$TOVIRA_XVFB_PID" 2>/dev/null || true
  unset TOVIRA_XVFB_PID
}
