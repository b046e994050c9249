# shellcheck shell=sh
# Sourced by the scripts that need a display: start_xvfb starts one Xvfb on a
# display number the server picks itself (so parallel runs never share one)
# and exports DISPLAY; stop_xvfb stops it, and does nothing when none runs.
# Neither touches the caller's traps: a caller stops the server from its own
# exit trap, beside its other cleanup.
start_xvfb() {
  xvfb_fifo=$(mktemp -u)
  mkfifo "$xvfb_fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$xvfb_fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r xvfb_display < "$xvfb_fifo"
  rm -f "$xvfb_fifo"
  export DISPLAY=":$xvfb_display"
}
# Never fails, so that a caller's exit status stays its own, under set -e too.
stop_xvfb() {
  [ -z "${xvfb_pid:-}" ] || kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}
