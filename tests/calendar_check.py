#!/usr/bin/env python3
"""Checks `stem calendar` for every month of 1900 to 2100, in both modes, against Python's own
calendar module.

Usage: calendar_check.py [RUNNER ...] STEM
"""
import calendar
import concurrent.futures
import os
import subprocess
import sys

HEADER = "日  月  火  水  木  金  土"


def expected_calendar(year, month, mode):
    weeks = calendar.Calendar(firstweekday=calendar.SUNDAY).monthdatescalendar(year, month)
    lines = [f"{year:04d}年{month:02d}月", HEADER]
    for week in weeks:
        cells = [f"{day.day:2d}" if day.month == month or mode == 2 else "  " for day in week]
        lines.append("  ".join(cells))
    return "".join(line + "\r\n" for line in lines)


def check(command, year, month, mode):
    """The failure text for one month and mode, or None."""
    at = f"{year:04d}-{month:02d}-15T12:00:00"
    result = subprocess.run(command + ["calendar", str(mode), "--at", at], capture_output=True)
    actual = result.stdout.decode("utf-8", "replace")
    if result.returncode != 0 or actual != expected_calendar(year, month, mode):
        return f"{year}-{month:02d} mode {mode}: status {result.returncode}, got {actual!r}"
    return None


def main():
    command = sys.argv[1:]
    if not command:
        sys.exit(__doc__)
    cases = [(year, month, mode)
             for year in range(1900, 2101) for month in range(1, 13) for mode in (1, 2)]
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 1) as pool:
        failures = [f for f in pool.map(lambda c: check(command, *c), cases) if f]
    for failure in failures[:10]:
        print(failure, file=sys.stderr)
    print(f"{len(cases) - len(failures)} of {len(cases)} calendars match")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
