#!/usr/bin/env bash
# Runs a program of a Windows build under Wine as a Japanese system (code page 932, locale
# 0x411), without a display, in a private 64-bit prefix created on first use. 32-bit programs
# run in the same prefix; where the kernel runs no 32-bit programs, through user-mode QEMU
# (set up by tools/install-deps.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
# A crashing program would start winedbg, which waits for ever without a display.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winedbg.exe=d}
# QEMU only: Wine's 32-bit start-up probes the guest address space; with this much reserved
# it starts in seconds (more takes a minute, less fails).
export QEMU_RESERVED_VA=${QEMU_RESERVED_VA:-0x80400000}
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
