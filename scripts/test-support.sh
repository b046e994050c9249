# shellcheck shell=sh
# shellcheck disable=SC2034 # status is the sourcing test's to end with
# Sourced first by the scripts' own tests (scripts/*_test.sh): they run from
# the project's root, record each failure with `fail` and go on, keep their
# files in $scratch (removed at the end), and end with `exit $status`.
set -u
cd "$(dirname "$0")/.." || exit 1
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
