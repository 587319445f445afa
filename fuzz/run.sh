#!/usr/bin/env bash
# Runs every fuzz target of build/fuzz for the given number of seconds and tells, per target,
# how many inputs it ran and whether it found anything. New inputs go to a scratch corpus under
# build/fuzz; the seeds in fuzz/corpus are only read. Exits 1 when any target found something.
set -uo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz
# The targets as fuzz/CMakeLists.txt lists them.
read -r -a targets < <(tr ';' ' ' < "$build/fuzz/targets.txt")

# The settings file target saves a file per input, flushed to the disk: on a memory file system
# the flush costs nothing.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi

found_any=0
for target in "${targets[@]}"; do
  scratch=$build/corpus/$target
  artifacts=$build/findings/$target
  log=$build/logs/$target.log
  mkdir -p "$scratch" "$artifacts" "$(dirname "$log")"

  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$scratch" "$root/fuzz/corpus/$target" >"$log" 2>&1
  status=$?

  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  [ -n "$runs" ] || runs=$(sed -n 's/^#\([0-9]*\).*/\1/p' "$log" | tail -n 1)
  if [ "$status" -eq 0 ]; then
    result="nothing found"
  else
    found_any=1
    kind=$(grep -m1 -oE 'ERROR: [A-Za-z]+: (detected memory leaks|deadly signal|[a-z-]+)|runtime error: .*|property failed: .*' "$log")
    input=$(sed -n 's/.*Test unit written to \(.*\)/\1/p' "$log" | tail -n 1)
    result="FOUND ${kind:-a failure (exit $status)}; input ${input:-in $artifacts}, log $log"
  fi
  printf '%-17s %10s runs in %ss: %s\n' "$target" "${runs:-?}" "$seconds" "$result"
done
exit "$found_any"
