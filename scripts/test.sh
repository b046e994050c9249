#!/bin/sh
# Builds all four builds and runs every test:
#   native  portable code with AddressSanitizer and UndefinedBehaviorSanitizer
#   fuzz    libFuzzer targets, each over its seeds for a bounded number of inputs
#   x86_64  the programs and the Windows tests, under Wine on one Xvfb display
#   i686    the shipped 32-bit programs (built only: Wine here runs 64-bit programs)
set -u
cd "$(dirname "$0")/.."
. scripts/xvfb.sh
scripts/deps.sh || exit 1

results=""
failed=0
step() {  # step <name> <command...>
  name=$1
  shift
  echo "==> $name"
  if "$@"; then
    results="$results\n  PASS  $name"
  else
    results="$results\n  FAIL  $name"
    failed=1
  fi
}
build() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1"; }

step "native build" build native
step "native tests" ctest --preset native -j2
step "fuzz build" build fuzz
step "fuzz runs" ctest --preset fuzz
step "i686 build" build i686
step "x86_64 build" build x86_64

start_xvfb
prefix="$PWD/build/x86_64/wineprefix"
scripts/wine-prefix.sh "$prefix"
# A server left from an earlier run keeps its desktop on that run's display.
WINEPREFIX="$prefix" wineserver -k 2>/dev/null
WINEPREFIX="$prefix" wineserver -p 60
step "x86_64 tests (Wine)" ctest --preset x86_64
step "programs: hardening, imports, resources" scripts/check-binaries.sh build/i686/bin build/x86_64/bin
step "release package" scripts/check-release.sh
WINEPREFIX="$prefix" wineserver -k 2>/dev/null

printf "\nSummary:%b\n" "$results"
if [ $failed -eq 0 ]; then echo "All builds and tests passed."; else echo "Some steps FAILED."; fi
exit $failed
