#!/bin/sh
# Builds VelderSetup (or, with "volctl", VelderVolCtl) and starts it under Wine
# in your own Wine prefix, so that it edits your driver's files there. It runs
# the shipped i686 build, or with VELDER_BUILD=x86_64 the 64-bit one.
# Without $DISPLAY it runs on a private Xvfb, saves a screenshot of the window
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
# A prefix made before 32-bit Wine was installed has no syswow64, and there
# `wine` starts nothing at all; its 64-bit loader still runs the x86_64 build.
prefix=${WINEPREFIX:-$HOME/.wine}
if [ "$build" = i686 ] && [ -d "$prefix/drive_c/windows" ] && [ ! -d "$prefix/drive_c/windows/syswow64" ]; then
  echo "run.sh: $prefix cannot run 32-bit programs (it was made before 32-bit Wine was installed), so this runs the x86_64 build; for the shipped one, use a new prefix: WINEPREFIX=\$HOME/.wine-velder scripts/run.sh" >&2
  build=x86_64
fi
case "$build" in
  i686) wine=wine ;;
  x86_64) wine=/usr/lib/wine/wine64 ;;
  *) echo "run.sh: VELDER_BUILD is i686 or x86_64" >&2; exit 2 ;;
esac
build_targets "$build" "$target"
program=build/$build/bin/$target.exe

if [ -n "${DISPLAY:-}" ]; then
  exec $wine "$program"
fi

start_xvfb
$wine "$program" &
program_pid=$!
for _ in $(seq 300); do
  xdotool search --name "$title" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 2  # let the window paint
shot="$PWD/build/$target.png"
xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng > "$shot"
echo "Screenshot: $shot"
wineserver -k
wait $program_pid 2>/dev/null || true
