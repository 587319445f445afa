#!/usr/bin/env bash
# What `make run` shows: the plug-in DLLs that were built and what they tell the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "== The plug-in DLLs (32-bit Windows) =="
ls -l build/win32/Stemra.dll build/win32/Stemko.dll
python3 tests/dll_shape.py build/win32
