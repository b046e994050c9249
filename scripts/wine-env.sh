# Sourced by the scripts that run the programs under Wine from outside.
# prepare_wine <prefix name> <targets...> installs what is missing, builds the
# targets in the x86_64 build and points Wine at the private prefix
# build/x86_64/<prefix name>, in code page 932. start_xvfb comes with it.
. "$(dirname "$0")/xvfb.sh"

prepare_wine() {
  name=$1
  shift
  scripts/deps.sh
  cmake --preset x86_64 >/dev/null
  cmake --build --preset x86_64 --target "$@"
  export WINEPREFIX="$PWD/build/x86_64/$name" WINEDEBUG=-all LC_ALL=ja_JP.UTF-8
  scripts/wine-prefix.sh "$WINEPREFIX"
  # A server left from an earlier run keeps its desktop on that run's display.
  wineserver -k 2>/dev/null || true
  bin=build/x86_64/bin
  windows="$WINEPREFIX/drive_c/windows"
}
