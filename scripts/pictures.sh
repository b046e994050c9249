#!/bin/sh
# Photographs both programs for the README: each of VelderSetup's tabs,
# in Japanese (code page 932) and in English (code page 1252), and the volume
# window, which shows no words, run under Xvfb inside Wine's virtual desktop
# (so windows get their frames and captions), saved as docs/pictures/*.png.
# Run it again whenever a page changes.
set -eu
cd "$(dirname "$0")/.."
out=docs/pictures
mkdir -p "$out"

# take_pictures <locale> <program.exe name prefix>...: each program's pictures
# under that locale, in the pictures' prefix of its code page.
take_pictures() (
  export VELDER_LOCALE="$1"
  shift
  . scripts/wine-env.sh
  prepare_wine "$(code_page_prefix pictures-prefix)" VelderSetup VelderVolCtl shoot
  # The pictures show the pages as a fresh installation fills them.
  rm -f "$windows/velder_soundfont.ini"
  printf 'dir "C:\\soundfonts"\r\nsoundfont "C:\\soundfonts\\piano.sf2"\r\n' > "$windows/orvane.cfg"

  start_xvfb
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"; stop_xvfb' EXIT
  for shot in "$@"; do
    wine explorer /desktop=velder,1000x720 "$bin/shoot.exe" "$(winepath -w "$bin/${shot%% *}")" \
      "$(winepath -w "$scratch")\\${shot#* }" >/dev/null
    wineserver -w
  done
  for bmp in "$scratch"/*.bmp; do
    png="$out/$(basename "$bmp" .bmp).png"
    bmptopnm "$bmp" 2>/dev/null | pnmtopng > "$png"
    echo "$png"
  done
)

take_pictures ja_JP.UTF-8 "VelderSetup.exe setup-tab" "VelderVolCtl.exe volume"
take_pictures en_US.UTF-8 "VelderSetup.exe setup-en-tab"
