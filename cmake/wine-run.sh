#!/bin/sh
# ctest's emulator for the win64 build: runs one Windows program in the project's Wine prefix.
# scripts/test starts the X server and a persistent wineserver around the whole ctest run.
: "${WINEPREFIX:?WINEPREFIX must name the project's prefix (see scripts/lib.sh)}"
export WINEPREFIX WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree=;mshtml=" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
[ -n "$DISPLAY" ] || exec xvfb-run -a "$0" "$@"
exec /usr/lib/wine/wine64 "$@"
