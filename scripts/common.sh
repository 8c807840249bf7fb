# Shared set-up for scripts/test, scripts/demo and scripts/bench: installs what
# is missing, configures and builds, makes the Wine prefix once, and runs a
# private Xvfb + compositor + wineserver that are stopped again on exit.
# shellcheck shell=bash
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${VIEW_BUILD_DIR:-$ROOT/build}
PACKAGES=(g++-mingw-w64-x86-64-posix wine64 xvfb xauth xcompmgr fonts-dejavu-core
          fonts-liberation fonts-wine cmake googletest)
# scripts/check-guide needs a python3, any one on PATH.
command -v python3 >/dev/null 2>&1 || PACKAGES+=(python3-minimal)

log() { printf '== %s\n' "$*" >&2; }

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then echo "need root to install: ${missing[*]}" >&2; return 1; fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

WINE_LOADER=""
WINESERVER_BIN=""
find_wine() {
  WINE_LOADER=$(command -v wine64 || true)
  [ -n "$WINE_LOADER" ] || WINE_LOADER=/usr/lib/wine/wine64
  WINESERVER_BIN=$(command -v wineserver || true)
  [ -n "$WINESERVER_BIN" ] || WINESERVER_BIN=/usr/lib/wine/wineserver
  [ -x "$WINE_LOADER" ] && [ -x "$WINESERVER_BIN" ] || { echo "wine64 not found" >&2; return 1; }
}

build_project() {
  local type=${1:-Release}
  if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
      -DCMAKE_BUILD_TYPE="$type" >/dev/null
  fi
  cmake --build "$BUILD" -j "${VIEW_JOBS:-$(nproc)}"
}

wine_env() {
  export WINEPREFIX="$BUILD/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
  export WINEARCH=win64
}

# The prefix is made once per build folder; a marker says it is complete.
make_prefix() {
  wine_env
  [ -f "$WINEPREFIX/.view-ready" ] && return 0
  log "making the Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  "$WINE_LOADER" wineboot -i >/dev/null 2>&1
  "$WINESERVER_BIN" -w
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  local reg="$BUILD/view-prefix.reg"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n"Decorated"="Y"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for f in "Arial" "Microsoft Sans Serif" "MS Sans Serif" "Helvetica" "Verdana"; do
      printf '"%s"="Liberation Sans"\r\n' "$f"
    done
    for f in "Segoe UI" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2"; do
      printf '"%s"="DejaVu Sans"\r\n' "$f"
    done
    printf '"Times New Roman"="Liberation Serif"\r\n"Courier New"="Liberation Mono"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]\r\n"Auto"="0"\r\n"Debugger"=""\r\n\r\n'
  } > "$reg"
  "$WINE_LOADER" regedit /S "$(winepath_of "$reg")" >/dev/null 2>&1
  "$WINESERVER_BIN" -w
  touch "$WINEPREFIX/.view-ready"
}

winepath_of() { printf 'Z:%s' "$(echo "$1" | sed 's#/#\\#g')"; }

# A session: one or more slots, each a private copy of the build's prefix
# (hard links, registry files copied) with its own wineserver, X server and
# compositor. Nothing is shared with another script running on the same
# build folder, so either may end first without stopping the other.
SESSION_DIR=""
SESSION_PIDS=()
SESSION_PREFIXES=()
cleanup_session() {
  set +e
  local prefix pid
  for prefix in "${SESSION_PREFIXES[@]}"; do WINEPREFIX=$prefix "$WINESERVER_BIN" -k >/dev/null 2>&1; done
  for pid in "${SESSION_PIDS[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  [ -n "$SESSION_DIR" ] && rm -rf "$SESSION_DIR"
  SESSION_PIDS=()
  SESSION_PREFIXES=()
  SESSION_DIR=""
}

# Starts Xvfb on a display number it picks itself, and a compositor on it;
# sets STARTED_DISPLAY. VIEW_SCREEN sets its size (1600x1200).
STARTED_DISPLAY=""
start_display() {
  local fifo="$SESSION_DIR/display.$1" n=""
  Xvfb -displayfd 3 -screen 0 "${VIEW_SCREEN:-1600x1200}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  SESSION_PIDS+=($!)
  for _ in $(seq 1 200); do
    n=$(tr -dc 0-9 <"$fifo" 2>/dev/null)
    [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  [ -n "$n" ] || { echo "Xvfb failed to start" >&2; return 1; }
  DISPLAY=":$n" xcompmgr -n >/dev/null 2>&1 &
  SESSION_PIDS+=($!)
  STARTED_DISPLAY=":$n"
}

# start_session [slots]: makes the slots (one by default) and exports the
# first one's WINEPREFIX and DISPLAY; with more than one, VIEW_WINE_SLOTS
# lists them all as prefix|display pairs, and cmake/wine-run runs each
# program in a free one.
start_session() {
  trap cleanup_session EXIT
  trap 'exit 130' INT TERM
  wine_env
  local template=$WINEPREFIX slots=() i
  SESSION_DIR=$(mktemp -d "$BUILD/session.XXXXXX")
  for i in $(seq 1 "${1:-1}"); do
    local prefix="$SESSION_DIR/prefix$i" display
    cp -al "$template" "$prefix"
    for f in "$template"/*.reg; do cp --remove-destination "$f" "$prefix/"; done
    SESSION_PREFIXES+=("$prefix")
    start_display "$i" || return 1
    display=$STARTED_DISPLAY
    # One persistent wineserver per slot for the whole run (warm process starts).
    WINEPREFIX=$prefix "$WINESERVER_BIN" -p || { echo "could not start wineserver" >&2; return 1; }
    slots+=("$prefix|$display")
  done
  export WINEPREFIX=${slots[0]%%|*} DISPLAY=${slots[0]#*|}
  if [ "${#slots[@]}" -gt 1 ]; then export VIEW_WINE_SLOTS="${slots[*]}"; else unset VIEW_WINE_SLOTS; fi
}
