#!/bin/sh
# Checks the programs as they ship, from `objdump -p`:
#   - ASLR (dynamic base) and DEP (NX compatible), and high-entropy addresses on x86_64;
#   - only system DLLs imported (the C and C++ runtimes are linked in);
#   - the resources each program must carry, and none it must not.
# Usage: check-binaries.sh <build/bin folder>...
set -u
allowed="kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll ole32.dll advapi32.dll msvcrt.dll"
status=0
fail() { echo "FAIL $exe: $*" >&2; status=1; }

# Prints "type/name" for every resource, ids in decimal, names as written.
resources() {
  x86_64-w64-mingw32-objdump -p "$1" | sed -n '/The .rsrc Resource Directory section/,$p' | awk '
    function id(s,   n, i) {
      if (s !~ /^0x/) return s
      n = 0
      for (i = 3; i <= length(s); i++) n = n * 16 + index("0123456789abcdef", tolower(substr(s, i, 1))) - 1
      return n
    }
    /^[0-9a-f]+   Entry: / { sub(/.*Entry: (ID|name): (\[[^]]*\]: )?/, ""); sub(/, Value.*/, ""); type = id($0); next }
    /^[0-9a-f]+     Entry: / { sub(/.*Entry: (ID|name): (\[[^]]*\]: )?/, ""); sub(/, Value.*/, ""); print type "/" id($0) }'
}

has() { printf '%s\n' "$2" | grep -qx "$1"; }

# The lines of $1 on one line, each followed by a blank but the last.
joined() { printf '%s' "$1" | tr '\n' ' '; }

check() {  # check <exe> <arch>
  exe=$1
  dump=$(x86_64-w64-mingw32-objdump -p "$exe") || { fail "not readable"; return; }
  format=$(x86_64-w64-mingw32-objdump -f "$exe" | sed -n 's/.*file format //p')
  case "$2" in
    i686) [ "$format" = pei-i386 ] || fail "format $format, expected pei-i386" ;;
    x86_64) [ "$format" = pei-x86-64 ] || fail "format $format, expected pei-x86-64"
            echo "$dump" | grep -q HIGH_ENTROPY_VA || fail "no high-entropy ASLR" ;;
  esac
  echo "$dump" | grep -q DYNAMIC_BASE || fail "no ASLR (dynamic base)"
  echo "$dump" | grep -q NX_COMPAT || fail "no DEP (NX compatible)"
  echo "$dump" | grep -q 'Base Relocation Directory \[.reloc\]' || fail "no relocations, so no real ASLR"

  dlls=$(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]')
  [ -n "$dlls" ] || fail "no imports found"
  for dll in $dlls; do
    case " $allowed " in *" $dll "*) ;; *) fail "imports $dll, which is not a system DLL" ;; esac
  done

  list=$(resources "$exe")
  case "$(basename "$exe")" in
    VelderSetup.exe)
      for r in 14/107 5/101 5/102 5/104 5/106 5/157 TEXT/105; do
        has "$r" "$list" || fail "no resource $r (type/name)"
      done
      echo "$list" | grep -q '^24/' && fail "carries a manifest"
      echo "$list" | grep -q '^16/' && fail "carries a version resource" ;;
    VelderVolCtl.exe)
      has 5/101 "$list" || fail "no dialog 101"
      echo "$list" | grep -q '^24/' || fail "no manifest" ;;
    VelderCfg.exe)
      [ -z "$list" ] || fail "carries resources $(joined "$list")"
      echo "$dump" | grep -q 'Subsystem.*(Windows CUI)' || fail "not a console program" ;;
  esac
  echo "$exe: $(joined "$dlls"); resources $(joined "$list")"
}

for dir in "$@"; do
  case "$dir" in *i686*) arch=i686 ;; *) arch=x86_64 ;; esac
  found=0
  for exe in "$dir"/VelderSetup.exe "$dir"/VelderVolCtl.exe "$dir"/VelderCfg.exe; do
    [ -f "$exe" ] || continue
    found=1
    check "$exe" "$arch"
  done
  [ $found -eq 1 ] || { echo "FAIL $dir: no programs" >&2; status=1; }
done
exit $status
