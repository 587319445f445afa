#!/usr/bin/env bash
# What `make run` shows: the plug-in DLLs that were built, then each plug-in of plugins.json
# pressed in the simulated editor with a fresh settings file, the file they wrote, and the
# release archive.
set -euo pipefail
cd "$(dirname "$0")/.."
# The plug-ins, "word name" a line, in the list's order, and the settings file they share.
plugins=$(PYTHONPATH=tools python3 -c 'import plugins
for plugin in plugins.PLUGINS: print(plugin["word"], plugin["name"])')
settings=$(PYTHONPATH=tools python3 -c 'import plugins; print(plugins.SETTINGS_FILE)')

echo "== The plug-in DLLs (32-bit Windows) =="
while read -r _ name; do ls -l "build/win32/$name.dll"; done <<<"$plugins"
python3 tests/dll_shape.py build/win32

folder=build/demo/PlugIns
scratch=build/demo/scratch
rm -rf build/demo
mkdir -p "$folder" "$scratch"
while read -r word name; do
  # How many default patterns the plug-in has: its first press in a scratch folder says.
  patterns=$(build/native/stem press "$word" --folder "$scratch" |
    sed -n 's/^press 1: .*, pattern 1 of \([0-9]*\)$/\1/p')
  echo
  echo "== The $word plug-in ($name) pressed $((patterns + 1)) times: every default pattern, then" \
    "the press after the last =="
  build/native/stem press "$word" --times $((patterns + 1)) --folder "$folder"
done <<<"$plugins"
echo
echo "== The settings file they share: $folder/$settings (Shift-JIS, shown as UTF-8) =="
iconv -f CP932 -t UTF-8 "$folder/$settings" | tr -d '\r'
echo
echo "== stem check reads it as the plug-ins do: each press's pattern and text, then any warnings =="
build/native/stem check "$folder/$settings"

archive=dist/Stemra-Stemko-$(cat VERSION).zip
echo
echo "== What a user downloads: $archive ($(stat -c %s "$archive") bytes) =="
python3 -m zipfile -l "$archive"
