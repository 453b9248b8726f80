#!/bin/sh
# Start-up time and peak working set of roots-drill.exe beside bare_window.exe (one empty Win32
# window of the same client size and background, linked the same way, for the same architecture:
# each Windows build has both), under Wine, and the size of roots-drill.exe.
#
#   bench/windows/startup.sh [BUILD_DIR [RUNS]]   BUILD_DIR defaults to build-windows, RUNS to 20
#
#   PROGRAM=path/to/other.exe   measures that instead of BUILD_DIR/roots-drill.exe (for instance
#                               bare_window.exe itself, to see how alike two series of one program
#                               come out)
#   SETTLE=MS                   how long a window stays open after its first paint (default 500)
#   CHILDREN=1                  measures children_window.exe as well: bare_window's window with
#                               the drill's 38 child windows made the plainest way, which tells
#                               what the child windows themselves cost from what the program does
#                               beyond them
#
# Each run is timed by win_startup_probe.exe inside Wine: from just before CreateProcessW to the
# program's top-level window visible, idle after its first painting, and showing its background
# on the screen; the probe then reads the peak working set (under Wine the process's VmHWM), waits
# SETTLE ms, closes the window with WM_CLOSE and collects the exit code. The two programs run
# alternately in one Wine session (tools/wine-run.sh --start/--stop, the build's own prefix), on
# an Xvfb of the session's own, so that no other window covers theirs; each runs once first
# without being counted, so that both find Wine's services started and the files in the page
# cache. The ratio of the minima is the least disturbed figure on a busy machine.
#
# The session is ended afterwards: do not run this while `make test-windows` runs in the same
# build directory.
set -eu

cd "$(dirname "$0")/../.."
build=${1:-build-windows}
runs=${2:-20}
settle=${SETTLE:-500}
children=${CHILDREN:-0}

probe=$build/bench/windows/win_startup_probe.exe
bare=$build/bench/windows/bare_window.exe
with_children=$build/bench/windows/children_window.exe
real=${PROGRAM:-$build/roots-drill.exe}
programs="$probe $bare $real"
[ "$children" = 1 ] && programs="$programs $with_children"
for program in $programs; do
  [ -f "$program" ] || { echo "startup.sh: $program is not built (make windows)" >&2; exit 1; }
done

case $build in
  /*) prefix=$build/wineprefix ;;
  *) prefix=$(pwd)/$build/wineprefix ;;
esac

# A Windows path for Wine: Z: is the Unix root in every prefix.
windows_path() {
  case $1 in
    /*) path=$1 ;;
    *) path=$(pwd)/$1 ;;
  esac
  printf 'Z:%s\n' "$path" | tr / '\\'
}

work=$(mktemp -d)
cleanup() {
  tools/wine-run.sh --prefix "$prefix" --stop || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A private Xvfb for the session: on a desktop, another window over the program's would hide the
# pixels the probe waits for.
unset DISPLAY WAYLAND_DISPLAY || true
tools/wine-run.sh --prefix "$prefix" --start

real_windows=$(windows_path "$real")
bare_windows=$(windows_path "$bare")
children_windows=$(windows_path "$with_children")

# measure NAME PROGRAM: one probed run; appends "shown visible peak_kb" to $work/NAME.
measure() {
  if ! line=$(tools/wine-run.sh --prefix "$prefix" "$probe" --settle "$settle" -- "$2" \
    2>>"$work/stderr"); then
    echo "startup.sh: a run of $2 failed: $line" >&2
    cat "$work/stderr" >&2
    exit 1
  fi
  echo "$line" | tr -d '\r' |
    sed -n 's/^shown_ms=\([^ ]*\) visible_ms=\([^ ]*\) .* peak_ws_kb=\([^ ]*\) .*/\1 \2 \3/p' \
      >>"$work/$1"
}

# windows_of NAME: the Windows path of the series' program.
windows_of() {
  case $1 in
    real) printf '%s\n' "$real_windows" ;;
    bare) printf '%s\n' "$bare_windows" ;;
    children) printf '%s\n' "$children_windows" ;;
  esac
}

series="real bare"
[ "$children" = 1 ] && series="real bare children"
for name in $series; do
  measure warmup "$(windows_of "$name")"
done
i=1
while [ "$i" -le "$runs" ]; do
  # Rotate which goes first, so none always runs right after the same other.
  if [ "$children" = 1 ]; then
    case $((i % 3)) in
      1) order="real bare children" ;;
      2) order="bare children real" ;;
      *) order="children real bare" ;;
    esac
  elif [ $((i % 2)) -eq 1 ]; then
    order="real bare"
  else
    order="bare real"
  fi
  for name in $order; do
    measure "$name" "$(windows_of "$name")"
  done
  i=$((i + 1))
done

# column FILE N: the Nth column, sorted.
column() { awk -v n="$2" '{ print $n }' "$1" | sort -n; }

# stats: median, quartiles, min and max of the sorted numbers on standard input.
stats() {
  awk '{ v[NR] = $1 }
    function at(p,  k) { k = int(p * NR + 0.999999); if (k < 1) k = 1; return v[k] }
    END {
      median = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      printf "%9.1f %9.1f %9.1f %9.1f %9.1f\n", median, at(0.25), at(0.75), v[1], v[NR]
    }'
}

median() { stats | awk '{ print $1 }'; }

real_name=$(basename "$real" .exe)

# report TITLE COLUMN SCALE TARGET
report() {
  printf '\n%s\n' "$1"
  printf '%-14s %9s %9s %9s %9s %9s\n' "" median p25 p75 min max
  printf '%-14s ' "$real_name"
  column "$work/real" "$2" | awk -v s="$3" '{ print $1 / s }' | stats
  printf '%-14s ' bare_window
  column "$work/bare" "$2" | awk -v s="$3" '{ print $1 / s }' | stats
  if [ "$children" = 1 ]; then
    printf '%-14s ' children
    column "$work/children" "$2" | awk -v s="$3" '{ print $1 / s }' | stats
  fi
  real_median=$(column "$work/real" "$2" | median)
  bare_median=$(column "$work/bare" "$2" | median)
  real_min=$(column "$work/real" "$2" | head -n 1)
  bare_min=$(column "$work/bare" "$2" | head -n 1)
  if [ -n "$4" ]; then
    awk -v r="$real_median" -v b="$bare_median" -v rm="$real_min" -v bm="$bare_min" -v t="$4" \
      'BEGIN {
        printf "ratio of the medians %.2f (target <= %.2f: %s); of the minima %.2f\n", r / b, t,
          r / b <= t ? "met" : "MISSED", rm / bm
      }'
  else
    awk -v r="$real_median" -v b="$bare_median" -v rm="$real_min" -v bm="$bare_min" \
      'BEGIN { printf "ratio of the medians %.2f; of the minima %.2f\n", r / b, rm / bm }'
  fi
  if [ "$children" = 1 ]; then
    children_median=$(column "$work/children" "$2" | median)
    children_min=$(column "$work/children" "$2" | head -n 1)
    awk -v r="$real_median" -v b="$bare_median" -v c="$children_median" -v rm="$real_min" \
      -v bm="$bare_min" -v cm="$children_min" -v s="$3" -v name="$real_name" 'BEGIN {
        printf "children_window / bare_window: medians %.2f, minima %.2f (the child windows: %+.1f)\n",
          c / b, cm / bm, (c - b) / s
        printf "%s / children_window: medians %.2f, minima %.2f (the program beyond them: %+.1f)\n",
          name, r / c, rm / cm, (r - c) / s
      }'
  fi
}

beside=bare_window.exe
[ "$children" = 1 ] && beside="bare_window.exe and children_window.exe"
# The architecture, as the .exe's header has it: pei-x86-64 (64-bit) or pei-i386 (32-bit).
format=$(x86_64-w64-mingw32-objdump -f "$real" 2>/dev/null | sed -n 's/.*file format //p')
echo "$real_name.exe (${format:-?}) beside $beside under $(wine --version 2>/dev/null || echo Wine):" \
  "$runs runs each, alternating, settle ${settle} ms"
echo "$(uname -r); $(nproc) CPU(s)"
report "start-up, CreateProcessW to the window painted and idle (ms)" 1 1 1.1
report "start-up, CreateProcessW to the window visible (ms)" 2 1 ""
report "peak working set (MiB)" 3 1024 1.1

# The size of the file a classroom copies: as built, and without its symbols (what a release
# build's -s would give).
size=$(wc -c <"$real")
stripped=$work/stripped.exe
if x86_64-w64-mingw32-strip -o "$stripped" "$real" 2>/dev/null; then
  stripped_size=$(wc -c <"$stripped")
else
  stripped_size=
fi
printf '\nsize of %s\n' "$real"
awk -v s="$size" -v t="$stripped_size" 'BEGIN {
  printf "as built %d bytes (%.0f KiB)", s, s / 1024
  if (t != "") printf ", stripped %d bytes (%.0f KiB)", t, t / 1024
  printf "; target under 1 MB (1000000 bytes): %s\n", s < 1000000 ? "met" : "MISSED as built"
}'
