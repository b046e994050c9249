#!/bin/sh
# Start-up benchmark under Wine: the time from CreateProcess until VelderSetup's
# window is up and idle, beside a program that opens one empty dialog, with
# small driver files and with a 1 MB orvane.cfg. RUNS sets the runs per median.
set -eu
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
prepare_wine bench-prefix VelderSetup startup_bench empty_dialog
trap stop_xvfb EXIT
start_xvfb
wineserver -p 30
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
  for _ in $(seq 1000); do printf %b "$line"; done >> "$windows/orvane.cfg"
  printf '#extension opt --reverb=f\r\n#extension opt -EFchorus=n\r\n' >> "$windows/orvane.cfg"
done
echo "== 1 MB orvane.cfg ($(stat -c %s "$windows/orvane.cfg") bytes)"
measure
wineserver -k
