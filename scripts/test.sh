#!/bin/sh
# shellcheck disable=SC2317 # the steps' functions are called through step()
# Checks the sources' formatting and shell scripts (scripts/check-style.sh),
# builds all four builds and runs every test:
#   native  portable code with AddressSanitizer and UndefinedBehaviorSanitizer
#   fuzz    libFuzzer targets, each over its seeds for a bounded number of inputs
#   x86_64  the programs and the Windows tests, under Wine on one Xvfb display
#   i686    the shipped 32-bit programs and the same Windows tests
# and then builds the release package and checks it, starting its programs.
# On a machine that runs no 32-bit programs (scripts/probe-32bit.sh) the i686
# tests cannot run: that step is shown as SKIP, with the reason, and does not
# fail the run; every other step runs as anywhere else.
set -u
cd "$(dirname "$0")/.." || exit 1
. scripts/xvfb.sh
scripts/deps.sh || exit 1

. scripts/steps.sh
build() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1"; }
# Each build's Windows tests run in that build's own prefix; a subshell keeps
# the Wine settings to them.
windows_tests() (  # windows_tests <preset>
  . scripts/wine-env.sh
  export WINEPREFIX="$PWD/build/$1/wineprefix"
  scripts/wine-prefix.sh "$WINEPREFIX" || exit 1
  stop_stale_wineserver
  wineserver -p 60
  ctest --preset "$1"
  status=$?
  wineserver -k 2>/dev/null
  exit "$status"
)
build_release() { zip=$(scripts/release.sh); }

step "sources: clang-format, shellcheck" scripts/check-style.sh
step "native build" build native
step "native tests" ctest --preset native -j2
step "fuzz build" build fuzz
step "fuzz runs" ctest --preset fuzz
step "i686 build" build i686
step "x86_64 build" build x86_64

trap stop_xvfb EXIT
start_xvfb
step "x86_64 tests (Wine)" windows_tests x86_64
step_32bit "i686 tests (Wine)" windows_tests i686
step "programs: hardening, imports, resources" scripts/check-binaries.sh build/i686/bin build/x86_64/bin
zip=""
step "release build" build_release
step "release package" scripts/check-release.sh "$zip"

summary
