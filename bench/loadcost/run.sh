#!/usr/bin/env bash
# Measures under Wine what turning each plug-in on costs: LoadLibrary, the start-up event and the
# first press, median of many, next to a DLL with the same exports and nothing behind them.
# A measurement tool, not part of the product: it builds its host and the do-nothing DLL in
# build/loadcost-<preset> against the libraries of a Windows build.
#
# Usage: bench/loadcost/run.sh win32|win64 [COUNT] [DLL...]
#   (default: the preset's DLL of each plug-in in plugins.json, 200 cycles each)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
preset=$1
count=${2:-200}
shift $(( $# < 2 ? $# : 2 ))
case $preset in
  win32) triple=i686-w64-mingw32 ;;
  win64) triple=x86_64-w64-mingw32 ;;
  *) echo "usage: $0 win32|win64 [COUNT] [DLL...]" >&2; exit 2 ;;
esac
build=$root/build/$preset
out=$root/build/loadcost-$preset
mkdir -p "$out"
here=$root/bench/loadcost
# The do-nothing DLL, linked as the plug-ins are: static runtime, undecorated exports.
"$triple-g++-posix" -O2 -s -shared -static -static-libgcc -static-libstdc++ -Wl,--kill-at \
  -o "$out/Baseline.dll" "$here/BaselinePlugin.cpp"
includes=()
for layer in stemhost stemplugin stemlib stemplatform stembase; do
  includes+=("-I$build/headers/$layer-PUBLIC")
done
"$triple-g++-posix" -O2 -std=c++20 -DWIN32_LEAN_AND_MEAN -DNOMINMAX "${includes[@]}" \
  -I"$build/generated" "$here/LoadCost.cpp" -o "$out/LoadCost.exe" -static \
  "$build/libstemhost.a" "$build/libstemplugin.a" "$build/libstemlib.a" \
  "$build/libstemplatform.a" "$build/libstembase.a" -lshell32 -luser32 -ladvapi32
dlls=("$@")
if [ ${#dlls[@]} -eq 0 ]; then
  mapfile -t dlls < <(PYTHONPATH=$root/tools python3 -c 'import plugins
for name in plugins.NAMES: print("%s.dll" % name)')
  dlls=("${dlls[@]/#/$build/}")
fi
for dll in "${dlls[@]}"; do cp "$dll" "$out/"; done
dlls=("${dlls[@]##*/}")
cd "$out"
folder='C:\users\Public\StemLoadCost'
for dll in Baseline.dll "${dlls[@]}"; do
  "$root/cmake/wine-run.sh" ./LoadCost.exe "$folder" ".\\$dll" "$count" 2>/dev/null
done
