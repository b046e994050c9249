# shellcheck shell=sh
# The test command's steps and its summary, sourced by scripts/test.sh:
#   step <name> <command...>        runs a step: PASS or FAIL
#   step_32bit <name> <command...>  the same where the machine runs 32-bit
#                                   programs; elsewhere SKIP, with the reason
#   summary                         prints every step's state and a last line
#                                   that names what was skipped; its status
#                                   is 1 when a step failed
# A skipped step fails nothing, but the last line says so, so that nobody
# takes the run for a full one.
steps_dir=$(cd "$(dirname "$0")" && pwd)
results=""
failed=0
skipped=""
step() {
  name=$1
  shift
  echo "==> $name"
  if "$@"; then
    results="$results\n  PASS  $name"
  else
    results="$results\n  FAIL  $name"
    failed=1
  fi
}
step_32bit() {
  if why=$("$steps_dir/probe-32bit.sh"); then
    step "$@"
  else
    echo "==> $1: skipped, $why"
    results="$results\n  SKIP  $1: $why"
    skipped="${skipped:+$skipped, }$1"
  fi
}
summary() {
  printf "\nSummary:%b\n" "$results"
  if [ $failed -ne 0 ]; then
    echo "Some steps FAILED."
  elif [ -n "$skipped" ]; then
    echo "All builds and tests passed; skipped: $skipped"
  else
    echo "All builds and tests passed."
  fi
  return $failed
}
