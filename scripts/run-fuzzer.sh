#!/bin/sh
# Runs a libFuzzer target over its committed seeds for a bounded number of inputs.
# New inputs go to a scratch folder, so the committed corpus stays as it is.
set -eu
fuzzer=$1 corpus=$2 runs=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
exec "$fuzzer" -runs="$runs" -max_len=8192 -timeout=10 "$scratch" "$corpus"
