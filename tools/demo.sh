#!/usr/bin/env bash
# What `make run` shows: the plug-in DLLs that were built, then both plug-ins pressed in the
# simulated editor with a fresh settings file, the file they wrote, and the release archive.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "== The plug-in DLLs (32-bit Windows) =="
ls -l build/win32/Stemra.dll build/win32/Stemko.dll
python3 tests/dll_shape.py build/win32

folder=build/demo/PlugIns
rm -rf build/demo
mkdir -p "$folder"
echo
echo "== The date plug-in pressed 11 times: every default pattern, then the press after the last =="
build/native/stem press date --times 11 --folder "$folder"
echo
echo "== The time plug-in pressed twice =="
build/native/stem press time --times 2 --folder "$folder"
echo
echo "== The settings file they share: $folder/StemraTime.ini (Shift-JIS, shown as UTF-8) =="
iconv -f CP932 -t UTF-8 "$folder/StemraTime.ini" | tr -d '\r'
echo
echo "== stem check reads it as the plug-ins do: each press's pattern and text, then any warnings =="
build/native/stem check "$folder/StemraTime.ini"

archive=dist/Stemra-Stemko-$(cat VERSION).zip
echo
echo "== What a user downloads: $archive ($(stat -c %s "$archive") bytes) =="
python3 -m zipfile -l "$archive"
