# Sourced: gives this shell a virtual X display when it has none. Xvfb picks a
# free display number itself (-displayfd), so leftovers of other runs never
# leave us without one. The caller stops it through TOVIRA_XVFB_PID.
if [ -z "${DISPLAY:-}" ]; then
  _fifo="$(mktemp -u)"; mkfifo "$_fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$_fifo" >/dev/null 2>&1 &
  TOVIRA_XVFB_PID=$!
  read -r -t 20 _n <"$_fifo" || _n=""
  rm -f "$_fifo"
  [ -n "$_n" ] && export DISPLAY=":$_n"
  unset _fifo _n
fi
