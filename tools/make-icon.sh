#!/bin/sh
# Makes the Windows icon, data/roots-drill.ico, and the web page's home-screen icons,
# data/roots-drill-192.png and -512.png, from data/roots-drill.svg: the drawing the Qt window
# paints for itself (x² on the drill's pink in a dark-red rounded outline).
#
#   tools/make-icon.sh [OUTPUT.ico]        OUTPUT defaults to data/roots-drill.ico
#
# Run it again after changing the SVG and commit the .ico beside it; the build only embeds the
# file (win32/resources.rc) and does not need these tools. Each size is rendered from the SVG by
# rsvg-convert (Debian: librsvg2-bin) as 32-bit RGBA, so the rounded corners keep their alpha,
# and icotool (Debian: icoutils) packs them: 16 to 64 pixels as 32-bit bitmaps with alpha, the
# sizes Windows 7 and XP-era shells read, and 256 as PNG, as Windows Vista and later store it.
# The same SVG and tool versions give the same bytes: neither tool writes a time stamp.
set -eu

cd "$(dirname "$0")/.."
svg=data/roots-drill.svg
output=${1:-data/roots-drill.ico}
sizes="16 20 24 32 40 48 64"
large=256

for tool in rsvg-convert icotool; do
  command -v "$tool" >/dev/null 2>&1 || {
    echo "make-icon.sh: $tool is missing (Debian packages librsvg2-bin and icoutils)" >&2
    exit 1
  }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

render() {
  rsvg-convert --format png --width "$1" --height "$1" --keep-aspect-ratio \
    --output "$work/$1.png" "$svg"
}

set --
for size in $sizes; do
  render "$size"
  set -- "$@" "$work/$size.png"
done
render "$large"

icotool --create --output "$output.tmp" "$@" --raw="$work/$large.png"
mv "$output.tmp" "$output"
icotool --list "$output"

# The web page's icons for a home screen, 192 and 512 pixels, beside the .ico.
for size in 192 512; do
  render "$size"
  mv "$work/$size.png" "$(dirname "$output")/roots-drill-$size.png"
done
