#!/bin/sh
# Runs a program of the Windows build under Wine.
#
#   tools/wine-run.sh --prefix DIR [--dpi N] program.exe [argument...]
#   tools/wine-run.sh --prefix DIR [--dpi N] --start    begin a session (see below)
#   tools/wine-run.sh --prefix DIR --stop               end it
#
# DIR is the Wine prefix, kept in the build directory: cmake/mingw-w64-common.cmake makes this
# script CMake's emulator with <build>/wineprefix. The prefix is made on first use, quietly (no
# Mono or Gecko prompts), and told which installed fonts stand in for the window's families, the
# same ones the Qt window takes: Liberation Sans for MS Sans Serif and Arial, Liberation Mono for
# Courier New, Roboto Black for Arial Black. Its windows are not handed to a window manager (Xvfb
# has none): Wine draws their frames itself. Without DISPLAY, Wine gets an Xvfb of its own.
#
# With WINEARCH=win32 in the environment a new prefix is a 32-bit Windows, where only 32-bit
# programs run; otherwise it is a 64-bit Windows that runs both.
#
# --dpi N gives the prefix's desktop N dots per inch (LogPixels; 96 unless told), as Windows'
# display scaling does: 192 is 200 %. A prefix keeps the DPI of its last run; runs at different
# DPIs may share a prefix one after the other, never at the same time.
#
# A session is what CTest runs the Windows tests in (a fixture in tests/CMakeLists.txt): --start
# starts one Xvfb (when DISPLAY is unset) and a wineserver that stays, with Wine's own services
# already running, so a test program starts in a few hundredths of a second instead of about one;
# --stop ends the wineserver, every Wine process of the prefix, and that Xvfb. A program run
# outside a session starts the wineserver itself and, when DISPLAY is unset, a private Xvfb that
# is ended once Wine has let go of it (a few seconds after the program exits).
set -eu

usage() {
  echo "usage: tools/wine-run.sh --prefix DIR [--dpi N]" \
    "(program.exe [argument...] | --start | --stop)" >&2
  exit 2
}

prefix=${WINEPREFIX:-}
if [ "${1:-}" = --prefix ]; then
  [ $# -ge 2 ] || usage
  prefix=$2
  shift 2
fi
dpi=96
if [ "${1:-}" = --dpi ]; then
  [ $# -ge 2 ] || usage
  dpi=$2
  shift 2
  case $dpi in
    '' | *[!0-9]*) usage ;;
  esac
fi
if [ -z "$prefix" ] || [ $# -lt 1 ]; then
  usage
fi
case $prefix in
  /*) ;;
  *) prefix=$(pwd)/$prefix ;;
esac

# Wine's loader. Debian's wine command takes the 32-bit one once wine32 is installed; in a 64-bit
# prefix the 64-bit one is taken instead, so that Wine's own programs (reg, cmd, msiexec) run as
# the 64-bit ones, as on 64-bit Windows, and reg sees the registry as 64-bit programs do. Either
# loader hands a program of the other architecture to the other. A 32-bit prefix (made with
# WINEARCH=win32, as a 32-bit Windows) has the 32-bit loader only.
wine64=
for candidate in wine64 /usr/lib/wine/wine64; do
  if command -v "$candidate" >/dev/null 2>&1; then
    wine64=$(command -v "$candidate")
    break
  fi
done
if [ -n "$wine64" ] && [ "${WINEARCH:-}" != win32 ] &&
  ! grep -q -s '^#arch=win32' "$prefix/system.reg"; then
  wine=$wine64
elif command -v wine >/dev/null 2>&1; then
  wine=wine
else
  echo "wine-run.sh: Wine is not installed (Debian packages wine, wine64 and wine32:i386)" >&2
  exit 1
fi
wineserver=wineserver

export WINEPREFIX="$prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko prompts; and no menu builder, which would copy the prefix's Start menu into
# this machine's own desktop menus (~/.local/share/applications).
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

# Runs a command with no descriptor of ours beyond the standard three. Wine's services outlive the
# command that starts them, and must not keep the prefix's lock, CTest's log or make's job slots.
detached() {
  "$@" 3>&- 4>&- 5>&- 6>&- 7>&- 8>&- 9>&-
}

# The session's Xvfb: "DISPLAY PID", beside the prefix.
session_file=$prefix.xvfb
setup_log=$prefix.log
xvfb_pid=

# Starts an Xvfb on a free display and exports DISPLAY.
start_xvfb() {
  if ! command -v Xvfb >/dev/null 2>&1; then
    echo "wine-run.sh: DISPLAY is not set and Xvfb is not installed (Debian package xvfb)" >&2
    exit 1
  fi
  display_file=$(mktemp)
  # Large enough for the window at twice the usual DPI.
  Xvfb -displayfd 3 -nolisten tcp -screen 0 2560x1600x24 3>"$display_file" \
    4>&- 5>&- 6>&- 7>&- 8>&- 9>&- </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  waited=0
  until [ -s "$display_file" ]; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null || [ "$waited" -ge 200 ]; then
      rm -f "$display_file"
      echo "wine-run.sh: Xvfb did not start" >&2
      exit 1
    fi
    sleep 0.05
    waited=$((waited + 1))
  done
  DISPLAY=:$(cat "$display_file")
  export DISPLAY
  rm -f "$display_file"
}

is_xvfb() {
  [ -n "$1" ] && [ "$(cat "/proc/$1/comm" 2>/dev/null || true)" = Xvfb ]
}

# Sets DISPLAY to the session's Xvfb if one is running; fails otherwise.
join_session_display() {
  [ -f "$session_file" ] || return 1
  read -r session_display session_pid <"$session_file" || return 1
  is_xvfb "$session_pid" || return 1
  DISPLAY=$session_display
  export DISPLAY
}

# reg_set KEY NAME VALUE [TYPE]: TYPE is REG_SZ unless told.
reg_set() {
  if ! detached "$wine" reg add "$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f \
    </dev/null >>"$setup_log" 2>&1; then
    cat "$setup_log" >&2
    exit 1
  fi
}

# Makes the prefix, or brings an older one up to date with this script, one caller at a time.
ensure_prefix() {
  mkdir -p "$(dirname "$prefix")"
  exec 9>"$prefix.lock"
  flock 9
  stamp=$prefix/.roots-drill-settings
  # The stamp holds the DPI the settings were made for.
  if [ ! -f "$stamp" ] || [ -n "$(find "$0" -newer "$stamp")" ] ||
    [ "$(cat "$stamp")" != "dpi=$dpi" ]; then
    if [ ! -f "$prefix/system.reg" ]; then
      echo "Making the Wine prefix $prefix" >&2
      if ! detached "$wine" wineboot --init </dev/null >"$setup_log" 2>&1; then
        cat "$setup_log" >&2
        exit 1
      fi
    fi
    fonts='HKCU\Software\Wine\Fonts\Replacements'
    reg_set "$fonts" "MS Sans Serif" "Liberation Sans"
    reg_set "$fonts" "Arial" "Liberation Sans"
    reg_set "$fonts" "Courier New" "Liberation Mono"
    reg_set "$fonts" "Arial Black" "Roboto Black"
    # Unmanaged windows: otherwise, with no window manager to take a closed window away, Wine
    # waits two seconds for one each time a window goes.
    reg_set 'HKCU\Software\Wine\X11 Driver' Managed N
    reg_set 'HKCU\Control Panel\Desktop' LogPixels "$dpi" REG_DWORD
    # Wine's own fonts (Debian's fonts-wine) include an MS Sans Serif, which then wins over the
    # stand-in.
    if [ -e /usr/share/wine/fonts/sserife.fon ]; then
      echo "wine-run.sh: fonts-wine is installed: MS Sans Serif is Wine's bitmap font here," \
        "not Liberation Sans" >&2
    fi
    echo "dpi=$dpi" >"$stamp"
  fi
  exec 9>&-
}

stop_wine() {
  "$wineserver" -k >/dev/null 2>&1 || true
  "$wineserver" -w >/dev/null 2>&1 || true
}

stop_session() {
  stop_wine
  if [ -f "$session_file" ]; then
    read -r _ session_pid <"$session_file" || true
    if is_xvfb "${session_pid:-}"; then
      kill "$session_pid" 2>/dev/null || true
    fi
    rm -f "$session_file"
  fi
}

case $1 in
  --start)
    if [ -z "${DISPLAY:-}" ] && ! join_session_display; then
      start_xvfb
      echo "$DISPLAY $xvfb_pid" >"$session_file"
    fi
    # A clean wineserver: one left by an interrupted run may hold a display that is gone.
    stop_wine
    mkdir -p "$prefix"
    detached "$wineserver" -p </dev/null >/dev/null 2>&1
    ensure_prefix
    # The first program of a wineserver starts Wine's services and desktop, which stay; started
    # here, they do not hold on to a test's output.
    detached "$wine" cmd /c exit </dev/null >/dev/null 2>&1
    ;;
  --stop)
    stop_session
    ;;
  -*)
    usage
    ;;
  *)
    own_xvfb=
    if [ -z "${DISPLAY:-}" ] && ! join_session_display; then
      start_xvfb
      own_xvfb=$xvfb_pid
      trap 'kill "$own_xvfb" 2>/dev/null || true' EXIT
      trap 'exit 130' INT TERM
    fi
    ensure_prefix
    status=0
    detached "$wine" "$@" || status=$?
    if [ -n "$own_xvfb" ]; then
      # Wine's services leave with the wineserver, a few seconds after the last program.
      "$wineserver" -w >/dev/null 2>&1 || true
      kill "$own_xvfb" 2>/dev/null || true
      wait "$own_xvfb" 2>/dev/null || true
      trap - EXIT
    fi
    exit "$status"
    ;;
esac
