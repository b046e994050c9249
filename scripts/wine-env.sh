# Sourced by every script that runs Wine, so that all run it the same way:
# code page 932 (LC_ALL), no debug output, and no prompt to install Mono or
# Gecko. It brings start_xvfb (scripts/xvfb.sh) along.
scripts_dir=$(cd "$(dirname "$0")" && pwd)
. "$scripts_dir/xvfb.sh"
export WINEDEBUG=-all LC_ALL=ja_JP.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="

# A server left from an earlier run keeps its desktop on that run's display:
# stop the one of $WINEPREFIX before starting programs on a new display.
stop_stale_wineserver() {
  wineserver -k 2>/dev/null || true
}

# build_targets <preset> <targets...>: installs what is missing and builds the
# targets in that build.
build_targets() {
  preset=$1
  shift
  "$scripts_dir/deps.sh"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target "$@"
}

# prepare_wine <prefix name> <targets...> builds the targets in the x86_64
# build and points Wine at the private prefix build/x86_64/<prefix name>.
prepare_wine() {
  name=$1
  shift
  build_targets x86_64 "$@"
  export WINEPREFIX="$PWD/build/x86_64/$name"
  "$scripts_dir/wine-prefix.sh" "$WINEPREFIX"
  stop_stale_wineserver
  bin=build/x86_64/bin
  windows="$WINEPREFIX/drive_c/windows"
}
