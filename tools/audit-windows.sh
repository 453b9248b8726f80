#!/bin/sh
# Runs the Windows program under Wine through a scripted session and reports every file and
# registry key it writes (the expected answer is none), and the DLLs it imports (no network
# library expected).
#
#   tools/audit-windows.sh [--build DIR] [--controls-only] [program.exe]
#
# DIR is the Windows build (default build-windows); the program defaults to DIR/roots-drill.exe.
# The session is bench/windows' session_driver.exe: it starts the program, presses Старт, solves
# four tasks (typing roots, Проверка or Return, wrong answers on the way, Дальше), lets the
# stopwatches run for three seconds and closes the window with WM_CLOSE.
#
# Three independent looks, each restricted to what the program causes:
#   calls     Wine's relay trace of the program's process, limited to the functions that write
#             files or the registry (RelayInclude below), keeping the calls made from the
#             program's own code (return address inside its image: its C and C++ library is
#             linked in): a file opened for writing or created, a file or folder moved, copied or
#             removed, a registry key created or removed, a value set or removed. A write that is
#             undone at once still shows here. Wine's own work at start-up is made from Wine's
#             DLLs and does not.
#   files     strace of the session's wineserver, which opens, creates, renames and removes files
#             for every Wine process, and of the program's own processes: every file opened for
#             writing, created, truncated, renamed, linked or removed, anywhere, while the session
#             runs. Wine's bookkeeping is left out: its saves of the registry files (which the
#             next look covers), /dev, /proc and its server directory.
#   registry  `reg export` of HKLM, HKU (every user, HKCU among them) and HKCC before and after
#             the session, compared key by key and value by value. Wine's own bookkeeping
#             (the keys listed at wine_keys below: its services', and those user32 makes for
#             any program that opens a window) is shown apart and not counted.
# Before the program, the same session runs two controls in the same prefix: bare_window.exe
# (an empty window, which must show nothing in any look: what Wine itself does when a program
# starts is not reported) and audit_writer.exe (which writes files, by the Win32 API and the C++
# library, a file it deletes again, and a registry value: every look must catch it). If either
# control fails, the audit says so and stops.
#
# The Wine prefix is the build's audit-wineprefix, apart from the one the tests use; it is made on
# the first run (half a minute). Without DISPLAY the session has its own Xvfb.
# Exits 0 when the controls behaved, the session went through, and nothing was found.
set -eu
cd "$(dirname "$0")/.."

build=build-windows
controls_only=
while [ $# -gt 0 ]; do
  case $1 in
    --build) build=$2; shift 2 ;;
    --controls-only) controls_only=1; shift ;;
    -*) echo "usage: tools/audit-windows.sh [--build DIR] [--controls-only] [program.exe]" >&2
        exit 2 ;;
    *) break ;;
  esac
done
program=${1:-$build/roots-drill.exe}

for tool in strace x86_64-w64-mingw32-objdump; do
  command -v "$tool" >/dev/null 2>&1 || {
    echo "audit-windows.sh: $tool is missing (Debian packages strace, binutils-mingw-w64-x86-64)" >&2
    exit 1
  }
done
tools=$build/bench/windows
for exe in session_driver bare_window audit_writer; do
  [ -f "$tools/$exe.exe" ] || {
    echo "audit-windows.sh: $tools/$exe.exe is not built (make windows)" >&2
    exit 1
  }
done
if [ -z "$controls_only" ] && [ ! -f "$program" ]; then
  echo "audit-windows.sh: $program is not built (make windows)" >&2
  exit 1
fi

absolute() { case $1 in /*) echo "$1" ;; *) echo "$(pwd)/$1" ;; esac; }
# A Windows path for Wine: Z: is the Unix root in every prefix.
windows_path() { printf 'Z:%s\n' "$(absolute "$1")" | tr / '\\'; }

prefix=$(absolute "$build/audit-wineprefix")
work=$(mktemp -d)
tracer=
cleanup() {
  if [ -n "$tracer" ]; then kill "$tracer" 2>/dev/null || true; fi
  tools/wine-run.sh --prefix "$prefix" --stop || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

wine_run() { tools/wine-run.sh --prefix "$prefix" "$@"; }

# The functions that write files or the registry, in kernel32/kernelbase, advapi32, the C library
# and ntdll; the relay trace of a program's process shows calls to these alone.
relay_functions="CreateFileA;CreateFileW;CreateFile2;OpenFile;_lcreat;CopyFileA;CopyFileW;\
CopyFileExA;CopyFileExW;CopyFile2;MoveFileA;MoveFileW;MoveFileExA;MoveFileExW;\
MoveFileWithProgressA;MoveFileWithProgressW;ReplaceFileA;ReplaceFileW;DeleteFileA;DeleteFileW;\
CreateDirectoryA;CreateDirectoryW;CreateDirectoryExA;CreateDirectoryExW;RemoveDirectoryA;\
RemoveDirectoryW;CreateHardLinkA;CreateHardLinkW;CreateSymbolicLinkA;CreateSymbolicLinkW;\
SetFileAttributesA;SetFileAttributesW;WritePrivateProfileStringA;WritePrivateProfileStringW;\
WritePrivateProfileSectionA;WritePrivateProfileSectionW;WritePrivateProfileStructA;\
WritePrivateProfileStructW;WriteProfileStringA;WriteProfileStringW;\
RegCreateKeyA;RegCreateKeyW;RegCreateKeyExA;RegCreateKeyExW;RegSetValueA;RegSetValueW;\
RegSetValueExA;RegSetValueExW;RegSetKeyValueA;RegSetKeyValueW;RegDeleteKeyA;RegDeleteKeyW;\
RegDeleteKeyExA;RegDeleteKeyExW;RegDeleteValueA;RegDeleteValueW;RegDeleteKeyValueA;\
RegDeleteKeyValueW;RegDeleteTreeA;RegDeleteTreeW;RegRenameKey;RegCopyTreeW;RegRestoreKeyW;\
RegSaveKeyA;RegSaveKeyW;RegSaveKeyExA;RegSaveKeyExW;RegReplaceKeyW;RegLoadKeyA;RegLoadKeyW;\
fopen;_wfopen;fopen_s;_wfopen_s;_fsopen;_wfsopen;freopen;_wfreopen;_open;_wopen;_sopen;_wsopen;\
_sopen_s;_wsopen_s;_creat;_wcreat;_mkdir;_wmkdir;_rmdir;_wrmdir;rename;_wrename;remove;_wremove;\
_unlink;_wunlink;NtCreateFile;NtOpenFile;NtSetInformationFile;NtDeleteFile;NtCreateKey;\
NtSetValueKey;NtDeleteKey;NtDeleteValueKey;NtRenameKey;NtSaveKey"

# The system calls that write, create, rename or remove files.
syscalls=open,openat,openat2,creat,truncate,ftruncate,mkdir,mkdirat,rename,renameat,renameat2,\
unlink,unlinkat,rmdir,link,linkat,symlink,symlinkat,mknod,mknodat

echo "Starting a Wine session in $prefix"
wine_run --start
wine_run reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ /d "$relay_functions" \
  /f >/dev/null 2>&1
# The first window of a prefix makes Wine set up what it keeps from then on.
wine_run "$tools/session_driver.exe" --hold 200 -- "$(windows_path "$tools/bare_window.exe")" \
  >/dev/null

# The session's wineserver: the process whose directory is the server directory of the prefix.
server_dir=$(printf 'server-%x-%x' "$(stat -c %d "$prefix")" "$(stat -c %i "$prefix")")
server_pid=
for entry in /proc/[0-9]*; do
  case $(readlink "$entry/cwd" 2>/dev/null || true) in
    */"$server_dir") server_pid=${entry#/proc/}; break ;;
  esac
done
[ -n "$server_pid" ] || { echo "audit-windows.sh: cannot find the session's wineserver" >&2; exit 1; }

# snapshot FILE: the registry as "KEY" and "KEY\\NAME=DATA" lines, sorted.
snapshot() {
  : >"$1.raw"
  for root in HKLM HKU HKCC; do
    wine_run reg export "$root" "$(windows_path "$work/export.reg")" /y >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$work/export.reg" | tr -d '\r' >>"$1.raw"
  done
  awk -f tools/registry-lines.awk "$1.raw" | LC_ALL=C sort >"$1"
}

# Wine's own bookkeeping under HKLM\System\CurrentControlSet\Control: user32's key for the
# graphics driver of every process that opens a window; the count of service processes that
# services.exe keeps; the plug-and-play device interfaces its device services link and unlink.
# And under each user, Software\Wine\Temporary System Parameters: a volatile key (never saved)
# that user32 makes when a program first reads some system parameters, the double-click time
# among them.
wine_keys='Video\\\{[0-9a-fA-F-]+\}|ServiceCurrent\\|DeviceClasses\\'

# image_size EXE: SizeOfImage of the program, in hex.
image_size() { x86_64-w64-mingw32-objdump -p "$1" | awk '$1 == "SizeOfImage" { print $2 }'; }

# audit NAME EXE TASKS: one session; the findings go to $work/NAME.calls, .files and .registry.
audit() {
  name=$1 exe=$2 tasks=$3
  snapshot "$work/before"
  rm -f "$work"/*.trace.*
  # -ff: a file per process, so no call is split by another's.
  strace -ff -qq -p "$server_pid" -o "$work/server.trace" -e trace="$syscalls" 2>/dev/null &
  tracer=$!
  # Wait until strace has the server.
  waited=0
  until [ "$(awk '/^TracerPid:/ { print $2 }' "/proc/$server_pid/status")" != 0 ]; do
    sleep 0.05
    waited=$((waited + 1))
    [ "$waited" -lt 200 ] || { echo "audit-windows.sh: strace did not attach" >&2; exit 1; }
  done
  status=0
  WINEDEBUG=+pid,+relay,+loaddll strace -ff -qq -o "$work/program.trace" -e trace="$syscalls" \
    tools/wine-run.sh --prefix "$prefix" "$tools/session_driver.exe" --tasks "$tasks" \
    --hold "$([ "$tasks" -gt 0 ] && echo 3000 || echo 500)" -- "$(windows_path "$exe")" \
    >"$work/session.out" 2>"$work/relay.log" || status=$?
  # What the server does for the program's last requests.
  sleep 0.5
  kill "$tracer" 2>/dev/null || true
  wait "$tracer" 2>/dev/null || true
  tracer=
  snapshot "$work/after"

  tr -d '\r' <"$work/session.out"
  grep -a '^session_driver:' "$work/relay.log" || true
  if [ "$status" -ne 0 ]; then
    echo "audit-windows.sh: the session of $(basename "$exe") failed (status $status)" >&2
    return 1
  fi

  # Calls from the program's code: its process is the one that loaded its .exe, its image the
  # SizeOfImage bytes from where that was loaded.
  rm -f "$work/loaded"
  tr -d '\r' <"$work/relay.log" | awk -v exe="$(basename "$exe")" -v size="$(image_size "$exe")" \
    -v loaded="$work/loaded" '
    function hex(s,  i, n, c) {
      n = 0; s = tolower(s)
      for (i = 1; i <= length(s); i++) {
        c = index("0123456789abcdef", substr(s, i, 1)); if (c == 0) break; n = n * 16 + c - 1
      }
      return n
    }
    # The low 32 bits of a relayed argument: the trace shows whole registers.
    function low(s) { return hex(length(s) > 8 ? substr(s, length(s) - 7) : s) }
    function bit(v, b) { return int(v / b) % 2 }
    # Access rights that write: generic write and all, maximum allowed, write owner and DAC,
    # delete, write attributes and extended attributes, append and write data.
    function writes(a) {
      return bit(a, 1073741824) || bit(a, 268435456) || bit(a, 33554432) || bit(a, 524288) ||
             bit(a, 262144) || bit(a, 65536) || bit(a, 256) || bit(a, 16) || bit(a, 4) || bit(a, 2)
    }
    # The arguments after the first, a name: the trace shows a string after its pointer.
    function numbers(args, out,  rest) {
      rest = args
      if (index(rest, "\"")) sub(/.*"/, "", rest); else sub(/^[^,]*/, "", rest)
      sub(/^,/, "", rest)
      return split(rest, out, ",")
    }
    function nth_string(args, n,  rest, i) {
      rest = args
      for (i = 1; i <= n; i++) {
        if (!match(rest, /"([^"\\]|\\.)*"/)) return ""
        if (i == n) return substr(rest, RSTART, RLENGTH)
        rest = substr(rest, RSTART + RLENGTH)
      }
    }
    BEGIN { lower_exe = tolower(exe) }
    $0 ~ /:trace:loaddll:.*Loaded / && index(tolower($0), "\\\\" lower_exe "\" at ") {
      split($0, f, ":"); pid = f[1]
      base = $0; sub(/.*" at /, "", base); sub(/:.*/, "", base)
      print "process " pid " image at " base > loaded
      base = hex(base)
      next
    }
    pid != "" && index($0, pid ":") == 1 && $0 ~ /:Call [A-Za-z0-9_]+\.[A-Za-z0-9_]+\(/ {
      ret = $0; sub(/.* ret=/, "", ret); ret = hex(ret)
      if (ret < base || ret >= base + hex(size)) next
      call = $0; sub(/^[0-9a-f]+:[0-9a-f]+:Call /, "", call)
      fn = call; sub(/\(.*/, "", fn); sub(/.*\./, "", fn)
      args = call; sub(/^[^(]*\(/, "", args); sub(/\) ret=[0-9a-f]+$/, "", args)
      kind = fn ~ /^(Reg|NtCreateKey|NtSetValueKey|NtDeleteKey|NtDeleteValueKey|NtRenameKey|NtSaveKey)/ ? "registry" : "file"
      if (fn ~ /^CreateFile[AW]$/) {
        # name, access, sharing, security, disposition: anything but OPEN_EXISTING creates.
        n = numbers(args, a); if (!writes(low(a[1])) && low(a[4]) == 3) next
      } else if (fn == "CreateFile2") {
        n = numbers(args, a); if (!writes(low(a[1])) && low(a[3]) == 3) next
      } else if (fn == "NtCreateFile" || fn == "NtOpenFile") {
        # handle, access, attributes, ...; NtCreateFile disposition 8th: FILE_OPEN is 1.
        n = split(args, a, ",")
        if (!writes(low(a[2])) && (fn == "NtOpenFile" || low(a[8]) == 1)) next
      } else if (fn == "NtCreateKey") {
        # Opening a key this way is common; creating one shows in the registry comparison.
        n = split(args, a, ","); if (!writes(low(a[2]))) next
      } else if (fn ~ /fopen|fsopen|freopen/) {
        # The mode is the second string: name, mode (fopen_s: the stream, name, mode).
        if (nth_string(args, 2) !~ /[wa+]/) next
      } else if (fn ~ /^_w?s?open(_s)?$/) {
        # name, then flags: write only, read and write, append, create, truncate.
        n = numbers(args, a); fl = low(a[1])
        if (!(bit(fl, 1) || bit(fl, 2) || bit(fl, 8) || bit(fl, 256) || bit(fl, 512))) next
      } else if (fn == "OpenFile") {
        # name, buffer, style: OF_WRITE, OF_READWRITE, OF_CREATE, OF_DELETE.
        n = numbers(args, a); st = low(a[2])
        if (!(bit(st, 1) || bit(st, 2) || bit(st, 4096) || bit(st, 512))) next
      }
      print kind ": " call
    }
  ' >"$work/$name.calls.all"
  # Each look must have seen the session, or its "none" would mean nothing.
  if [ ! -s "$work/loaded" ]; then
    echo "audit-windows.sh: the relay trace does not show $(basename "$exe") loading" >&2
    return 1
  fi
  # The server opens the program's .exe for it; the program's own processes open libraries.
  if ! grep -q -a -F "/$(basename "$exe")\"" "$work"/server.trace.* 2>/dev/null ||
    ! grep -q -a '"' "$work"/program.trace.* 2>/dev/null; then
    echo "audit-windows.sh: strace did not follow the session" >&2
    return 1
  fi
  if ! grep -q '^HKEY_USERS' "$work/before" || ! grep -q '^HKEY_LOCAL_MACHINE' "$work/after"; then
    echo "audit-windows.sh: the registry export came out empty" >&2
    return 1
  fi
  grep '^file: ' "$work/$name.calls.all" >"$work/$name.calls.file" || true
  grep '^registry: ' "$work/$name.calls.all" >"$work/$name.calls.registry" || true

  # Files: successful calls that write, create, truncate, rename, link or remove.
  cat "$work"/server.trace.* "$work"/program.trace.* | tr -d '\r' |
    grep -a -E 'O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|creat\(|truncate\(|mkdir|rename|unlink|rmdir|link\(|linkat\(|symlink|mknod' |
    grep -a -v -E '= -1 ' |
    grep -a -v -E '"/dev/|"/proc/' |
    grep -a -v -F -e "\"$prefix.lock\"" -e "\"$prefix.log\"" -e "/$server_dir/" -e "/$server_dir\"" |
    grep -a -v -E '"(system|user|userdef)\.reg"|"reg[0-9a-f]+\.tmp"' |
    grep -a -v -E '^ftruncate\(' >"$work/$name.files" || true
  # An ftruncate acts on a descriptor opened for writing, which is reported already.

  # Registry: what was added (+) and what went (-).
  LC_ALL=C comm -13 "$work/before" "$work/after" | sed 's/^/+ /' >"$work/$name.registry.all"
  LC_ALL=C comm -23 "$work/before" "$work/after" | sed 's/^/- /' >>"$work/$name.registry.all"
  grep -v -E "^[+-] HKEY_LOCAL_MACHINE\\\\System\\\\CurrentControlSet\\\\Control\\\\($wine_keys)" \
    "$work/$name.registry.all" |
    grep -v -E '^[+-] HKEY_USERS\\[^\\]+\\Software\\Wine\\Temporary System Parameters(\\|$)' \
      >"$work/$name.registry" || true
}

count() { grep -c '' "$1" || true; }

# section TITLE FILE: one look's findings, each different line once, with how often it came.
section() {
  echo "== $1 =="
  if [ -s "$2" ]; then
    awk '{ n[$0]++; if (n[$0] == 1) order[++k] = $0 }
      END { for (i = 1; i <= k; i++) print "  " (n[order[i]] > 1 ? n[order[i]] "x " : "") order[i] }
    ' "$2"
  else
    echo "  none"
  fi
}

# show NAME: the findings of one session, look by look.
show() {
  sed 's/^file: //' "$work/$1.calls.file" >"$work/shown"
  section "Calls from the program's code that write files" "$work/shown"
  sed 's/^registry: //' "$work/$1.calls.registry" >"$work/shown"
  section "Calls from the program's code that write the registry" "$work/shown"
  section "Files written, created, renamed or removed during the session" "$work/$1.files"
  section "Registry keys and values added (+) or removed (-)" "$work/$1.registry"
  LC_ALL=C sort "$work/$1.registry.all" >"$work/all.sorted"
  LC_ALL=C sort "$work/$1.registry" | LC_ALL=C comm -23 "$work/all.sorted" - >"$work/left-out"
  if [ -s "$work/left-out" ]; then
    echo "  left out as Wine's own bookkeeping:"
    sed 's/^/    /' "$work/left-out"
  fi
}

echo
echo "### Control: bare_window.exe, which writes nothing"
audit bare "$tools/bare_window.exe" 0
show bare
echo
echo "### Control: audit_writer.exe, which writes files and a registry value"
audit writer "$tools/audit_writer.exe" 0
show writer

trusted=1
for look in calls.file calls.registry files registry; do
  if [ -s "$work/bare.$look" ]; then
    echo "CONTROL FAILED: the empty window shows findings ($look): Wine itself writes here" >&2
    trusted=
  fi
  if [ ! -s "$work/writer.$look" ]; then
    echo "CONTROL FAILED: the writer's writes were not seen ($look)" >&2
    trusted=
  fi
done
if [ -z "$trusted" ]; then
  echo "The audit cannot be trusted in this environment." >&2
  exit 2
fi
echo
echo "Controls as expected: nothing from the empty window; the writer caught by every look" \
  "($(count "$work/writer.calls.file") file calls, $(count "$work/writer.calls.registry") registry calls," \
  "$(count "$work/writer.files") file operations, $(count "$work/writer.registry") registry changes)."
[ -z "$controls_only" ] || exit 0

echo
echo "### $(basename "$program"): a session of four tasks"
audit program "$program" 4
show program

echo "== DLLs imported =="
x86_64-w64-mingw32-objdump -p "$program" | awk '/DLL Name:/ { print "  " $3 }' | tee "$work/imports"
network=$(grep -i -E '^ *(ws2_32|wsock32|wininet|winhttp|mswsock|iphlpapi|urlmon|dnsapi|netapi32|websocket|webio)\.dll$' \
  "$work/imports" || true)
if [ -n "$network" ]; then
  echo "  network libraries imported:" $network
else
  echo "  no network library (ws2_32, wsock32, wininet, winhttp and the like)"
fi

found=0
for look in calls.file calls.registry files registry; do
  if [ -s "$work/program.$look" ]; then found=1; fi
done
if [ "$found" -eq 0 ] && [ -z "$network" ]; then
  echo
  echo "Result: $(basename "$program") wrote no file and no registry key, and imports no network library."
else
  echo
  echo "Result: FINDINGS above."
  exit 1
fi
