#!/bin/sh
# Checks the programs as they ship, from `objdump -p`:
#   - ASLR (dynamic base) and DEP (NX compatible), and high-entropy addresses on x86_64;
#   - terminal-server aware;
#   - only system DLLs imported (the C and C++ runtimes are linked in);
#   - the resources each program must carry, and none it must not;
#   - each program's manifest as the file holds it: its execution level, the
#     Windows versions it supports, and VelderSetup's DPI awareness;
#   - each program's version resource, of the version the release zip is named by.
# Usage: check-binaries.sh <build/bin folder>...
set -u
# objdump's words follow the locale (Japanese where Wine's settings are in force).
export LC_ALL=C
. "$(dirname "$0")/version.sh"
version=$(velder_version)
allowed="kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll ole32.dll advapi32.dll msvcrt.dll"
status=0
fail() { echo "FAIL $exe: $*" >&2; status=1; }

# Prints "type/name address size" for every resource, ids in decimal, names
# as written; the address (hexadecimal) and size (decimal) of its bytes are
# those of its first language.
resource_table() {
  x86_64-w64-mingw32-objdump -p "$1" | sed -n '/The .rsrc Resource Directory section/,$p' | awk '
    function id(s,   n, i) {
      if (s !~ /^0x/) return s
      n = 0
      for (i = 3; i <= length(s); i++) n = n * 16 + index("0123456789abcdef", tolower(substr(s, i, 1))) - 1
      return n
    }
    /^[0-9a-f]+   Entry: / { sub(/.*Entry: (ID|name): (\[[^]]*\]: )?/, ""); sub(/, Value.*/, ""); type = id($0); next }
    /^[0-9a-f]+     Entry: / { sub(/.*Entry: (ID|name): (\[[^]]*\]: )?/, ""); sub(/, Value.*/, ""); name = id($0); next }
    /Leaf: Addr: / && name != "" {
      sub(/.*Addr: /, ""); split($0, f, /, Size: |, Codepage/)
      print type "/" name " " f[1] " " id(f[2]); name = ""
    }'
}

resources() { resource_table "$1" | cut -d' ' -f1; }

# The bytes of resource $2 ("type/name") of program $1, read from the file
# where the resource section's place in memory puts them.
resource_bytes() {
  read -r address size <<EOF
$(resource_table "$1" | awk -v r="$2" '$1 == r { print $2, $3; exit }')
EOF
  [ -n "$address" ] || return 1
  read -r vma place <<EOF
$(x86_64-w64-mingw32-objdump -h "$1" | awk '$2 == ".rsrc" { print $4, $6 }')
EOF
  base=$(x86_64-w64-mingw32-objdump -p "$1" | awk '$1 == "ImageBase" { print $2 }')
  dd if="$1" bs=1 skip=$(( 0x$place + address - (0x$vma - 0x$base) )) count="$size" 2>/dev/null
}

has() { printf '%s\n' "$2" | grep -qx "$1"; }

# The version resource 16/1 of program $1, one line a value: "fixed FILE
# PRODUCT" (the binary versions, as a.b.c.d), "translation LANG CODEPAGE...",
# and "TABLE/NAME=TEXT" for each string of each string table, in UTF-8. The
# resource is a tree of nodes, each a length in bytes, a value length, a
# type (1 for text), a UTF-16 key and its value, then its children, each
# part starting on four bytes (two words).
version_info() {
  resource_bytes "$1" 16/1 | od -An -v -tu2 --endian=little | awk '
    { for (i = 1; i <= NF; i++) w[n++] = $i }
    function utf8(c) {
      if (c < 128) return sprintf("%c", c)
      if (c < 2048) return sprintf("%c%c", 192 + int(c / 64), 128 + c % 64)
      return sprintf("%c%c%c", 224 + int(c / 4096), 128 + int(c / 64) % 64, 128 + c % 64)
    }
    # The text from word k up to its NUL; after it, k is the word past the NUL.
    function text(end,   s) { s = ""; while (k < end && w[k] != 0) s = s utf8(w[k++]); k++; return s }
    function dotted(at) { return w[at + 1] "." w[at] "." w[at + 3] "." w[at + 2] }
    function node(o, parent,   end, type, size, key, i, s) {
      end = o + int((w[o] + 1) / 2); size = w[o + 1]; type = w[o + 2]
      k = o + 3; key = text(end); k += k % 2
      if (key == "VS_VERSION_INFO") print "fixed " dotted(k + 4) " " dotted(k + 8)
      else if (key == "Translation") {
        s = "translation"; for (i = 0; i < size / 2; i++) s = s " " w[k + i]; print s
      } else if (type == 1 && size > 0) { i = k; print parent "/" key "=" text(end); k = i }
      k += type == 1 ? size : int((size + 1) / 2); k += k % 2
      while (k < end && w[k] > 0) { k = node(k, key); k += k % 2 }
      return end
    }
    END { if (n) node(0, "") }'
}

# The lines of $1 on one line, each followed by a blank but the last.
joined() { printf '%s' "$1" | tr '\n' ' '; }

# The documented ids of the Windows versions a manifest declares it supports.
supported_os="e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38
1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"  # Vista, 7, 8, 8.1, 10 and 11

# check_manifest <exe> <level> [dpi-aware] [supported-os]: its one manifest,
# resource 24/1, names the execution level, no common-controls 6, and, when
# asked, DPI awareness in the 2005 namespace (http: an https one is ignored)
# and every supported Windows version.
check_manifest() {
  text=$(resource_bytes "$1" 24/1 | tr '\r\n\t' '   ')
  [ -n "$text" ] || { fail "no manifest 24/1"; return; }
  [ "$(resources "$1" | grep -c '^24/')" -eq 1 ] || fail "more than one manifest"
  printf '%s' "$text" | grep -q "<requestedExecutionLevel level=\"$2\" uiAccess=\"false\"/>" ||
    fail "manifest does not ask for execution level $2"
  printf '%s' "$text" | grep -q 'Microsoft.Windows.Common-Controls' && fail "manifest asks for common controls 6"
  shift 2
  for want in "$@"; do
    case $want in
      dpi-aware)
        printf '%s' "$text" | grep -Eq 'windowsSettings xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings"> *<dpiAware>true</dpiAware>' ||
          fail "manifest is not DPI aware in the 2005 namespace" ;;
      supported-os)
        for id in $supported_os; do
          printf '%s' "$text" | grep -q "<supportedOS Id=\"{$id}\"/>" || fail "manifest lacks supportedOS $id"
        done ;;
    esac
  done
}

# check_version <exe>: its version resource gives the version the release zip
# is named by (scripts/version.sh), in the binary record and in both string
# tables, English and Japanese, beside the product's and the file's names and
# a description.
check_version() {
  info=$(version_info "$1")
  [ -n "$info" ] || { fail "no version resource 16/1"; return; }
  [ "$(resources "$1" | grep -c '^16/')" -eq 1 ] || fail "more than one version resource"
  has "fixed $version.0 $version.0" "$info" || fail "binary versions $(echo "$info" | grep '^fixed '), not $version.0"
  has "translation 1033 1200 1041 1200" "$info" || fail "version resource not in English and Japanese"
  name=$(basename "$1" .exe)
  for table in 040904B0 041104B0; do
    for value in FileVersion="$version" ProductVersion="$version" ProductName="Velder setup suite" \
                 OriginalFilename="$name.exe" InternalName="$name"; do
      has "$table/$value" "$info" || fail "version resource lacks $table/$value"
    done
    echo "$info" | grep -q "^$table/FileDescription=." || fail "version resource lacks $table/FileDescription"
  done
}

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
  characteristics=$(echo "$dump" | awk '$1 == "DllCharacteristics" { print $2 }')
  [ $(( 0x${characteristics:-0} & 0x8000 )) -ne 0 ] || fail "not terminal-server aware"

  dlls=$(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]')
  [ -n "$dlls" ] || fail "no imports found"
  for dll in $dlls; do
    case " $allowed " in *" $dll "*) ;; *) fail "imports $dll, which is not a system DLL" ;; esac
  done

  list=$(resources "$exe")
  case "$(basename "$exe")" in
    VelderSetup.exe)
      # The pages in Japanese, and in English under their ids plus 1000.
      for r in 14/107 5/101 5/102 5/104 5/106 5/108 5/157 5/1102 5/1104 5/1106 5/1108 5/1157 TEXT/105; do
        has "$r" "$list" || fail "no resource $r (type/name)"
      done
      check_manifest "$exe" highestAvailable dpi-aware supported-os ;;
    VelderVolCtl.exe)
      has 5/101 "$list" || fail "no dialog 101"
      check_manifest "$exe" asInvoker ;;
    VelderCfg.exe)
      [ "$(joined "$list")" = "16/1 24/1" ] || fail "carries resources $(joined "$list"), not its version and manifest alone"
      check_manifest "$exe" asInvoker supported-os
      echo "$dump" | grep -q 'Subsystem.*(Windows CUI)' || fail "not a console program" ;;
  esac
  check_version "$exe"
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
