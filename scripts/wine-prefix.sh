#!/bin/sh
# Creates the Wine prefix given as $1 once; later calls return at once.
# Concurrent callers wait on a lock, so the prefix is made exactly once.
# An optional $2 sets the screen's DPI (LogPixels; 96 when not given).
# Every prefix gets the fonts of scripts/wine-fonts.sh, a prefix made before
# that step existed too.
set -eu
prefix=$1
dpi=${2:-}
[ -f "$prefix/.velder-ready" ] && [ -f "$prefix/.velder-fonts" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.velder-ready" ]; then
  WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
  # Unmanaged windows: without a window manager on Xvfb, Wine otherwise waits
  # two seconds for every visible window it destroys.
  WINEPREFIX="$prefix" WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  if [ -n "$dpi" ]; then
    WINEPREFIX="$prefix" WINEDEBUG=-all wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
      /d "$dpi" /f >/dev/null 2>&1
  fi
  WINEPREFIX="$prefix" wineserver -w
  touch "$prefix/.velder-ready"
fi
if [ ! -f "$prefix/.velder-fonts" ]; then
  "$(dirname "$0")/wine-fonts.sh" "$prefix"
  touch "$prefix/.velder-fonts"
fi
