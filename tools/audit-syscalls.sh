#!/bin/sh
# Runs the program through a scripted session under strace and lists every file it opens for
# writing, every file or directory it creates, renames or removes, and every socket it creates
# or connects. The expected answer is none, the display connection aside.
#   tools/audit-syscalls.sh [path/to/roots-drill]
set -eu
cd "$(dirname "$0")/.."
program=${1:-build/app/roots-drill}
tools/install-deps.sh strace xdotool
[ -x "$program" ] || { echo "build the program first (make build)"; exit 1; }

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
strace -f -qq -o "$log" \
  -e trace=open,openat,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,socket,connect \
  "$program" &
tracer=$!
sleep 2

# The pupil's session: Start, two wrong answers, typing and Return, a few seconds of stopwatch.
key() { xdotool key --delay 80 "$@"; sleep 0.3; }
key Return
key 1 Return 1 Return
key minus 2 Return 3 Return
key KP_Subtract 9 Return KP_Enter
sleep 3
key Tab Tab Return
pkill -TERM -x "$(basename "$program")" || true
wait "$tracer" || true

echo "== Files opened for writing, created, renamed or removed (failed calls included) =="
grep -E 'O_WRONLY|O_RDWR|O_CREAT|creat\(|mkdir|rename|unlink' "$log" | grep -v '"/dev/null"' ||
  echo "none"
echo "== Network sockets (any family but local AF_UNIX) =="
grep -E 'socket\(' "$log" | grep -v 'AF_UNIX' || echo "none"
echo "== Local sockets and what they connect to (failed calls included) =="
grep -E 'socket\(AF_UNIX|connect\(' "$log" || echo "none"
