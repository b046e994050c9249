#!/bin/sh
# Makes one of the project's own Wine prefixes (never a user's), given as $1:
# a 64-bit prefix that runs 32-bit programs too, or on a machine that runs no
# 32-bit programs (scripts/probe-32bit.sh) a 64-bit one only. Its kind is
# recorded in .velder-kind; a prefix of another kind that the project made
# (one made before 32-bit Wine was installed, or on the other kind of
# machine) is made again. Later calls return at
# once; concurrent callers wait on a lock, so the prefix is made exactly once.
# An optional $2 sets the screen's DPI (LogPixels) of the prefix, on every
# call, so that one prefix serves several DPIs in turn; a prefix never given
# one has 96. Every prefix gets the fonts of scripts/wine-fonts.sh, a prefix
# made before that step existed too.
set -eu
. "$(dirname "$0")/wine-env.sh"
prefix=$1
dpi=${2:-}
if [ $machine_runs_32bit = yes ]; then kind=win64+wow64; else kind=win64; fi
marker="$prefix/.velder-kind"
has_32bit_support() { [ -d "$prefix/drive_c/windows/syswow64" ]; }
made() { [ "$(cat "$marker" 2>/dev/null)" = $kind ] && { [ $kind = win64 ] || has_32bit_support; }; }
ready() { made && [ -f "$prefix/.velder-fonts" ]; }
# The DPI last set is recorded, so that asking for it again costs nothing.
dpi_set() { [ -z "$dpi" ] || [ "$(cat "$prefix/.velder-dpi" 2>/dev/null)" = "$dpi" ]; }
ready && dpi_set && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
ready && dpi_set && exit 0
export WINEPREFIX="$prefix"
if ! made; then
  if [ -e "$prefix" ]; then
    # .velder-ready marked the prefixes made before kinds were recorded.
    if [ ! -f "$marker" ] && [ ! -f "$prefix/.velder-ready" ]; then
      echo "wine-prefix: $prefix was not made by this project; it is left alone" >&2
      exit 1
    fi
    echo "wine-prefix: making $prefix again as a $kind prefix" >&2
    wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
  fi
  mkdir -p "$prefix"
  echo incomplete > "$marker"
  wineboot -i > "$prefix.log" 2>&1 || true
  if [ ! -d "$prefix/drive_c/windows/system32" ]; then
    echo "wine-prefix: Wine could not make $prefix; wineboot said:" >&2
    tail -n 20 "$prefix.log" >&2
    exit 1
  fi
  # Unmanaged windows: without a window manager on Xvfb, Wine otherwise waits
  # two seconds for every visible window it destroys.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  if [ $kind = win64+wow64 ] && ! has_32bit_support; then
    echo "wine-prefix: Wine made $prefix without 32-bit support; is wine32:i386 installed? (scripts/deps.sh)" >&2
    exit 1
  fi
  echo $kind > "$marker"
fi
if [ ! -f "$prefix/.velder-fonts" ]; then
  "$(dirname "$0")/wine-fonts.sh" "$prefix"
  touch "$prefix/.velder-fonts"
fi
if ! dpi_set; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  echo "$dpi" > "$prefix/.velder-dpi"
fi
