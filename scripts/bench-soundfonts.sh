#!/bin/sh
# The soundfonts page filled with 1,000 entries under Wine, beside inserting
# the same 1,000 rows into an empty list view. RUNS sets the runs per median.
set -eu
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
prepare_wine bench-prefix soundfonts_bench
trap stop_xvfb EXIT
start_xvfb
wineserver -p 30
wine "$bin/soundfonts_bench.exe" "${RUNS:-15}"
wineserver -k
