#!/bin/sh
# Sets up the fonts of a Wine prefix so that the programs come close to how
# they look on Japanese Windows:
#   - the faces the dialog templates name are mapped to the IPA fonts: the
#     proportional ones to IPAPGothic, the monospaced ones to IPAGothic
#     (otherwise every Japanese face falls back to the monospaced IPAGothic,
#     and labels laid out for a proportional font are cut);
#   - Wine's symbol font Marlett (from fonts-wine) is registered by its full
#     path, so that the caption's buttons show symbols instead of the letters
#     "0 1 r": Debian's Wine does not find its own fonts where fonts-wine puts
#     them, and no other installed font has those symbols.
# It changes that prefix's registry (and nothing else); run it again at will.
#   scripts/wine-fonts.sh [prefix]    (default: $WINEPREFIX, else ~/.wine)
# The project's own prefixes get it from scripts/wine-prefix.sh.
set -eu
. "$(dirname "$0")/wine-env.sh"
prefix=${1:-${WINEPREFIX:-$HOME/.wine}}
wine=wine
runs_32bit "$prefix" || wine=$wine64
marlett=/usr/share/wine/fonts/marlett.ttf
for font in "$marlett" /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf; do
  if [ ! -f "$font" ]; then
    echo "wine-fonts: $font is missing; run scripts/deps.sh (as root) first" >&2
    exit 1
  fi
done

reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
# regedit reads a UTF-16 file whatever the locale, so the Japanese face names
# arrive as they are written here.
{
  printf '\357\273\277Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for face in "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic"; do printf '"%s"="IPAPGothic"\r\n' "$face"; done
  for face in "ＭＳ ゴシック" "MS Gothic"; do printf '"%s"="IPAGothic"\r\n' "$face"; done
  printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\r\n'
  printf '"Marlett (TrueType)"="Z:%s"\r\n' "$(echo "$marlett" | sed 's,/,\\\\,g')"
} | iconv -f UTF-8 -t UTF-16LE > "$reg"
WINEPREFIX="$prefix" $wine regedit /S "Z:$(echo "$reg" | sed 's,/,\\,g')" >/dev/null 2>&1
WINEPREFIX="$prefix" wineserver -w
