#!/bin/sh
# What the start-up of roots-drill spends beyond the empty window, phase by phase.
#
#   bench/startup_phases.sh [BUILD_DIR [RUNS]]      BUILD_DIR defaults to build, RUNS to 15
#
# Runs startup_phases in several variants under startup_probe, round-robin, RUNS times each, and
# prints per variant the median of every phase (milliseconds spent in it, resident set after it)
# and of the probe's figures (fork to first paint, peak RSS). The variants:
#   bare            the empty window (the floor)
#   bare+label      the empty window with one label in one of our fonts (the floor for text)
#   bare+icon       the empty window with our window icon
#   roots-drill     the real start-up
#   *-first         the real start-up with one piece of the window's work done beforehand
#   app-font        the real start-up with the window's small default font made the application font
# Without a display the script reruns itself under xvfb-run.
set -eu

build=${1:-build}
runs=${2:-15}

if [ -z "${DISPLAY:-}" ]; then
  command -v xvfb-run >/dev/null || { echo "startup_phases.sh: no DISPLAY and no xvfb-run" >&2; exit 1; }
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$build" "$runs"
fi

probe=$build/bench/startup_probe
phases=$build/bench/startup_phases
for program in "$probe" "$phases"; do
  [ -x "$program" ] || { echo "startup_phases.sh: $program is not built" >&2; exit 1; }
done
unset QT_QPA_PLATFORM QT_SCALE_FACTOR || true

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

variants="bare bare+label bare+icon roots-drill fonts-first a11y-first icon-first text-first app-font"
options() {
  case $1 in
    bare) echo --bare ;;
    bare+label) echo --bare --bare-label ;;
    bare+icon) echo --bare --bare-icon ;;
    roots-drill) echo ;;
    *) echo "--$1" ;;
  esac
}

for variant in $variants; do
  # shellcheck disable=SC2046
  "$probe" --settle 0 -- "$phases" $(options "$variant") >/dev/null 2>&1 # warm-up
done
i=1
while [ "$i" -le "$runs" ]; do
  for variant in $variants; do
    # shellcheck disable=SC2046
    "$probe" --settle 0 -- "$phases" $(options "$variant") >>"$work/$variant" 2>>"$work/stderr" || {
      echo "startup_phases.sh: a run of $variant failed" >&2
      cat "$work/stderr" >&2
      exit 1
    }
  done
  i=$((i + 1))
done

echo "startup_phases: medians of $runs runs each; display $DISPLAY; $(nproc) CPU(s)"
for variant in $variants; do
  printf '\n== %s (%s)\n' "$variant" "$(options "$variant")"
  awk '
    function median(list,  n, v, i, j, t) {
      n = split(list, v, " ")
      for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; j--) {
        t = v[j]; v[j] = v[j - 1]; v[j - 1] = t
      }
      return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }
    /^shown_ms=/ {
      split($0, f, /[ =]/)
      shown = shown " " f[2]; rss = rss " " f[8]
      next
    }
    / ms  \(\+/ {
      name = substr($0, 1, 40); sub(/ +$/, "", name)
      rest = substr($0, 41); gsub(/[()+]/, " ", rest); split(rest, f, " ")
      if (!(name in seen)) { seen[name] = 1; order[++count] = name }
      spent[name] = spent[name] " " f[3]; after[name] = after[name] " " f[5]
    }
    END {
      for (k = 1; k <= count; k++)
        printf "  %-40s %7.2f ms  rss after %5.1f MiB\n", order[k], median(spent[order[k]]),
          median(after[order[k]])
      printf "  %-40s %7.2f ms  peak RSS  %5.1f MiB\n", "fork to first paint (probe)",
        median(shown), median(rss) / 1024
    }' "$work/$variant"
done
