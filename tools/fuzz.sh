#!/bin/sh
# Fuzzes what reads the answer boxes for a bounded time, and fails on any finding.
#
#   tools/fuzz.sh [seconds]      default 60, or $FUZZ_SECONDS
#
# Builds answer_fuzzer with clang in build-fuzz, apart from the gcc build, and runs it on a working
# corpus in build-fuzz/fuzz-corpus: the committed seeds of fuzz/corpus (never written to) plus what
# earlier runs found. A crash, a hang of more than 10 s, a leak or undefined behaviour stops the
# run with a non-zero exit; the input that caused it is left in build-fuzz/fuzz-findings.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-${FUZZ_SECONDS:-60}}
# A whole number of seconds, at least 1 (libFuzzer takes 0 as "no limit").
case $seconds in
  '' | *[!0-9]*) seconds=0 ;;
esac
if [ "$seconds" -lt 1 ]; then
  echo "usage: tools/fuzz.sh [seconds]  (a whole number of seconds, at least 1)" >&2
  exit 2
fi
build=$root/build-fuzz

if ! command -v clang++ >/dev/null 2>&1; then
  echo "tools/fuzz.sh: clang++ is needed (Debian: clang and libclang-rt-14-dev)" >&2
  exit 1
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DROOTS_DRILL_FUZZ=ON \
  -DROOTS_DRILL_TESTS=OFF -DROOTS_DRILL_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target answer_fuzzer -j "$(nproc 2>/dev/null || echo 2)"

corpus=$build/fuzz-corpus
findings=$build/fuzz-findings
mkdir -p "$corpus" "$findings"
cp "$root"/fuzz/corpus/* "$corpus"/

echo "Fuzzing the answer boxes for $seconds s..."
status=0
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  "$build/fuzz/answer_fuzzer" -max_total_time="$seconds" -max_len=1048576 -timeout=10 \
  -dict="$root/fuzz/answer.dict" -artifact_prefix="$findings/" -print_final_stats=1 \
  "$corpus" || status=$?
if [ "$status" -ne 0 ]; then
  echo "tools/fuzz.sh: answer_fuzzer found a fault (exit $status); its input is in $findings" >&2
  echo "Reproduce it with: $build/fuzz/answer_fuzzer $findings/<file>" >&2
  exit 1
fi
echo "tools/fuzz.sh: no finding in $seconds s."
