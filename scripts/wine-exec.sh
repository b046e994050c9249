#!/bin/sh
# Runs one Windows test program, 64-bit or 32-bit, under Wine for CTest:
#   wine-exec.sh <wineprefix> <program.exe> [arguments...]
# The prefix is private to the build directory and made once; $VELDER_DPI,
# when set, is the screen DPI it is given first. Under $VELDER_LOCALE (see
# wine-env.sh) of another code page than 932, the prefix of that code page
# beside it is used instead. Wine runs on the display of
# the Xvfb that scripts/test.sh started.
# A program that Wine could not start never passes (see run_windows_program
# in wine-env.sh).
set -u
. "$(dirname "$0")/wine-env.sh"
prefix=$1
shift
exe=$1

# objdump's words follow the locale, and Wine's is Japanese: read them in C.
case "$(LC_ALL=C x86_64-w64-mingw32-objdump -f "$exe" 2>/dev/null | sed -n 's/.*file format //p')" in
  pei-x86-64) ;;
  pei-i386)
    if [ $machine_runs_32bit = no ]; then
      echo "wine-exec: cannot run the 32-bit $exe: $no_32bit" >&2
      exit 1
    fi
    ;;
  *) echo "wine-exec: $exe is not a Windows program" >&2; exit 1 ;;
esac
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-exec: no DISPLAY; run the tests through scripts/test.sh, which starts Xvfb" >&2
  exit 1
fi

# Another code page's prefix is shared by runs at several DPIs, so it is
# always given one.
dpi=${VELDER_DPI:-}
if [ "$(code_page_prefix "$prefix")" != "$prefix" ]; then
  prefix=$(code_page_prefix "$prefix")
  dpi=${dpi:-96}
fi
export WINEPREFIX="$prefix"
"$(dirname "$0")/wine-prefix.sh" "$prefix" ${dpi:+"$dpi"} || exit 1

run_windows_program "$@"
