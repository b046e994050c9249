#!/bin/sh
# Runs one Windows test program, 64-bit or 32-bit, under Wine for CTest:
#   wine-exec.sh <wineprefix> <program.exe> [arguments...]
# The prefix is private to the build directory and made once; $VELDER_DPI,
# when set, is the screen DPI it is given first. Under $VELDER_LOCALE (see
# wine-env.sh) of another code page than 932, the prefix of that code page
# beside it is used instead. Wine runs on the display of
# the Xvfb that scripts/test.sh started.
# A program that Wine could not start must never pass: Wine's loader reports
# it on stderr, sometimes with exit status 0, and a program that really ran
# always prints: GoogleTest's own lines on stdout, VelderCfg's refusals on
# stderr (with WINEDEBUG=-all Wine itself prints only the failures above).
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

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
{ wine "$@" 2>"$scratch/err"; echo $? > "$scratch/status"; } | tee "$scratch/out"
status=$(cat "$scratch/status")
cat "$scratch/err" >&2
if grep -Eq '^wine: (could not|cannot|failed)|wine32 is missing|Application could not be started' "$scratch/err"; then
  echo "wine-exec: Wine could not run $exe" >&2
  exit 1
fi
if [ ! -s "$scratch/out" ] && [ ! -s "$scratch/err" ]; then
  echo "wine-exec: $exe printed nothing, so it never ran" >&2
  exit 1
fi
exit "$status"
