# Shared settings of the project's scripts; sourced, not run.
MOYU_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
MOYU_CACHE=${MOYU_CACHE:-${XDG_CACHE_HOME:-${HOME:-/root}/.cache}/moyu-mounter}
export MOYU_CACHE
export WINEPREFIX=${MOYU_WINEPREFIX:-$MOYU_CACHE/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree=;mshtml="
# Wine takes its ANSI code page (936) from the locale; before scripts/setup has generated it,
# the variables would only make the shell complain.
use_chinese_locale() {
  if locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
  fi
}
use_chinese_locale
export WINEARCH=win64
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
REG='C:\windows\system32\reg.exe'

wine_prefix_init() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "setup: making the Wine prefix $WINEPREFIX"
    "$WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
    "$WINESERVER" -w
  fi
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$WINE" "$REG" add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    "$WINESERVER" -w
  fi
}
