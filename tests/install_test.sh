#!/bin/sh
# Installs the build into a temporary prefix and checks what a desktop finds there.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/roots-drill" || { echo "no executable in bin/"; exit 1; }
entry="$prefix/share/applications/roots-drill.desktop"
icon="$prefix/share/icons/hicolor/scalable/apps/roots-drill.svg"
test -f "$icon" || { echo "no icon at $icon"; exit 1; }
grep -q '<svg' "$icon" || { echo "the icon is not an SVG"; exit 1; }
desktop-file-validate "$entry"
grep -qx 'Exec=roots-drill' "$entry" || { echo "the entry does not start roots-drill"; exit 1; }
grep -qx 'Icon=roots-drill' "$entry" || { echo "the entry does not name the icon"; exit 1; }
grep -q '^Categories=.*Education;.*Math;' "$entry" || { echo "not in Education;Math"; exit 1; }
echo "installed and valid under $prefix"
