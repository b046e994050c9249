#!/bin/sh
# Installs the Debian packages the build, the programs and the tests need,
# skipping those already there. Run as root; safe to run again.
# wine32:i386 runs the shipped 32-bit programs; it needs the i386 architecture,
# and only a machine that runs 32-bit programs gets it (scripts/probe-32bit.sh):
# elsewhere its loader cannot start, and Debian's `wine` would pick it.
# git, clang-format and shellcheck are for the test command's check of the sources.
# locales holds the sources of the locales that wine-env.sh makes for the
# tests (in the build folder, never the system's).
set -eu
packages="cmake ninja-build g++ clang libclang-rt-14-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb xauth x11-apps netpbm xdotool
  fonts-ipafont-gothic fonts-wine util-linux zip unzip git clang-format shellcheck locales"
"$(dirname "$0")/probe-32bit.sh" >/dev/null && packages="$packages wine32:i386"
set --
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || set -- "$@" "$p"
done
if [ $# -gt 0 ]; then
  echo "Installing: $*"
  case "$*" in
    *:i386*) dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
  esac
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$@"
fi
