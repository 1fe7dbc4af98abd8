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
}

# Copies the template prefix: the system folder's DLLs are shared as hard
# links (nothing writes them), everything else is a real copy.
wine_copy_prefix() {
  local from=$1 to=$2
  mkdir -p "$to"
  tar -C "$from" --exclude=./drive_c/windows/system32 -cf - . | tar -C "$to" -xf -
  cp -al "$from/drive_c/windows/system32" "$to/drive_c/windows/system32"
}
