#!/bin/sh
# Photographs both programs for the README: each of VelderSetup's tabs and
# the volume window, run under Xvfb inside Wine's virtual desktop (so windows
# get their frames and captions), saved as docs/pictures/*.png.
# Run it again whenever a page changes.
set -eu
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
prepare_wine pictures-prefix VelderSetup VelderVolCtl shoot
# The pictures show the pages as a fresh installation fills them.
rm -f "$windows/velder_soundfont.ini"
printf 'dir "C:\\soundfonts"\r\nsoundfont "C:\\soundfonts\\piano.sf2"\r\n' > "$windows/orvane.cfg"

start_xvfb
out=docs/pictures
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"; stop_xvfb' EXIT
mkdir -p "$out"
shoot() {  # shoot <program> <name prefix>
  wine explorer /desktop=velder,1000x720 "$bin/shoot.exe" "$(winepath -w "$bin/$1")" \
    "$(winepath -w "$scratch")\\$2" >/dev/null
  wineserver -w
}
shoot VelderSetup.exe setup-tab
shoot VelderVolCtl.exe volume
for bmp in "$scratch"/*.bmp; do
  png="$out/$(basename "$bmp" .bmp).png"
  bmptopnm "$bmp" 2>/dev/null | pnmtopng > "$png"
  echo "$png"
done
