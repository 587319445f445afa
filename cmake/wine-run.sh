#!/usr/bin/env bash
# Runs a program of a Windows build under Wine as a Japanese system (code page 932, locale
# 0x411), without a display, in a private 64-bit prefix created on first use. 32-bit programs
# run in the same prefix; where the kernel runs no 32-bit programs, through user-mode QEMU
# (set up by tools/install-deps.sh). A test run starts one Wine server for all its programs
# first (wine-server.sh); without one, each program starts its own.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
ensure_prefix
exec "$wine" "$@"
