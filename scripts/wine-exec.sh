#!/bin/sh
# Runs one 64-bit Windows test program under Wine for CTest:
#   wine-exec.sh <wineprefix> <program.exe> [arguments...]
# The prefix is private to the build directory and made once. Wine runs with
# code page 932 and on the display of the Xvfb that scripts/test.sh started.
set -u
prefix=$1
shift
exe=$1

# A 32-bit program under 64-bit-only Wine prints a warning and exits 0:
# refuse it here so that it can never pass as a test.
if ! x86_64-w64-mingw32-objdump -f "$exe" 2>/dev/null | grep -q 'file format pei-x86-64'; then
  echo "wine-exec: $exe is not a 64-bit Windows program" >&2
  exit 1
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-exec: no DISPLAY; run the tests through scripts/test.sh, which starts Xvfb" >&2
  exit 1
fi

export WINEPREFIX="$prefix" WINEDEBUG=-all LC_ALL=ja_JP.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
"$(dirname "$0")/wine-prefix.sh" "$prefix" || exit 1

err=$(mktemp)
trap 'rm -f "$err"' EXIT
wine "$@" 2>"$err"
status=$?
cat "$err" >&2
if grep -q 'wine32 is missing' "$err"; then
  echo "wine-exec: Wine could not run $exe" >&2
  exit 1
fi
exit $status
