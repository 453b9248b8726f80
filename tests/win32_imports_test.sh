#!/bin/sh
# Windows 7 SP1 is the oldest Windows the program runs on, which two things of its .exe decide:
#   - every function in its import table must be on the reviewed list of its architecture
#     (win32/imports-x64.txt, win32/imports-x86.txt), whose names Windows 7 has: Windows refuses
#     to start a program that imports a function its DLLs lack;
#   - the subsystem version in its PE header must be 6.1 (Windows 7) or lower: Windows refuses to
#     start a program that asks for a newer one.
#
#   sh tests/win32_imports_test.sh OBJDUMP program.exe list.txt
#
# OBJDUMP is MinGW-w64's objdump for the program's architecture. Names on the list that the
# program no longer imports are shown, for the list to be trimmed, but do not fail the test.
set -eu

[ $# -eq 3 ] || { echo "usage: win32_imports_test.sh OBJDUMP program.exe list.txt" >&2; exit 2; }
objdump=$1 program=$2 list=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$objdump" -p "$program" >"$work/headers"

# "dll function" for each entry of the import table; Windows takes a DLL's name in any case.
awk '/^\tDLL Name: / { dll = tolower($3); next }
     /^$/ { dll = "" }
     dll != "" && /^\t[0-9a-f]+\t/ { print dll, $NF }' "$work/headers" | LC_ALL=C sort -u \
  >"$work/imported"
[ -s "$work/imported" ] || { echo "no import table read from $program" >&2; exit 1; }
grep -v -e '^#' -e '^[[:space:]]*$' "$list" | awk '{ print tolower($1), $2 }' | LC_ALL=C sort -u \
  >"$work/reviewed"

status=0
LC_ALL=C comm -23 "$work/imported" "$work/reviewed" >"$work/new"
if [ -s "$work/new" ]; then
  echo "$(basename "$program") imports functions that are not on $list:"
  sed 's/^/  /' "$work/new"
  echo "Check that Windows 7 has each (\"minimum supported client\"), then add it to the list;"
  echo "or look it up when the program runs, as win32/dpi.cpp does."
  status=1
fi
LC_ALL=C comm -13 "$work/imported" "$work/reviewed" >"$work/gone"
if [ -s "$work/gone" ]; then
  echo "On the list but no longer imported (the list may lose them):"
  sed 's/^/  /' "$work/gone"
fi

major=$(awk '$1 == "MajorSubsystemVersion" { print $2 }' "$work/headers")
minor=$(awk '$1 == "MinorSubsystemVersion" { print $2 }' "$work/headers")
if [ -z "$major" ] || [ -z "$minor" ]; then
  echo "no subsystem version read from $program" >&2
  exit 1
fi
if [ "$major" -gt 6 ] || { [ "$major" -eq 6 ] && [ "$minor" -gt 1 ]; }; then
  echo "$(basename "$program") asks for subsystem version $major.$minor: Windows 7 (6.1) refuses it"
  status=1
fi

[ "$status" -ne 0 ] ||
  echo "$(basename "$program"): $(grep -c '' "$work/imported") imports, all reviewed;" \
    "subsystem version $major.$minor"
exit "$status"
