#!/bin/sh
# Checks the sources git tracks, as the test command does, and fails on any
# finding: clang-format (the repository's .clang-format) over every C++ source
# and header, and shellcheck (with .shellcheckrc) over every shell script:
# those named *.sh and those whose first line starts a shell.
set -u
cd "$(dirname "$0")/.." || exit 1
if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  echo "check-style: not a git checkout; the tracked files are what is checked" >&2
  exit 1
fi

shell_scripts() {
  git ls-files | while IFS= read -r file; do
    case "$file" in
      *.sh) echo "$file" ;;
      *) head -n 1 "$file" 2>/dev/null | grep -Eq '^#!(/usr)?/bin/(env )?(da|ba)?sh( |$)' && echo "$file" ;;
    esac
  done
}

status=0
cpp=$(git ls-files -- '*.cpp' '*.h' | wc -l)
if git ls-files -z -- '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run -Werror; then
  echo "clang-format: $cpp C++ files formatted"
else
  echo "check-style: clang-format found C++ files not formatted (clang-format -i <file> fixes them)" >&2
  status=1
fi
scripts=$(shell_scripts)
if printf '%s\n' "$scripts" | xargs -r -d '\n' shellcheck; then
  echo "shellcheck: $(printf '%s\n' "$scripts" | wc -l) shell scripts clean"
else
  echo "check-style: shellcheck found faults in shell scripts" >&2
  status=1
fi
exit $status
