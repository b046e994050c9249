#!/bin/sh
# Start-up benchmark under Wine: the time from CreateProcess until VelderSetup's
# window is up and idle, beside a program that opens one empty dialog, with
# small driver files and with a 1 MB orvane.cfg. RUNS sets the runs per median.
set -eu
cd "$(dirname "$0")/.."
. scripts/xvfb.sh
scripts/deps.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 --target VelderSetup startup_bench empty_dialog

export WINEPREFIX="$PWD/build/x86_64/bench-prefix" WINEDEBUG=-all LC_ALL=ja_JP.UTF-8
scripts/wine-prefix.sh "$WINEPREFIX"
windows="$WINEPREFIX/drive_c/windows"
start_xvfb
wineserver -p 30
bin=build/x86_64/bin
measure() {
  wine "$bin/startup_bench.exe" "$(winepath -w "$bin/VelderSetup.exe")" "$(winepath -w "$bin/empty_dialog.exe")" \
    "${RUNS:-15}"
}

rm -f "$windows/velder_soundfont.ini"
printf 'dir "C:\\soundfonts"\r\nsoundfont "piano.sf2"\r\n#extension opt --volume=100\r\n' > "$windows/orvane.cfg"
echo "== small files"
measure

line='soundfont "C:\\soundfonts\\a-rather-long-name-for-a-piano.sf2" amp=100 pan=0\r\n'
: > "$windows/orvane.cfg"
while [ "$(stat -c %s "$windows/orvane.cfg")" -lt 1048576 ]; do
  for _ in $(seq 1000); do printf "$line"; done >> "$windows/orvane.cfg"
  printf '#extension opt --reverb=f\r\n#extension opt -EFchorus=n\r\n' >> "$windows/orvane.cfg"
done
echo "== 1 MB orvane.cfg ($(stat -c %s "$windows/orvane.cfg") bytes)"
measure
wineserver -k
