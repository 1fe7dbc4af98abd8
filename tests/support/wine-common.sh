# Shared by the Wine harness scripts (sourced, not run).
# A run folder holds: env (the display and the template's location), the
# template prefix, its home folder, and one folder per test program run.

WINE64=${WINE64:-/usr/lib/wine/wine64}
if [ -x /usr/lib/wine/wineserver64 ]; then WINESERVER=/usr/lib/wine/wineserver64; else WINESERVER=wineserver; fi

# The environment every Wine program of the harness sees. $1: prefix, $2: home.
wine_env() {
  export WINEPREFIX="$1" WINEARCH=win64 WINEDEBUG=${RARUVA_WINEDEBUG:--all}
  export WINEDLLOVERRIDES='winemenubuilder.exe=d;mscoree,mshtml='
  export HOME="$2" XDG_DATA_HOME="$2/.local/share" XDG_CONFIG_HOME="$2/.config" XDG_CACHE_HOME="$2/.cache"
  export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8
  unset WINESERVER_PERSISTENT
  mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
}

# Stops everything running in a prefix and waits until it has ended.
wine_stop_prefix() {
  [ -d "$1" ] || return 0
  WINEPREFIX="$1" "$WINESERVER" -k >/dev/null 2>&1 || true
  WINEPREFIX="$1" timeout 10 "$WINESERVER" -w >/dev/null 2>&1 || true
  wine_remove_server_dir "$1"
}

# Wine keeps a prefix's server socket in $TMPDIR/wine-XXXXXX/server-DEV-INODE
# (the prefix's file "wineserver" names the wine-XXXXXX folder, and copies of
# a prefix share it) and leaves it there: removed here once the server is
# gone, with the wine-XXXXXX folder when nothing else is left in it. Wine
# makes them again when the prefix is used next.
wine_remove_server_dir() {
  local name parent dev ino
  [ -f "$1/wineserver" ] || return 0
  name=$(cat "$1/wineserver")
  case "$name" in wine-??????) ;; *) return 0 ;; esac
  parent=${TMPDIR:-/tmp}/$name
  read -r dev ino < <(stat -c '%D %i' "$1")
  rm -rf "$parent/server-$dev-$(printf '%x' "$ino")"
  rmdir "$parent" 2>/dev/null || true
}

# Copies the template prefix: the system folder's DLLs are shared as hard
# links (nothing writes them), everything else is a real copy.
wine_copy_prefix() {
  local from=$1 to=$2
  mkdir -p "$to"
  tar -C "$from" --exclude=./drive_c/windows/system32 -cf - . | tar -C "$to" -xf -
  cp -al "$from/drive_c/windows/system32" "$to/drive_c/windows/system32"
}

# Makes a new prefix ready for the launcher: $1 prefix, $2 home, $3 display,
# $4 log file. Runs in a subshell so that the caller's environment stays.
wine_make_prefix() (
  wine_env "$1" "$2"
  export DISPLAY="$3"
  "$WINE64" wineboot -i >"$4" 2>&1 || true
  "$WINESERVER" -w
  [ -f "$WINEPREFIX/system.reg" ] || exit 1
  # Shell folders must live inside the prefix: wineboot links them to the
  # home folder, which every copy of the prefix would then share.
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm -f "$link" && mkdir -p "$link"; fi
  done
  # No window manager decorations, and keyboard input without pointer moves.
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  # Fonts the program asks for by name.
  for family in 微软雅黑 "Microsoft YaHei" 宋体 SimSun "MS Shell Dlg" "MS Shell Dlg 2" Tahoma; do
    "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$family" /d "WenQuanYi Micro Hei" /f >/dev/null
  done
  for family in arial Arial; do
    "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$family" /d "DejaVu Sans" /f >/dev/null
  done
  "$WINESERVER" -w
)

# Starts Xvfb on a free display; $1 is a folder for its pid and log. Prints
# the display (":N"), or fails.
xvfb_start() {
  local dir=$1
  Xvfb -displayfd 9 -screen 0 1600x900x24 -nolisten tcp -noreset 9>"$dir/display" >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"
  for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    sleep 0.05
  done
  [ -s "$dir/display" ] || { cat "$dir/xvfb.log" >&2; return 1; }
  echo ":$(tr -d '[:space:]' <"$dir/display")"
}

# True while process $1 runs (a zombie waiting for its parent has ended).
process_running() {
  local state
  state=$(sed -n 's/^State:[[:space:]]*\([A-Z]\).*/\1/p' "/proc/$1/status" 2>/dev/null) || return 1
  [ -n "$state" ] && [ "$state" != Z ] && [ "$state" != X ]
}

# Stops the Xvfb that xvfb_start left in $1.
xvfb_stop() {
  local dir=$1 pid
  [ -f "$dir/xvfb.pid" ] || return 0
  pid=$(cat "$dir/xvfb.pid")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 100); do process_running "$pid" || break; sleep 0.05; done
  kill -9 "$pid" 2>/dev/null || true
  rm -f "$dir/xvfb.pid"
}

# The portal simulator (tools/portal) for one test or the demo, kept in folder
# $1: request log $1/portal.log, its own messages $1/portal.out. It listens on
# 127.0.0.1:${RARUVA_PORTAL_PORT:-18707} with the scenario file
# RARUVA_PORTAL_SCENARIO when that is set, and ends with its starter. Exports
# RARUVA_PORTAL_LOG and RARUVA_PORTAL_LOG_WINDOWS (the log seen from Wine) and
# sets portal_pid; fails when the simulator does not listen within 5 s.
PORTAL_RUN=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/portal/run
portal_start() {
  local dir=$1
  export RARUVA_PORTAL_LOG="$dir/portal.log"
  export RARUVA_PORTAL_LOG_WINDOWS="Z:${RARUVA_PORTAL_LOG//\//\\}"
  local args=(--port "${RARUVA_PORTAL_PORT:-18707}" --log "$RARUVA_PORTAL_LOG" --ready-file "$dir/portal.ready"
    --exit-with-parent)
  [ -z "${RARUVA_PORTAL_SCENARIO:-}" ] || args+=(--scenario "$RARUVA_PORTAL_SCENARIO")
  mkdir -p "$dir" && rm -f "$dir/portal.ready"
  "$PORTAL_RUN" "${args[@]}" >"$dir/portal.out" 2>&1 &
  portal_pid=$!
  for _ in $(seq 200); do
    [ -s "$dir/portal.ready" ] && return 0
    kill -0 "$portal_pid" 2>/dev/null || break
    sleep 0.025
  done
  echo "portal simulator did not start:" >&2
  cat "$dir/portal.out" >&2
  portal_stop
  return 1
}

# Stops the simulator that portal_start started, if any, and waits for it.
portal_stop() {
  [ -n "${portal_pid:-}" ] || return 0
  kill "$portal_pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$portal_pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$portal_pid" 2>/dev/null || true
  wait "$portal_pid" 2>/dev/null || true
  portal_pid=
}
