#!/bin/sh
# The Windows Installer package of one architecture, as a school's IT meets it, under Wine's
# msiexec:
#
#   sh tests/msi_test.sh --build DIR --arch x64|x86 --version VERSION --package FILE.msi
#
# DIR is the Windows build of that architecture (its roots-drill.exe and the session driver of
# bench/windows). The test builds an older package (version 0.0.1, older than any release) and a
# rebuild of this version with tools/make-msi.sh, and then:
#   - reads the package's tables back: the Russian name of the Linux menu entry as the product's
#     and the shortcut's name, the Russian refusal of a downgrade, code page 1251, per machine
#     with elevation not waived, the platform in the summary;
#   - on a 64-bit Windows (a Wine prefix made for the test): installs the older package, upgrades
#     it with this one, finds one entry in "Programs and Features" with the Russian name, the
#     version, the publisher and the icon, the program where promised and identical to the one
#     built, and the Start menu's shortcut; starts the program from the shortcut and solves a
#     task; deletes the program and installs the same package again, which repairs it; installs
#     the rebuild, which replaces it, and the older package, which is refused; uninstalls, and
#     compares the prefix's files and registry with what they were before;
#   - on a 32-bit Windows (a second prefix, WINEARCH=win32): the x64 package is refused for its
#     platform; the x86 package installs into Program Files, starts from its shortcut and
#     uninstalls without a trace.
# Every msiexec runs silently (/qn). Exit codes come through Wine modulo 256: 1603 (a fatal error,
# here a launch condition) as 67, 1633 (platform not supported) as 97.
#
# Wine's msiexec differs from Windows Installer in one way the test allows for: it puts a per-
# machine package's shortcut in the installing user's Start menu rather than that of all users
# (its ProgramMenuFolder ignores ALLUSERS). The package's tables say ProgramMenuFolder with
# ALLUSERS=1, which Windows resolves to the Start menu of all users; the test checks the tables
# and accepts the shortcut in either folder, saying which.
set -eu
cd "$(dirname "$0")/.."

usage() {
  echo "usage: tests/msi_test.sh --build DIR --arch x64|x86 --version VERSION --package FILE.msi" >&2
  exit 2
}
build='' arch='' version='' package=''
while [ $# -gt 0 ]; do
  [ $# -ge 2 ] || usage
  case $1 in
    --build) build=$2 ;;
    --arch) arch=$2 ;;
    --version) version=$2 ;;
    --package) package=$2 ;;
    *) usage ;;
  esac
  shift 2
done
case $arch in x64 | x86) ;; *) usage ;; esac
[ -n "$version" ] && [ -f "$package" ] && [ -f "$build/roots-drill.exe" ] || usage
absolute() { case $1 in /*) echo "$1" ;; *) echo "$(pwd)/$1" ;; esac; }
build=$(absolute "$build")
package=$(absolute "$package")
program=$build/roots-drill.exe
driver=$build/bench/windows/session_driver.exe
[ -f "$driver" ] || { echo "msi_test.sh: $driver is not built" >&2; exit 1; }

# Russian names reach Wine's programs on their command lines, and come back from them, as UTF-8.
export LC_ALL=C.UTF-8

desktop_entry=data/io.github.rootsdrill.RootsDrill.desktop
name=$(sed -n 's/^Name\[ru\]=//p' "$desktop_entry")
comment=$(sed -n 's/^Comment\[ru\]=//p' "$desktop_entry")

work=$(mktemp -d)
sessions=
cleanup() {
  for prefix in $sessions; do tools/wine-run.sh --prefix "$prefix" --stop || true; done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

failed=0
pass() { printf 'ok      %s\n' "$*"; }
fail() {
  printf 'FAILED  %s\n' "$*"
  failed=$((failed + 1))
}
# expect WHAT ACTUAL EXPECTED
expect() {
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: '$2', expected '$3'"; fi
}

# --- The package's tables ------------------------------------------------------------------

# table NAME: the rows of a table of a package (the package unless told), without its header.
table() { msiinfo export "${2:-$package}" "$1" | tr -d '\r' | tail -n +4; }
# column TABLE KEY N: column N of the row whose first column is KEY.
column() { table "$1" | awk -F '\t' -v key="$2" -v n="$3" '$1 == key { print $n }'; }

expect "the product's name is the Russian name of the menu entry" \
  "$(column Property ProductName 2)" "$name"
expect "the Start menu's shortcut has that name" "$(column Shortcut StartMenu 3)" "$name"
expect "the shortcut's tooltip is the entry's Russian comment" \
  "$(column Shortcut StartMenu 7)" "$comment"
expect "the shortcut goes to the Start menu's Programs folder" \
  "$(column Shortcut StartMenu 2)" ProgramMenuFolder
expect "the database keeps its strings in code page 1251" \
  "$(msiinfo export "$package" _ForceCodepage | tr -d '\r' | awk -F '\t' 'NF == 2 { print $1 }')" 1251
refusal=$(column LaunchCondition 'NOT WIX_DOWNGRADE_DETECTED' 2)
case $refusal in
  *"$name"*) pass "a downgrade is refused in Russian: $refusal" ;;
  *) fail "the downgrade's refusal does not name the program in Russian: '$refusal'" ;;
esac
expect "the package installs per machine (ALLUSERS=1)" "$(column Property ALLUSERS 2)" 1
expect "nothing lets it fall back to a per-user install (MSIINSTALLPERUSER)" \
  "$(column Property MSIINSTALLPERUSER 2)" ""
summary=$(msiinfo suminfo "$package")
words=$(printf '%s\n' "$summary" | sed -n 's/^Source: \([0-9]*\).*/\1/p')
expect "the summary does not waive elevation (word count bit 8)" "$(((words & 8) != 0))" 0
platform=$([ "$arch" = x64 ] && echo x64 || echo Intel)
expect "the summary names the platform and Russian" \
  "$(printf '%s\n' "$summary" | sed -n 's/^Template: //p')" "$platform;1049"

# --- Windows under Wine --------------------------------------------------------------------

windows_path() { printf 'Z:%s\n' "$1" | tr / '\\'; }

older=$work/older.msi
rebuild=$work/rebuild.msi
tools/make-msi.sh --arch "$arch" --version 0.0.1 --program "$program" --output "$older" >/dev/null
tools/make-msi.sh --arch "$arch" --version "$version" --program "$program" --output "$rebuild" \
  >/dev/null

# start_windows PREFIX: a new Wine prefix (WINEARCH tells which Windows) and its session.
start_windows() {
  tools/wine-run.sh --prefix "$1" --stop >/dev/null 2>&1 || true
  rm -rf "$1" "$1.log" "$1.lock" "$1.xvfb"
  sessions="$sessions $1"
  tools/wine-run.sh --prefix "$1" --start
}

# msiexec PREFIX ARGUMENTS...: prints the exit code (modulo 256).
msiexec() {
  prefix=$1
  shift
  status=0
  tools/wine-run.sh --prefix "$prefix" msiexec "$@" </dev/null >/dev/null 2>&1 || status=$?
  echo "$status"
}

# registry PREFIX FILE: HKLM and HKU as "KEY" and "KEY\\NAME=DATA" lines, sorted.
registry() {
  : >"$2.raw"
  for root in HKLM HKU; do
    tools/wine-run.sh --prefix "$1" reg export "$root" "$(windows_path "$work/export.reg")" /y \
      >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$work/export.reg" | tr -d '\r' >>"$2.raw"
  done
  awk -f tools/registry-lines.awk "$2.raw" | LC_ALL=C sort >"$2"
}

# snapshot PREFIX NAME: the prefix's files and registry, as $work/NAME.files and .registry. Left
# out: Wine's own bookkeeping (as tools/audit-windows.sh does: the graphics driver's key, service
# counters, device interfaces, the volatile system parameters; and the list of this machine's
# network interfaces, which Wine's services write a while after start-up), and the empty keys and
# folder Windows Installer keeps for all products, which a Windows has before any package is
# installed (anything of this product in them is still seen).
snapshot() {
  (cd "$1/drive_c" && find . ! -path './users/*/Temp/*' | LC_ALL=C sort) >"$work/$2.files"
  registry "$1" "$work/$2.all"
  grep -v -E \
    -e '^HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\(Video\\\{[0-9a-fA-F-]+\}|ServiceCurrent\\|DeviceClasses\\)' \
    -e '^HKEY_USERS\\[^\\]+\\Software\\Wine\\Temporary System Parameters(\\|$)' \
    -e '^HKEY_LOCAL_MACHINE\\Software\\(Wow6432Node\\)?Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\' \
    -e '^HKEY_LOCAL_MACHINE\\Software\\Classes\\Installer(\\(Features|Products|UpgradeCodes))?$' \
    -e '^HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\(UpgradeCodes|UserData|UserData\\S-1-5-18|UserData\\S-1-5-18\\(Components|Products))$' \
    "$work/$2.all" >"$work/$2.registry" || true
}

# unchanged PREFIX WHAT: the prefix as it was at snapshot "before".
unchanged() {
  snapshot "$1" after
  LC_ALL=C comm -3 "$work/before.files" "$work/after.files" |
    grep -v -x -E '[[:space:]]*\./windows/Installer' >"$work/files.diff" || true
  LC_ALL=C comm -3 "$work/before.registry" "$work/after.registry" >"$work/registry.diff" || true
  if [ -s "$work/files.diff" ] || [ -s "$work/registry.diff" ]; then
    fail "$2 leaves the prefix as it was (left: before only; indented: after only)"
    sed 's/^/          /' "$work/files.diff" "$work/registry.diff" | head -n 40
  else
    pass "$2 leaves the prefix's files and registry as they were"
  fi
}

# entries PREFIX: "Programs and Features" entries of the program (in the registry's 64-bit or
# 32-bit view), one line each: "DisplayName|DisplayVersion|Publisher|InstallLocation".
entries() {
  registry "$1" "$work/entries"
  awk -v name="$name" '
    BEGIN { view = "HKEY_LOCAL_MACHINE\\Software\\"; uninstall = "Microsoft\\Windows\\CurrentVersion\\Uninstall\\" }
    index($0, view) == 1 {
      rest = substr($0, length(view) + 1)
      if (index(rest, "Wow6432Node\\") == 1) rest = substr(rest, 13)
      if (index(rest, uninstall) != 1) next
      rest = substr(rest, length(uninstall) + 1)
      i = index(rest, "\\\"")
      if (i == 0) next
      key = substr(rest, 1, i - 1)
      rest = substr(rest, i + 2)
      j = index(rest, "\"=")
      field = substr(rest, 1, j - 1)
      data = substr(rest, j + 2)
      if (data ~ /^"/) { data = substr(data, 2, length(data) - 2); gsub(/\\\\/, "\\", data) }
      value[key, field] = data
      keys[key] = 1
    }
    END {
      for (key in keys) if (value[key, "DisplayName"] == name)
        print value[key, "DisplayName"] "|" value[key, "DisplayVersion"] "|" value[key, "Publisher"] "|" value[key, "InstallLocation"]
    }' "$work/entries"
}

# shortcut PREFIX: the Start menu's shortcut of the program, as a Unix path; one or nothing.
shortcut() {
  find "$1/drive_c/ProgramData" "$1/drive_c/users" -path '*/Start Menu/Programs/*' \
    -name "$name.lnk" 2>/dev/null
}

# session PREFIX SHORTCUT: the program started from its shortcut solves a task.
session() {
  lnk='C:'$(printf '%s\n' "${2#"$1"/drive_c}" | tr / '\\')
  if tools/wine-run.sh --prefix "$1" "$driver" --tasks 1 --hold 200 -- "$lnk" \
    >"$work/session.out" 2>&1; then
    pass "the program starts from the shortcut and a task is solved:" \
      "$(tr -d '\r' <"$work/session.out" | tr '\n' ' ')"
  else
    fail "the program from the shortcut: $(tr -d '\r' <"$work/session.out" | tr '\n' ' ')"
  fi
}

# installed PREFIX FOLDER VERSION: one entry, named in Russian, of this version, the program in
# FOLDER (a Unix path) identical to the one built, the shortcut; prints the shortcut's path.
installed() {
  entries "$1" >"$work/found"
  expect "one entry in Programs and Features, version $3" \
    "$(grep -c '' "$work/found" || true) $(cut -d '|' -f 2 "$work/found")" "1 $3"
  expect "the entry shows the publisher" "$(cut -d '|' -f 3 "$work/found")" \
    "$(column Property Manufacturer 2)"
  location=$(cut -d '|' -f 4 "$work/found")
  expect "the entry shows where the program is" "$location" \
    "C:$(printf '%s\n' "${2#"$1"/drive_c}" | tr / '\\')\\"
  if cmp -s "$program" "$2/roots-drill.exe"; then
    pass "the program is in ${2#"$1"/drive_c/}, as built"
  else
    fail "the program is not in ${2#"$1"/drive_c/} as built"
  fi
}

# --- 64-bit Windows ------------------------------------------------------------------------

unset WINEARCH
windows64=$build/msi-wineprefix
start_windows "$windows64"
if [ "$arch" = x64 ]; then
  folder="$windows64/drive_c/Program Files/Roots Drill"
else
  folder="$windows64/drive_c/Program Files (x86)/Roots Drill"
fi
snapshot "$windows64" before

expect "the older package installs" "$(msiexec "$windows64" /i "$(windows_path "$older")" /qn)" 0
expect "this package installs over it" \
  "$(msiexec "$windows64" /i "$(windows_path "$package")" /qn)" 0
installed "$windows64" "$folder" "$version"
link=$(shortcut "$windows64")
if [ -n "$link" ] && [ "$(printf '%s\n' "$link" | grep -c '')" = 1 ]; then
  pass "one shortcut \"$name\" in the Start menu: ${link#"$windows64"/drive_c/}"
  session "$windows64" "$link"
else
  fail "the Start menu's shortcut \"$name\" (found: '$link')"
fi
icon=$(grep -F 'Installer\Products\' "$work/entries" | sed -n 's/.*\\"ProductIcon"="\(.*\)"$/\1/p' |
  sed 's/\\\\/\\/g')
icon_file=$windows64/drive_c$(printf '%s\n' "${icon#C:}" | tr '\\' /)
if [ -n "$icon" ] && cmp -s data/roots-drill.ico "$icon_file"; then
  pass "Programs and Features shows the program's icon: $icon"
else
  fail "the product's icon ('$icon') is not data/roots-drill.ico"
fi

rm -f "$folder/roots-drill.exe"
expect "the same package again repairs" \
  "$(msiexec "$windows64" /i "$(windows_path "$package")" /qn)" 0
installed "$windows64" "$folder" "$version"

expect "a rebuild of the same version installs" \
  "$(msiexec "$windows64" /i "$(windows_path "$rebuild")" /qn)" 0
installed "$windows64" "$folder" "$version"

expect "the older package is refused (1603 as 67)" \
  "$(msiexec "$windows64" /i "$(windows_path "$older")" /qn)" 67
expect "and the entry stays" "$(entries "$windows64" | cut -d '|' -f 2)" "$version"

expect "it uninstalls" "$(msiexec "$windows64" /x "$(windows_path "$rebuild")" /qn)" 0
expect "no entry is left" "$(entries "$windows64")" ""
unchanged "$windows64" "installing, upgrading, repairing and uninstalling"
tools/wine-run.sh --prefix "$windows64" --stop

# --- 32-bit Windows ------------------------------------------------------------------------

export WINEARCH=win32
windows32=$build/msi-wineprefix-win32
start_windows "$windows32"
snapshot "$windows32" before
if [ "$arch" = x64 ]; then
  expect "32-bit Windows refuses the x64 package for its platform (1633 as 97)" \
    "$(msiexec "$windows32" /i "$(windows_path "$package")" /qn)" 97
  unchanged "$windows32" "the refusal"
else
  folder="$windows32/drive_c/Program Files/Roots Drill"
  expect "the x86 package installs on 32-bit Windows" \
    "$(msiexec "$windows32" /i "$(windows_path "$package")" /qn)" 0
  installed "$windows32" "$folder" "$version"
  link=$(shortcut "$windows32")
  if [ -n "$link" ]; then session "$windows32" "$link"; else fail "no shortcut on 32-bit Windows"; fi
  expect "it uninstalls" "$(msiexec "$windows32" /x "$(windows_path "$package")" /qn)" 0
  unchanged "$windows32" "installing and uninstalling on 32-bit Windows"
fi
tools/wine-run.sh --prefix "$windows32" --stop

if [ "$failed" -ne 0 ]; then
  echo "$failed check(s) failed; the Wine prefixes stay for a look: $windows64 $windows32"
  exit 1
fi
# Two Windows' worth of disk, made anew by the next run.
for prefix in "$windows64" "$windows32"; do rm -rf "$prefix" "$prefix.log" "$prefix.lock"; done
echo "all checks passed"
