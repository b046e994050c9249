#!/bin/sh
# Builds the optimised benchmark build and runs every benchmark program in it
# (or only those whose names are given). Extra Google Benchmark flags can be
# passed in BENCH_FLAGS, such as BENCH_FLAGS=--benchmark_repetitions=5.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench
for program in build/bench/bin/*_bench; do
  [ -x "$program" ] || continue
  name=$(basename "$program")
  if [ $# -gt 0 ]; then
    case " $* " in *" $name "*) ;; *) continue ;; esac
  fi
  echo "==> $name"
  # shellcheck disable=SC2086 # BENCH_FLAGS may hold several flags, split at blanks
  "$program" ${BENCH_FLAGS:-}
done
