#!/bin/sh
# Checks that each program imports only DLLs that every Windows has: the C
# and C++ runtimes are linked in, so no MinGW DLL may appear.
set -u
allowed="kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll ole32.dll advapi32.dll msvcrt.dll"
status=0
for exe in "$@"; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
  if [ -z "$dlls" ]; then
    echo "$exe: no imports found" >&2
    status=1
  fi
  for dll in $dlls; do
    case " $allowed " in
      *" $dll "*) ;;
      *) echo "$exe imports $dll, which is not a system DLL" >&2; status=1 ;;
    esac
  done
  echo "$exe: $(echo $dlls)"
done
exit $status
