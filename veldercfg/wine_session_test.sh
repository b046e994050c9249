#!/bin/sh
# Runs VelderCfg.exe under Wine through the three commands, over a Windows
# directory of its own (reached through Wine's Z: drive):
#   wine_session_test.sh <wine-exec.sh> <wineprefix> <VelderCfg.exe>
set -u
exec_wine=$1 prefix=$2 exe=$3
dir=$(mktemp -d)
# The prefix's C:\windows\orvane.cfg is put back as it was found, and what
# the test puts in the user's VirtualStore is removed.
real="$prefix/drive_c/windows/orvane.cfg"
[ ! -e "$real" ] || cp -p "$real" "$dir/real.saved"
made=""
trap 'if [ -e "$dir/real.saved" ]; then cp -p "$dir/real.saved" "$real"; else rm -f "$real"; fi
[ -z "$made" ] || rm -rf "$made"
rm -rf "$dir"' EXIT
windir="Z:$(echo "$dir" | sed 's,/,\\,g')"
status=0
fail() { printf 'FAIL: %s\n' "$*" >&2; status=1; }
run_as() {  # run_as <expected status> <arguments...>; output in $dir/out
  want=$1
  shift
  "$exec_wine" "$prefix" "$exe" "$@" >"$dir/out.raw" 2>"$dir/err"
  got=$?
  tr -d '\r' <"$dir/out.raw" >"$dir/out"
  [ "$got" = "$want" ] || fail "$* exited $got, not $want: $(cat "$dir/out" "$dir/err")"
}
run() {  # run <expected status> <arguments...>, in the test's own Windows directory
  want=$1
  shift
  run_as "$want" --windir "$windir" "$@"
}
has() { grep -qxF "$1" "$dir/out" || fail "no line '$1' in: $(cat "$dir/out")"; }

# The smallest SoundFont file: a RIFF header of form sfbk.
printf 'RIFF\004\000\000\000sfbk' >"$dir/piano.sf2"
printf 'soundfont piano.sf2\r\nsoundfont gone.sf2\r\n' >"$dir/orvane.cfg"
cp "$dir/orvane.cfg" "$dir/first"

run 0 set volume=90 reverb=f,40 param.VibratoDelay=500 main.OverWriteEnv=on
grep -q "^#extension opt --reverb=f,40$(printf '\r')\$" "$dir/orvane.cfg" || fail "orvane.cfg not written in CR LF: $(cat "$dir/orvane.cfg")"
grep -q "^VibratoDelay=500$(printf '\r')\$" "$dir/velder_soundfont.ini" || fail "velder_soundfont.ini: $(cat "$dir/velder_soundfont.ini")"
# Each set keeps the version before it of a file that existed.
cmp -s "$dir/orvane.cfg.bak" "$dir/first" || fail "set kept no previous orvane.cfg"
[ ! -e "$dir/velder_soundfont.ini.bak" ] || fail "a new velder_soundfont.ini left a .bak"

run 0 show
has volume=90
has reverb=f,40
has param.VibratoDelay=500
has main.OverWriteEnv=on

run 1 check
[ "$(head -n 1 "$dir/out")" = "$windir\\orvane.cfg:2: soundfont file \"gone.sf2\" not found; looked for $windir\\gone.sf2" ] ||
  fail "check printed: $(cat "$dir/out")"
# Then the MIDI system's rows: Wine here has no MIDI output device.
has "MIDI output: none, so programs that play MIDI hear nothing"
grep -q "^MIDI mapper (the default device): " "$dir/out" || fail "no mapper row in: $(cat "$dir/out")"
grep -q "^Windows MIDI Services: " "$dir/out" || fail "no MIDI Services row in: $(cat "$dir/out")"

cp "$dir/orvane.cfg" "$dir/before"
run 2 set volume=500
cmp -s "$dir/orvane.cfg" "$dir/before" || fail "a refused value changed orvane.cfg"
grep -q "allowed: 1 to 200" "$dir/err" || fail "refusal says: $(cat "$dir/err")"

# A read-only file is never written, though Wine would let root replace it.
for file_setting in orvane.cfg:volume=80 velder_soundfont.ini:param.VibratoDelay=400; do
  file=${file_setting%%:*}
  cp "$dir/$file" "$dir/before"
  chmod a-w "$dir/$file"
  run 1 set "${file_setting#*:}"
  cmp -s "$dir/$file" "$dir/before" || fail "set wrote the read-only $file"
  grep -q "$file: could not be written" "$dir/err" || fail "set over a read-only $file says: $(cat "$dir/err")"
  grep -q "^read-only: the file is marked read-only" "$dir/err" || fail "no reason for the read-only $file: $(cat "$dir/err")"
  chmod u+w "$dir/$file"
done
# Neither reading, nor a refused or failed set, made a previous version.
cmp -s "$dir/orvane.cfg.bak" "$dir/first" || fail "orvane.cfg.bak changed without a set that wrote"
[ ! -e "$dir/velder_soundfont.ini.bak" ] || fail "velder_soundfont.ini.bak made without a set that wrote"
cp "$dir/orvane.cfg" "$dir/before"
run 0 set volume=82
cmp -s "$dir/orvane.cfg.bak" "$dir/before" || fail "a second set did not keep the version before it"

# A source loop spelt in other letter case is the same file: reported once,
# at the line that names it, and not followed; the MIDI system's rows follow
# the files' findings.
mkdir "$dir/t1"
printf 'source %s\\T1\\ORVANE.CFG\r\n' "$windir" >"$dir/t1/orvane.cfg"
printf '[main]\r\nver=101\r\n' >"$dir/t1/velder_soundfont.ini"
run_as 1 --windir "$windir\\t1" check
loop="$windir\\t1\\orvane.cfg:1: source loop: $windir\\T1\\ORVANE.CFG is already being read; not followed"
[ "$(grep 'source loop' "$dir/out")" = "$loop" ] || fail "a loop in other letter case: $(cat "$dir/out")"

# A hidden file stays hidden over a set, where the file system keeps Wine's
# attributes (in extended attributes).
attributes() { WINEPREFIX=$prefix wine attrib "$@" 2>/dev/null | tr -d '\r'; }
attributes +h "$windir\\orvane.cfg" >/dev/null
if attributes "$windir\\orvane.cfg" | grep -q '^[A-Z ]*H'; then
  run 0 set volume=81
  attributes "$windir\\orvane.cfg" | grep -q '^[A-Z ]*H' || fail "set unhid orvane.cfg: $(attributes "$windir\\orvane.cfg")"
  attributes -h "$windir\\orvane.cfg" >/dev/null
else
  echo "the file system of $dir keeps no Wine attributes: hidden files not tried"
fi

# Without --windir: the prefix's own C:\windows.
"$exec_wine" "$prefix" "$exe" show >"$dir/out" 2>"$dir/err" || fail "show in C:\\windows: $(cat "$dir/err")"
grep -q '^volume=' "$dir/out" || fail "show in C:\\windows printed: $(cat "$dir/out")"

# A copy in the user's VirtualStore (%LOCALAPPDATA%\VirtualStore\windows,
# as Wine names the profile) is reported for C:\windows, named or not, and
# not for another folder.
appdata=$("$exec_wine" "$prefix" "$prefix/drive_c/windows/system32/cmd.exe" /c echo %LOCALAPPDATA% | tr -d '\r')
case "$appdata" in
  [Cc]:\\*) ;;
  *) fail "Wine's %LOCALAPPDATA% is \"$appdata\"" ;;
esac
virtual_store="$prefix/dosdevices/c:$(printf %s "${appdata#??}" | sed 's,\\,/,g')/VirtualStore"
if [ -e "$virtual_store" ]; then made="$virtual_store/windows/orvane.cfg"; else made=$virtual_store; fi
mkdir -p "$virtual_store/windows"
printf '#extension opt --volume=70\r\n' >"$real"
printf '#extension opt --volume=80\r\n' >"$virtual_store/windows/orvane.cfg"
shadow="C:\\windows\\orvane.cfg: programs without a manifest read $appdata\\VirtualStore\\windows\\orvane.cfg (a copy in the VirtualStore) instead of this file; its bytes differ from this file's"
run_as 1 check
has "$shadow"
run_as 1 --windir 'C:\windows' check
has "$shadow"
run 1 check
if grep -q VirtualStore "$dir/out"; then fail "a VirtualStore copy reported for another folder: $(cat "$dir/out")"; fi
# The soundfonts page's list, and an entry switched off as the page does it.
run 1 soundfonts
has "1 on OK piano.sf2"
has "2 on not found gone.sf2"
run 0 soundfonts off 2
grep -q "^#soundfont gone.sf2$(printf '\r')\$" "$dir/orvane.cfg" || fail "soundfonts off wrote: $(cat "$dir/orvane.cfg")"
exit $status
