# Sourced by the scripts that need a display: start_xvfb starts one Xvfb on a
# display number the server picks itself (so parallel runs never share one),
# exports DISPLAY and stops the server when the script exits.
start_xvfb() {
  xvfb_fifo=$(mktemp -u)
  mkfifo "$xvfb_fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$xvfb_fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null' EXIT
  read -r xvfb_display < "$xvfb_fifo"
  rm -f "$xvfb_fifo"
  export DISPLAY=":$xvfb_display"
}
