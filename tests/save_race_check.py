#!/usr/bin/env python3
"""Two editors saving one settings file at once: runs SaveRace for the date and the time plug-in
together (each presses and erases its section ROUNDS times, two saves a round) and reads the
file over and over meanwhile. Every read must be one of the whole versions the two can make,
never a part of one; at the end no temporary file may be left beside it.

Usage: save_race_check.py [--windows] [RUNNER ...] SAVERACE
With --windows (SaveRace.exe under Wine), the folder is named by its Z: path.
"""
import os
import subprocess
import sys
import tempfile
import time

import default_settings
from program_runner import program_command, windows_path

ROUNDS = 150
# Far beyond what the race takes under Wine through QEMU: a racer that hangs fails the check
# here, with a message, before the test's time-out.
DEADLINE_SECONDS = 300

BASE = b"; StemraTime.ini, shared by two plug-ins\r\n"
DATE = default_settings.section_bytes("DateFormat")
TIME = default_settings.section_bytes("TimeFormat")

# Each plug-in adds its section at the end or erases it, from whichever version it read.
WHOLE = {BASE, BASE + DATE, BASE + TIME, BASE + DATE + TIME, BASE + TIME + DATE}


def main():
    windows, command = program_command(__doc__)
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "StemraTime.ini")
        with open(path, "wb") as file:
            file.write(BASE)
        named = windows_path(folder)
        racers = [subprocess.Popen(command + [which, named, str(ROUNDS)], stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT) for which in ("date", "time")]
        reads, missing, versions = 0, 0, set()
        deadline = time.monotonic() + DEADLINE_SECONDS
        while any(racer.poll() is None for racer in racers):
            if time.monotonic() > deadline:
                for racer in racers:
                    racer.kill()
                failures.append(f"SaveRace did not end within {DEADLINE_SECONDS} s")
                break
            try:
                with open(path, "rb") as file:
                    versions.add(file.read())
                reads += 1
            except FileNotFoundError:
                missing += 1
        if missing:
            failures.append(f"the settings file was missing at {missing} reads")
        failures += [f"read {seen!r}" for seen in versions - WHOLE]
        for racer in racers:
            out = racer.communicate()[0].decode("utf-8", "replace")
            print(out.strip())
            if racer.returncode != 0:
                failures.append(f"SaveRace status {racer.returncode}: {out}")
        left = sorted(set(os.listdir(folder)) - {"StemraTime.ini"})
        if left:
            failures.append(f"left beside the file: {left}")
        print(f"{reads} reads, {len(versions)} versions seen")
    for failure in failures[:20]:
        print(failure, file=sys.stderr)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
