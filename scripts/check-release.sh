#!/bin/sh
# Builds the release zip and checks what a user unpacks: the three shipped
# 32-bit programs, hardened and importing system DLLs only, and the guide.
set -u
cd "$(dirname "$0")/.."
zip=$(scripts/release.sh) || exit 1
version=$(sed -n 's/^project(Velder VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
status=0
fail() { echo "FAIL $zip: $*" >&2; status=1; }
[ "$(basename "$zip")" = "velder-setup-$version.zip" ] || fail "named $(basename "$zip")"
dir=$(mktemp -d)/i686
trap 'rm -rf "$(dirname "$dir")"' EXIT
mkdir -p "$dir"
unzip -q "$zip" -d "$dir" || fail "does not unpack"
[ "$(ls "$dir" | tr '\n' ' ')" = "VelderCfg.exe VelderSetup.exe VelderVolCtl.exe guide.txt " ] || fail "holds $(ls "$dir" | tr '\n' ' ')"
for exe in VelderSetup.exe VelderCfg.exe; do
  cmp -s "$dir/$exe" "build/i686/bin/$exe" || fail "$exe is not the i686 build"
done
scripts/check-binaries.sh "$dir" >/dev/null || fail "programs fail the binary checks"
guide="$dir/guide.txt"
[ "$(head -c 3 "$guide" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "guide has no UTF-8 byte-order mark"
[ "$(grep -c "$(printf '\r')\$" "$guide")" -eq "$(wc -l < "$guide")" ] || fail "guide lines do not all end in CR LF"
for text in "Windows ディレクトリ" "Windows directory" orvane.cfg velder_soundfont.ini VelderVolCtl.exe VelderCfg.exe \
            "コマンドラインオプション一覧" "ドライバ設定(soundfont.ini)"; do
  grep -q "$text" "$guide" || fail "guide does not mention $text"
done
[ $status -eq 0 ] && echo "release package OK: $zip"
exit $status
