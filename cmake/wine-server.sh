#!/usr/bin/env bash
# wine-server.sh start|stop: one Wine server, with Wine's own helper programs, for a whole test
# run of the Windows builds, so that each test program starts in a fraction of a second instead
# of starting a server of its own. "start" ends whatever ran in the prefix before (a run that
# was killed), then starts the server for good and the helpers with their output to /dev/null:
# started by a test program they would hold its output open, and a test reading it to the end
# would wait for ever. "stop" ends the server and every Wine program of the prefix.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
case "${1:-}" in
  start)
    "$wineserver" -k >/dev/null 2>&1 || true
    "$wineserver" -w || true
    ensure_prefix
    "$wineserver" -p </dev/null >/dev/null 2>&1
    "$wine" wineboot </dev/null >/dev/null 2>&1
    ;;
  stop)
    "$wineserver" -k >/dev/null 2>&1 || true
    "$wineserver" -w || true
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
