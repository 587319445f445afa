# What every Wine program of the tests runs with, sourced by wine-run.sh and wine-server.sh: a
# private 64-bit prefix, Japanese (code page 932, locale 0x411) unless a test asks for another
# locale, no display, no debugger.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# A test may ask for another system: STEM_WINE_LOCALE=en_US.UTF-8 makes Wine an English one
# (code page 1252, locale 0x409) for the program it starts.
export LANG=${STEM_WINE_LOCALE:-ja_JP.UTF-8}
export LC_ALL=$LANG
# A crashing program would start winedbg, which waits for ever without a display.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winedbg.exe=d}
# QEMU only: Wine's 32-bit start-up probes the guest address space; with this much reserved
# it starts in seconds (more takes a minute, less fails).
export QEMU_RESERVED_VA=${QEMU_RESERVED_VA:-0x80400000}
unset DISPLAY
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=wineserver

# Makes the prefix on first use, one maker at a time.
ensure_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      "$wine" wineboot -i </dev/null >/dev/null 2>&1 || true
      "$wineserver" -w || true
    fi
  ) 9>"$WINEPREFIX.lock"
}
