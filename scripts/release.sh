#!/bin/sh
# Builds the shipped 32-bit programs in release mode and packs them with the
# user's guide into build/release/velder-setup-<version>.zip; prints its path.
set -eu
cd "$(dirname "$0")/.."
. scripts/version.sh
scripts/deps.sh >&2
cmake --preset i686 >/dev/null
cmake --build --preset i686 --target VelderSetup VelderVolCtl VelderCfg >&2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp build/i686/bin/VelderSetup.exe build/i686/bin/VelderVolCtl.exe build/i686/bin/VelderCfg.exe "$stage"
# Notepad on every Windows reads UTF-8 with a byte-order mark and CR LF.
{ printf '\357\273\277'; sed 's/$/\r/' docs/user-guide.txt; } > "$stage/guide.txt"
mkdir -p build/release
zip="$PWD/build/release/velder-setup-$(velder_version).zip"
rm -f "$zip"
(cd "$stage" && zip -q -X "$zip" VelderSetup.exe VelderVolCtl.exe VelderCfg.exe guide.txt)
echo "$zip"
