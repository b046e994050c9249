#!/bin/sh
# Builds VelderSetup (or, with "volctl", VelderVolCtl) and starts it under Wine
# in your own Wine prefix, so that it edits your driver's files there.
# Without $DISPLAY it runs on a private Xvfb, saves a screenshot of the window
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
wine "$program" &
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
