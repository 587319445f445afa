#!/usr/bin/env bash
# Runs a program of the Windows build under Wine as a Japanese system (code page 932, locale
# 0x411), without a display, in a private prefix created on first use.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
unset DISPLAY
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
) 9>"$WINEPREFIX.lock"
exec "$wine" "$@"
