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

# le32 <number>: its four bytes, little-endian.
le32() {
  for bits in 0 8 16 24; do
    # shellcheck disable=SC2059 # the format is the octal escape made here
    printf "\\$(printf %03o $(($1 >> bits & 255)))"
  done
}
# soundfont <file> <name> <sample bytes>: a SoundFont as small as its page
# reads it: the RIFF header, an INFO list with its INAM, and sample data.
soundfont() {
  name_size=$((${#2} + 1 + (${#2} + 1) % 2))
  info_size=$((4 + 8 + name_size))
  {
    printf RIFF
    le32 $((4 + 8 + info_size + 8 + 4 + $3))
    printf sfbkLIST
    le32 $info_size
    printf INFOINAM
    le32 $name_size
    printf '%s\0' "$2"
    [ $((${#2} % 2)) -eq 1 ] || printf '\0'
    printf LIST
    le32 $((4 + $3))
    printf sdta
    head -c "$3" /dev/zero
  } > "$1"
}

# take_pictures <locale> <program.exe name prefix>...: each program's pictures
# under that locale, in the pictures' prefix of its code page.
take_pictures() (
  export VELDER_LOCALE="$1"
  shift
  . scripts/wine-env.sh
  prepare_wine "$(code_page_prefix pictures-prefix)" VelderSetup VelderVolCtl shoot
  # The pictures show the pages as a fresh installation fills them.
  rm -f "$windows/velder_soundfont.ini"
  printf 'dir "C:\\soundfonts"\r\nsoundfont "C:\\soundfonts\\piano.sf2"\r\n#soundfont "C:\\soundfonts\\drums.sf2" amp=80\r\n' \
    > "$windows/orvane.cfg"
  mkdir -p "$WINEPREFIX/drive_c/soundfonts"
  soundfont "$WINEPREFIX/drive_c/soundfonts/piano.sf2" "Grand Piano" 314572
  soundfont "$WINEPREFIX/drive_c/soundfonts/drums.sf2" "Standard Drums" 98304

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
