#!/bin/sh
# Makes the Debian package of the build in a temporary directory, unpacks it and checks what it
# installs, what it depends on, and what desktop-file-validate, appstreamcli and lintian say.
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
set -- "$work"/roots-drill_*.deb
{ [ $# -eq 1 ] && [ -f "$1" ]; } || fail "cpack made no roots-drill_*.deb: $(ls "$work")"
deb=$1
root=$work/root
dpkg-deb -x "$deb" "$root"
echo "made $(basename "$deb"), $(wc -c <"$deb") bytes"

# The program, stripped: no symbol table, no compiler versions.
program=$root/usr/bin/roots-drill
test -x "$program" || fail "no /usr/bin/roots-drill"
sections=$(readelf -S --wide "$program")
for section in .symtab .debug_info .comment; do
  case "$sections" in *" $section "*) fail "/usr/bin/roots-drill still has $section" ;; esac
done

# The metainfo, the menu entry and the icon, found from one another as a software centre does.
set -- "$root"/usr/share/metainfo/*.metainfo.xml
{ [ $# -eq 1 ] && [ -f "$1" ]; } || fail "not exactly one metainfo file in /usr/share/metainfo"
metainfo=$1
appstreamcli validate --no-net "$metainfo"
# The whole tree as well: the desktop entry the metainfo launches must be there.
appstreamcli validate-tree --no-net "$root"
id=$(sed -n 's:^ *<id>\(.*\)</id> *$:\1:p' "$metainfo")
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "$metainfo is not named after its id $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $id.desktop"
grep -q '<binary>roots-drill</binary>' "$metainfo" || fail "the metainfo does not provide roots-drill"
entry=$root/usr/share/applications/$id.desktop
test -f "$entry" || fail "no menu entry $id.desktop"
desktop-file-validate "$entry"
grep -qx 'Exec=roots-drill' "$entry" || fail "the entry does not start roots-drill"
icon_name=$(sed -n 's/^Icon=//p' "$entry")
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/$icon_name.svg" ||
  fail "no SVG icon $icon_name in the hicolor theme"

# The licence, the same in the copyright file and the metainfo; the Debian changelog of this very
# version; the manual page.
doc=$root/usr/share/doc/roots-drill
head -n 1 "$doc/copyright" |
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"
grep -A 2 -x 'Files: \*' "$doc/copyright" | grep -qx 'License: GPL-3+' ||
  fail "the copyright file does not put the program under GPL-3+"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" ||
  fail "the metainfo gives another licence than the copyright file"
version=$(dpkg-deb -f "$deb" Version)
gzip -dc "$doc/changelog.Debian.gz" | head -n 1 | grep -q "^roots-drill ($version) " ||
  fail "the changelog's last entry is not for $version"
gzip -t "$root/usr/share/man/man1/roots-drill.1.gz" || fail "no manual page"

# Qt from dpkg-shlibdeps, the fonts the window is drawn in, and the recommended extras.
depends=$(dpkg-deb -f "$deb" Depends | tr -d ' ' | tr ',' '\n')
recommends=$(dpkg-deb -f "$deb" Recommends | tr -d ' ' | tr ',' '\n')
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
echo "Recommends: $(dpkg-deb -f "$deb" Recommends)"
for wanted in 'libqt6widgets6(>=*)' 'fonts-liberation2|fonts-liberation' 'fonts-roboto-unhinted'; do
  found=no
  for relation in $depends; do
    # shellcheck disable=SC2254  # the wanted relation is a pattern
    case "$relation" in $wanted) found=yes ;; esac
  done
  [ $found = yes ] || fail "Depends lacks $wanted"
done
for wanted in qt6-wayland qt6-translations-l10n; do
  echo "$recommends" | grep -qx "$wanted" || fail "Recommends lacks $wanted"
done

# Lintian fails the test on an error; whatever else it has to say is shown.
status=0
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || status=$?
grep -v '^running with root privileges' "$work/lintian.log" || true
[ $status -eq 0 ] || fail "lintian reports errors"
echo "package complete and clean"
