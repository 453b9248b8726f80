#!/bin/sh
# Installs the Debian packages the build, the tests and the program need, only those missing.
# Packages that only some targets need come as arguments (make fuzz, make windows, make web).
set -eu

packages="cmake make g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
libbenchmark-dev fonts-liberation fonts-liberation2 fonts-roboto-unhinted
xvfb xauth desktop-file-utils libxcb-damage0-dev qt6-translations-l10n
qt6-wayland weston $*"
# For the test with a real screen reader: Orca, speech-dispatcher's dummy voice, the accessibility
# bus, and keys sent through the reader.
packages="$packages orca speech-dispatcher at-spi2-core dbus xdotool"
# For the Debian package and its test: dpkg-shlibdeps, lintian, appstreamcli.
packages="$packages dpkg-dev lintian appstream"

missing=""
for package in $packages; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing="$missing $package" ;;
  esac
done
[ -z "$missing" ] && exit 0

echo "Installing the missing packages:$missing"
if ! command -v apt-get >/dev/null 2>&1; then
  echo "This machine has no apt-get. Install these packages (or their equivalents) yourself:" >&2
  echo "  $missing" >&2
  exit 1
fi
if [ "$(id -u)" -eq 0 ]; then
  as_root=""
elif command -v sudo >/dev/null 2>&1; then
  as_root="sudo"
else
  echo "Installing needs root, and sudo is not available. As root, run:" >&2
  case $missing in
    *:i386*) echo "  dpkg --add-architecture i386" >&2 ;;
  esac
  echo "  apt-get update && apt-get install -y$missing" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# A package of another architecture (wine32:i386, Wine's 32-bit half) needs that architecture
# added to dpkg before apt-get can see it.
for package in $missing; do
  case $package in
    *:*)
      architecture=${package##*:}
      if [ "$architecture" != "$(dpkg --print-architecture)" ] &&
        ! dpkg --print-foreign-architectures | grep -qx "$architecture"; then
        echo "Adding the $architecture architecture to dpkg"
        $as_root dpkg --add-architecture "$architecture"
      fi
      ;;
  esac
done
$as_root apt-get update -q
# shellcheck disable=SC2086  # one word per package
$as_root apt-get install -y -q --no-install-recommends $missing
