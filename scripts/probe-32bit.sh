#!/bin/sh
# Tells whether this machine runs 32-bit x86 programs, by starting one: a
# 96-byte i386 ELF that only exits with status 42, written here, so that the
# answer needs no package installed. Some kernels have that emulation off
# (ia32_emulation=off, or none in the virtual machine); there any i386
# program, 32-bit Wine's loader among them, fails with "Exec format error".
# Exit status 0: it runs them. Status 1: it does not, and stdout says why in
# one line. Every script that needs 32-bit code asks this one.
# VELDER_PROBE_32BIT=no makes it answer no on any machine, so that the path
# of a machine without them can be tried on one with them.
set -u
reason() { echo "this machine runs no 32-bit programs ($1)"; }
if [ "${VELDER_PROBE_32BIT:-}" = no ]; then
  reason "VELDER_PROBE_32BIT=no says so"
  exit 1
fi
# In the build folder rather than /tmp, which may forbid running programs.
build="$(cd "$(dirname "$0")/.." && pwd)/build"
if ! mkdir -p "$build" || ! scratch=$(mktemp -d "$build/.probe-32bit.XXXXXX"); then
  reason "no folder to write the test program in"
  exit 1
fi
trap 'rm -rf "$scratch"' EXIT
program="$scratch/exit42"
# ELF header, one loadable segment at 0x08048000, then the code at its entry
# (0x08048054): mov ebx, 42; mov eax, 1 (exit); int 0x80.
{
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'
  printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'
  printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000'
  printf '\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010'
  printf '\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000'
  printf '\000\020\000\000\273\052\000\000\000\270\001\000\000\000\315\200'
} > "$program"
chmod +x "$program"
# A subshell, so that the shell's own complaint about the program is caught.
( "$program" ) 2>"$scratch/err"
status=$?
[ "$status" -eq 42 ] && exit 0
# The shell words it "<shell>: <line>: <program>: <cause>"; the cause is the news.
cause=$(sed -n '$s/.*: //p' "$scratch/err")
reason "a tiny i386 program did not run: ${cause:-it ended with status $status}"
exit 1
