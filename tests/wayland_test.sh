#!/bin/sh
# Starts the real program on a headless Wayland compositor (weston) and checks from a screenshot
# that its window shows its whole client area in the design's colours.
#   wayland_test.sh PROGRAM WINDOW_SHOT_CHECK
set -eu
program=$1
check=$2

runtime=$(mktemp -d)
chmod 700 "$runtime"
compositor=""
drill=""
cleanup() {
  [ -n "$drill" ] && kill "$drill" 2>/dev/null || true
  [ -n "$compositor" ] && kill "$compositor" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR="$runtime"
socket=roots-drill-test
# --debug lets weston-screenshooter take its pictures.
weston --backend=headless-backend.so --use-pixman --socket=$socket --width=1024 --height=768 \
  --idle-time=0 --debug >"$runtime/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 50); do
  [ -S "$runtime/$socket" ] && break
  sleep 0.1
done
[ -S "$runtime/$socket" ] || { echo "weston did not start:"; cat "$runtime/weston.log"; exit 1; }

# Wayland alone: no X display to fall back on.
env -u DISPLAY WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$program" >"$runtime/drill.log" 2>&1 &
drill=$!

# The window takes a moment to appear: look until it shows whole, for up to ten seconds.
for _ in $(seq 20); do
  sleep 0.5
  kill -0 "$drill" 2>/dev/null || { echo "the program ended:"; cat "$runtime/drill.log"; exit 1; }
  rm -f "$runtime"/wayland-screenshot-*.png
  (cd "$runtime" && WAYLAND_DISPLAY=$socket weston-screenshooter >/dev/null 2>&1) || continue
  shot=$(ls "$runtime"/wayland-screenshot-*.png 2>/dev/null | head -n 1)
  [ -n "$shot" ] || continue
  if QT_QPA_PLATFORM=offscreen "$check" "$shot" 2>"$runtime/check.log"; then
    exit 0
  fi
done
echo "the window never showed whole on Wayland:"
cat "$runtime/check.log" "$runtime/drill.log"
exit 1
