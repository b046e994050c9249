#!/bin/sh
# Builds VelderSetup (or, with "volctl", VelderVolCtl) and starts it under Wine
# in your own Wine prefix, so that it edits your driver's files there. It runs
# the shipped i686 build, or with VELDER_BUILD=x86_64 the 64-bit one; on a
# machine that runs no 32-bit programs (scripts/probe-32bit.sh), the 64-bit
# one, and VELDER_BUILD=i686 is refused there.
# Without $DISPLAY it runs on a private Xvfb, inside Wine's virtual desktop so
# that the window has its caption and frame, saves a screenshot of the window
# as a PNG, prints its path and closes the program.
set -eu
cd "$(dirname "$0")/.."
case "${1:-}" in
  "") target=VelderSetup title="Orvane Driver Setup" ;;
  volctl) target=VelderVolCtl title=VelderVol ;;
  *) echo "usage: scripts/run.sh [volctl]" >&2; exit 2 ;;
esac
. scripts/wine-env.sh
build=${VELDER_BUILD:-i686}
prefix=${WINEPREFIX:-$HOME/.wine}
if [ "$build" = i686 ] && [ $machine_runs_32bit = no ]; then
  if [ -n "${VELDER_BUILD:-}" ]; then
    echo "run.sh: cannot run the i686 build: $no_32bit" >&2
    exit 1
  fi
  echo "run.sh: $no_32bit, so this runs the x86_64 build" >&2
  build=x86_64
elif [ "$build" = i686 ] && ! runs_32bit "$prefix"; then
  echo "run.sh: $prefix cannot run 32-bit programs (it was made before 32-bit Wine was installed), so this runs the x86_64 build; for the shipped one, use a new prefix: WINEPREFIX=\$HOME/.wine-velder scripts/run.sh" >&2
  build=x86_64
fi
case "$build" in
  i686) wine=wine ;;
  x86_64) wine=$wine64 ;;
  *) echo "run.sh: VELDER_BUILD is i686 or x86_64" >&2; exit 2 ;;
esac
build_targets "$build" "$target"
program=build/$build/bin/$target.exe

if [ -n "${DISPLAY:-}" ]; then
  exec $wine "$program"
fi

trap stop_xvfb EXIT
start_xvfb
# Without a window manager only Wine's own desktop draws captions and frames.
$wine explorer /desktop=velder,1280x1024 "$program" &
program_pid=$!
window=""
for _ in $(seq 300); do
  window=$(xdotool search --name "$title" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "run: the window \"$title\" did not come up" >&2
  wineserver -k
  exit 1
fi
sleep 2  # let the window paint
shot="$PWD/build/$target.png"
xwd -id "$window" -silent | xwdtopnm 2>/dev/null | pnmtopng > "$shot"
echo "Screenshot: $shot"
wineserver -k
wait $program_pid 2>/dev/null || true
