#!/usr/bin/env python3
"""Checks `stem calendar` for every month of 1900 to 2100, in both modes, against Python's own
calendar module, in one start of `stem batch`.

Usage: calendar_check.py [RUNNER ...] STEM
"""
import calendar
import sys

from program_runner import run_batch

HEADER = "日  月  火  水  木  金  土"


def expected_calendar(year, month, mode):
    weeks = calendar.Calendar(firstweekday=calendar.SUNDAY).monthdatescalendar(year, month)
    lines = [f"{year:04d}年{month:02d}月", HEADER]
    for week in weeks:
        cells = [f"{day.day:2d}" if day.month == month or mode == 2 else "  " for day in week]
        lines.append("  ".join(cells))
    return "".join(line + "\r\n" for line in lines)


def main():
    command = sys.argv[1:]
    if not command:
        sys.exit(__doc__)
    cases = [(year, month, mode)
             for year in range(1900, 2101) for month in range(1, 13) for mode in (1, 2)]
    lines = [["calendar", str(mode), "--at", f"{year:04d}-{month:02d}-15T12:00:00"]
             for year, month, mode in cases]
    failures = []
    for (year, month, mode), result in zip(cases, run_batch(command, False, lines)):
        actual = result.stdout.decode("utf-8", "replace")
        if result.returncode != 0 or actual != expected_calendar(year, month, mode):
            failures.append(f"{year}-{month:02d} mode {mode}: status {result.returncode}, "
                            f"got {actual!r}")
    for failure in failures[:10]:
        print(failure, file=sys.stderr)
    print(f"{len(cases) - len(failures)} of {len(cases)} calendars match")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
