#!/bin/sh
# The task stopwatch of the real window against a monotonic clock: ten minutes by default, with
# two stalls of the event loop of 3.5 s each, offscreen. Further options go to stopwatch_drift
# (for example --csv FILE).
#
#   bench/stopwatch_drift.sh [BUILD_DIR [SECONDS [OPTION...]]]      BUILD_DIR defaults to build
set -eu

build=${1:-build}
seconds=${2:-600}
if [ $# -gt 2 ]; then shift 2; else set --; fi
QT_QPA_PLATFORM=offscreen exec "$build/bench/stopwatch_drift" --seconds "$seconds" --stalls "$@"
