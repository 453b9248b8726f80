#!/bin/sh
# Installs the build into a temporary prefix and checks what a desktop finds there.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/roots-drill" || { echo "no executable in bin/"; exit 1; }

# The AppStream metainfo and the menu entry are one application: the entry is named after the id.
set -- "$prefix"/share/metainfo/*.metainfo.xml
{ [ $# -eq 1 ] && [ -f "$1" ]; } || { echo "not exactly one metainfo file in share/metainfo"; exit 1; }
metainfo=$1
id=$(sed -n 's:^ *<id>\(.*\)</id> *$:\1:p' "$metainfo")
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || { echo "$metainfo is not named after its id $id"; exit 1; }
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  { echo "the metainfo does not launch $id.desktop"; exit 1; }

entry="$prefix/share/applications/$id.desktop"
icon="$prefix/share/icons/hicolor/scalable/apps/roots-drill.svg"
test -f "$icon" || { echo "no icon at $icon"; exit 1; }
grep -q '<svg' "$icon" || { echo "the icon is not an SVG"; exit 1; }
desktop-file-validate "$entry"
grep -qx 'Exec=roots-drill' "$entry" || { echo "the entry does not start roots-drill"; exit 1; }
grep -qx 'Icon=roots-drill' "$entry" || { echo "the entry does not name the icon"; exit 1; }
grep -q '^Categories=.*Education;.*Math;' "$entry" || { echo "not in Education;Math"; exit 1; }

man_page="$prefix/share/man/man1/roots-drill.1.gz"
gzip -t "$man_page" || { echo "no compressed manual page at $man_page"; exit 1; }
# The Debian documentation goes into the package only.
! test -e "$prefix/share/doc/roots-drill/changelog.Debian.gz" ||
  { echo "a plain install got the Debian changelog"; exit 1; }
echo "installed and valid under $prefix"
