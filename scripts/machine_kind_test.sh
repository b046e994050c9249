#!/bin/sh
# Tests the scripts' choices for a machine that runs no 32-bit programs, on
# either kind of machine: VELDER_PROBE_32BIT=no makes the probe say no, and
# nothing here needs Wine. Run by the native tests.
. "$(dirname "$0")/test-support.sh"

# The probe: a real answer in its own form, and the forced one.
why=$(scripts/probe-32bit.sh)
case $? in
  0) [ -z "$why" ] || fail "the probe said yes and printed \"$why\"" ;;
  1) case $why in "this machine runs no 32-bit programs ("*")") ;; *) fail "probe's reason \"$why\"" ;; esac ;;
  *) fail "the probe ended with status $?" ;;
esac
real=$(scripts/probe-32bit.sh >/dev/null && echo yes || echo no)
why=$(VELDER_PROBE_32BIT=no scripts/probe-32bit.sh) && fail "VELDER_PROBE_32BIT=no: the probe said yes"
[ "$why" = "this machine runs no 32-bit programs (VELDER_PROBE_32BIT=no says so)" ] || fail "forced reason \"$why\""

# Wine's programs go through the 64-bit loader where the machine says no,
# and through Debian's own `wine` where it says yes.
cat > "$scratch/loader" <<'LOADER'
#!/bin/sh
echo "loader: $*"
LOADER
chmod +x "$scratch/loader"
# The sourced scripts find their folder from $0, which each shell here names.
self=scripts/machine_kind_test.sh
seen=$(VELDER_PROBE_32BIT=no sh -c '. scripts/wine-env.sh; wine64="$1"; echo "$WINELOADER"
  wine prog.exe a; wineboot -i; winepath -w /x; runs_32bit /nonexistent || echo "no 32-bit"' $self "$scratch/loader")
expected="/usr/lib/wine/wine64
loader: prog.exe a
loader: wineboot.exe -i
loader: winepath.exe -w /x
no 32-bit"
[ "$seen" = "$expected" ] || fail "where the machine says no, Wine ran as: $seen"
if [ "$real" = yes ]; then
  seen=$(sh -c '. scripts/wine-env.sh; command -v wine; runs_32bit /nonexistent && echo "32-bit"' $self)
  [ "$seen" = "$(command -v wine)
32-bit" ] || fail "where the machine says yes, Wine ran as: $seen"
fi

# The test command's summary: a step that needs 32-bit code is skipped, not
# run, names the reason, and the last line says what was skipped.
summary_of() {  # summary_of <last step's command...>
  VELDER_PROBE_32BIT=no sh -c 'scratch=$1; shift; . scripts/steps.sh; step "first" true >/dev/null
    step_32bit "i686 tests (Wine)" touch "$scratch/ran" >/dev/null; "$@" >/dev/null; summary' $self "$scratch" "$@"
}
seen=$(summary_of true)
seen="$seen
status $?"
expected="
Summary:
  PASS  first
  SKIP  i686 tests (Wine): this machine runs no 32-bit programs (VELDER_PROBE_32BIT=no says so)
All builds and tests passed; skipped: i686 tests (Wine)
status 0"
[ "$seen" = "$expected" ] || fail "skipped step: $seen"
[ ! -e "$scratch/ran" ] || fail "the skipped step ran"
seen=$(summary_of step "last" false)
seen="$seen
status $?"
[ "$(echo "$seen" | tail -n 3)" = "  FAIL  last
Some steps FAILED.
status 1" ] || fail "a failed step beside a skipped one: $seen"

# run.sh refuses the i686 build there, before building anything.
seen=$(VELDER_PROBE_32BIT=no VELDER_BUILD=i686 scripts/run.sh 2>&1)
seen="$seen
status $?"
[ "$seen" = "run.sh: cannot run the i686 build: this machine runs no 32-bit programs (VELDER_PROBE_32BIT=no says so)
status 1" ] || fail "VELDER_BUILD=i686 run.sh: $seen"
exit $status
