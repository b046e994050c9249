# shellcheck shell=sh
# shellcheck disable=SC2034 # its variables are for the scripts that source it
# Sourced by every script that runs Wine, so that all run it the same way:
# code page 932 (LC_ALL), no debug output, and no prompt to install Mono or
# Gecko. It brings start_xvfb and stop_xvfb (scripts/xvfb.sh) along.
# $VELDER_LOCALE, when set, is the locale instead: "en_US.UTF-8" gives code
# page 1252; "CODEPAGE/INTERFACE" names two, as "ja_JP.UTF-8/en_US.UTF-8",
# for a system whose code page (Wine's LC_CTYPE) and interface language
# (LC_MESSAGES) differ.
scripts_dir=$(cd "$(dirname "$0")" && pwd)
. "$scripts_dir/xvfb.sh"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Wine splits the two only where glibc has both locales. They are made once
# into the build folder (LOCPATH), leaving the system's locales as they are.
use_own_locales() {  # use_own_locales <locale>...
  export LOCPATH="$scripts_dir/../build/locales"
  for name in "$@"; do
    [ -d "$LOCPATH/$name" ] && continue
    mkdir -p "$LOCPATH"
    scratch_locale=$(mktemp -d "$LOCPATH/.new.XXXXXX")
    localedef -i "${name%%.*}" -f "${name#*.}" "$scratch_locale/$name" &&
      { mv "$scratch_locale/$name" "$LOCPATH/" 2>/dev/null || [ -d "$LOCPATH/$name" ]; }
    rm -rf "$scratch_locale"
  done
}

velder_locale=${VELDER_LOCALE:-ja_JP.UTF-8}
case $velder_locale in
  */*)
    use_own_locales "${velder_locale%/*}" "${velder_locale#*/}"
    unset LC_ALL
    export LC_CTYPE="${velder_locale%/*}" LC_MESSAGES="${velder_locale#*/}"
    ;;
  *) export LC_ALL="$velder_locale" ;;
esac

# code_page_prefix <prefix>: the prefix to use for $VELDER_LOCALE's code page.
# Each prefix takes 1.3 GB, so a build has one for code page 932 and one
# beside it for each other code page, whatever the interface language.
code_page_prefix() {
  case ${velder_locale%/*} in
    ja_JP.*) echo "$1" ;;
    *) echo "$1-${velder_locale%%.*}" ;;
  esac
}

# Wine's 64-bit loader. A prefix made before 32-bit Wine was installed has no
# syswow64, and there `wine` starts nothing at all, not even a 64-bit program;
# this loader still runs 64-bit programs in it.
wine64=/usr/lib/wine/wine64
# Whether this machine runs 32-bit programs, as scripts/probe-32bit.sh tells;
# where it does not, $no_32bit says why.
if no_32bit=$("$scripts_dir/probe-32bit.sh"); then machine_runs_32bit=yes; else machine_runs_32bit=no; fi
# There Debian's `wine` (and wineboot, winepath, which start it) would pick
# the 32-bit loader whenever wine32 is installed, and it cannot start at all;
# so every Wine program goes through the 64-bit loader, the ones Wine starts
# itself too (WINELOADER).
if [ $machine_runs_32bit = no ]; then
  export WINELOADER="$wine64"
  wine() { "$wine64" "$@"; }
  wineboot() { "$wine64" wineboot.exe "$@"; }
  winepath() { "$wine64" winepath.exe "$@"; }
fi
# runs_32bit <prefix>: false where 32-bit programs cannot run: on this
# machine, or in an existing prefix made without 32-bit support (a prefix not
# made yet will be made with it).
runs_32bit() {
  [ $machine_runs_32bit = yes ] && { [ ! -d "$1/drive_c/windows" ] || [ -d "$1/drive_c/windows/syswow64" ]; }
}

# A server left from an earlier run keeps its desktop on that run's display:
# stop the one of $WINEPREFIX before starting programs on a new display.
stop_stale_wineserver() {
  wineserver -k 2>/dev/null || true
}

# run_windows_program <program> [arguments...]: runs it under Wine with its
# output passed on, and ends with its exit status; it fails, saying why,
# where Wine could not start it. Wine's loader reports that on stderr,
# sometimes with exit status 0. A program that ran always prints at once:
# GoogleTest's first line, as the test programs' output is unbuffered, or
# VelderCfg's refusals. Now and then Wine starts nothing at all and says
# nothing; a program that printed nothing never ran, so it is started once
# more, and the run fails if again nothing runs.
run_windows_program() {
  run_output=$(mktemp -d)
  run_status=1
  for run_again in yes no; do
    { wine "$@" 2>"$run_output/err"; echo $? > "$run_output/status"; } | tee "$run_output/out"
    cat "$run_output/err" >&2
    if grep -Eq '^wine: (could not|cannot|failed)|wine32 is missing|Application could not be started' \
      "$run_output/err"; then
      echo "wine-exec: Wine could not run $1" >&2
      break
    fi
    if [ -s "$run_output/out" ] || [ -s "$run_output/err" ]; then
      run_status=$(cat "$run_output/status")
      break
    fi
    echo "wine-exec: $1 printed nothing (status $(cat "$run_output/status")), so it never ran" >&2
    [ $run_again = no ] || echo "wine-exec: starting $1 once more" >&2
  done
  rm -rf "$run_output"
  return "$run_status"
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
