#!/bin/sh
# Checks the release zip (built by scripts/release.sh) as a user unpacks it:
# the three shipped 32-bit programs, hardened and importing system DLLs only,
# each starting under Wine from the zip's own bytes, and the guide. On a
# machine that runs no 32-bit programs (scripts/probe-32bit.sh) they cannot
# start: it says so in one line, and checks the rest.
#   check-release.sh <build/release/velder-setup-<version>.zip>
# It needs the x86_64 build's window_check tool, which the test command builds.
set -u
cd "$(dirname "$0")/.." || exit 1
. scripts/wine-env.sh
. scripts/version.sh
zip=${1:-}
[ -f "$zip" ] || { echo "usage: check-release.sh <release zip>; build it with scripts/release.sh" >&2; exit 2; }
status=0
fail() { echo "FAIL $zip: $*" >&2; status=1; }
[ "$(basename "$zip")" = "velder-setup-$(velder_version).zip" ] || fail "named $(basename "$zip")"
dir=$(mktemp -d)/i686
trap 'stop_xvfb; rm -rf "$(dirname "$dir")"' EXIT
mkdir -p "$dir"
unzip -q "$zip" -d "$dir" || fail "does not unpack"
# The names in a folder, each followed by a blank.
names() { (cd "$1" && printf '%s ' *); }
[ "$(names "$dir")" = "VelderCfg.exe VelderSetup.exe VelderVolCtl.exe guide.txt " ] || fail "holds $(names "$dir")"
for exe in VelderSetup.exe VelderCfg.exe; do
  cmp -s "$dir/$exe" "build/i686/bin/$exe" || fail "$exe is not the i686 build"
done
scripts/check-binaries.sh "$dir" >/dev/null || fail "programs fail the binary checks"
guide="$dir/guide.txt"
[ "$(head -c 3 "$guide" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "guide has no UTF-8 byte-order mark"
[ "$(grep -c "$(printf '\r')\$" "$guide")" -eq "$(wc -l < "$guide")" ] || fail "guide lines do not all end in CR LF"
for text in "Windows ディレクトリ" "Windows directory" orvane.cfg velder_soundfont.ini VelderVolCtl.exe VelderCfg.exe \
            "コマンドラインオプション一覧" "ドライバ設定(soundfont.ini)" "Driver parameters (soundfont.ini)" \
            "Command-line options" "再チェック" "Check again" "管理者の権限" "administrator rights" \
            'VirtualStore\\Windows' "Run as administrator" "管理者として実行"; do
  grep -q "$text" "$guide" || fail "guide does not mention $text"
done

if [ $machine_runs_32bit = no ]; then
  echo "check-release: the shipped 32-bit programs were not started: $no_32bit"
  [ $status -eq 0 ] && echo "release package OK (programs not started): $zip"
  exit $status
fi
# Each program, started from the unpacked zip in a prefix of its own, shows
# its window and ends with its own exit status when the window is closed.
export WINEPREFIX="$PWD/build/release/wineprefix"
scripts/wine-prefix.sh "$WINEPREFIX" || exit 1
start_xvfb
stop_stale_wineserver
checker=build/x86_64/bin/window_check.exe
[ -f "$checker" ] || { fail "no $checker to start the programs (cmake --build --preset x86_64 --target window_check)"; exit 1; }
for expected in 'VelderSetup.exe:window "Orvane Driver Setup", exit status 1' \
                'VelderVolCtl.exe:window "VelderVol", exit status 0'; do
  program=${expected%%:*}
  seen=$(wine "$checker" "$(winepath -w "$dir/$program")") || seen="did not start: $seen"
  seen=$(printf '%s' "$seen" | tr -d '\r')  # Wine's console ends lines in CR LF
  [ "$seen" = "${expected#*:}" ] || fail "$program under Wine: $seen"
done
# The console program shows the defaults of a folder without the driver's files.
mkdir "$dir.windir"
seen=$(wine "$dir/VelderCfg.exe" --windir "$(winepath -w "$dir.windir")" show | tr -d '\r' | head -n 1)
[ "$seen" = volume=70 ] || fail "VelderCfg.exe under Wine: show began with \"$seen\""
wineserver -k 2>/dev/null
[ $status -eq 0 ] && echo "release package OK: $zip"
exit $status
