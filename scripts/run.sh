#!/bin/sh
# Builds VelderSetup (or, with "volctl", VelderVolCtl) and starts it under Wine
# in your own Wine prefix, so that it edits your driver's files there.
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
. scripts/xvfb.sh
scripts/deps.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 --target "$target"
program=build/x86_64/bin/$target.exe
export LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$program"
fi

start_xvfb
# Without a window manager only Wine's own desktop draws captions and frames.
wine explorer /desktop=velder,1280x1024 "$program" &
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
