#!/bin/sh
# Tests how run_windows_program (scripts/wine-env.sh) tells a program that ran
# from one Wine never started, with a stand-in for Wine that acts out each
# start from a plan. Nothing here needs Wine. Run by the native tests.
. "$(dirname "$0")/test-support.sh"

# check <case> <expected status> <expected starts> <expected output> <plan...>:
# each plan line is what one start of the program does, in turn.
check() {
  name=$1 want_status=$2 want_starts=$3 want_out=$4
  shift 4
  printf '%s\n' "$@" > "$scratch/plan"
  echo 0 > "$scratch/starts"
  # The sourced script finds its folder from $0, which this shell names.
  sh -c '. scripts/wine-env.sh
    plans=$1
    wine() {
      start=$(($(cat "$plans/starts") + 1))
      echo $start > "$plans/starts"
      sh -c "$(sed -n ${start}p "$plans/plan")"
    }
    run_windows_program prog.exe --flag' scripts/wine_exec_test.sh "$scratch" \
    > "$scratch/out" 2> "$scratch/err"
  seen=$?
  [ $seen = "$want_status" ] || fail "$name: status $seen, not $want_status"
  [ "$(cat "$scratch/starts")" = "$want_starts" ] || fail "$name: started $(cat "$scratch/starts") times"
  [ "$(cat "$scratch/out")" = "$want_out" ] || fail "$name: printed \"$(cat "$scratch/out")\""
}

check "ran and passed" 0 1 "[  PASSED  ]" 'echo "[  PASSED  ]"'
check "ran and failed" 3 1 "[  FAILED  ]" 'echo "[  FAILED  ]"; exit 3'
check "a refusal on stderr alone" 2 1 "" 'echo "refused" >&2; exit 2'
check "the loader could not start it" 1 1 "" 'echo "wine: could not load kernel32.dll" >&2'
check "nothing started, then it ran" 0 2 "[  PASSED  ]" 'exit 0' 'echo "[  PASSED  ]"'
check "nothing started, then it ran and failed" 1 2 "[  FAILED  ]" 'exit 5' 'echo "[  FAILED  ]"; exit 1'
check "nothing started twice" 1 2 "" 'exit 0' 'exit 0'
grep -q "prog.exe printed nothing (status 0), so it never ran" "$scratch/err" ||
  fail "a start that printed nothing is not reported: $(cat "$scratch/err")"

exit $status
