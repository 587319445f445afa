#!/usr/bin/env python3
"""Checks `stem check`: the patterns it lists for each plug-in with what they render to, and
its warnings with their line numbers, on settings files written as Shift-JIS bytes: files of
key traps, section traps, pattern traps and mistyped section names, a clean file that must draw
no warning, and the defaults that `stem press` writes. Where a file cuts a list short, `stem press` confirms that the
plug-in cycles through exactly the patterns listed.

The commands run in one start of `stem batch`, and one check once more as a program of its own.
Under Windows, check and press also run where the editor's registry value names a plug-in
folder.

Usage: stem_check_check.py [--windows] [RUNNER ...] STEM
With --windows (stem.exe under Wine), files and folders are named by their Z: paths, and the
era name and year are the system's.
"""
import os
import re
import subprocess
import sys
import tempfile

import default_settings
from program_runner import program_command, run_batch, windows_path

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import plugins  # noqa: E402

AT = "2026-12-07T13:05:09.250"  # a Monday, afternoon
# What era tokens give at that moment in the Japanese era calendar, by the text that stands for
# them in the expected renderings: "gggee" as itself, "e" (in the middle of other digits) as <e>.
ERA_AT = {"令和08": ("gggee", "令和08"), "<e>": ("e", "8")}

# What each default pattern renders to at that moment, in the order of the fixture's lines; None
# for a calendar.
DEFAULT_RENDERINGS = {
    "DateFormat": ["2026/12/07(月)", "2026/12/07(Mon)", "2026/12/07", "12/07月",
                   "2026年12月07日(月)", "令和08年12月07日(月)", "Mon, 07 Dec 2026",
                   "Monday, 07 December 2026", None, None],
    "TimeFormat": [" 13:05", " 13:05:09", " 01:05 pm", " 13時05分", " 午後01時05分", " 130509",
                   " 13-05-09"],
}


def default_rows(section):
    lines = default_settings.key_lines(section)
    renderings = DEFAULT_RENDERINGS[section]
    if len(lines) != len(renderings):
        sys.exit(f"the fixture holds {len(lines)} {section} defaults, the check renders "
                 f"{len(renderings)}")
    return [(key, value, rendering) for (key, value), rendering in zip(lines, renderings)]


DEFAULT_ROWS = {section: default_rows(section) for section in DEFAULT_RENDERINGS}

# Each case: the file's text (lines end CR LF in the file), the rows listed per section as
# (key, pattern as shown, rendering), and the warnings as {line: [fragments of its text]}.
# A rendering of None is the calendar that `stem calendar MODE` prints for the moment. With
# "pressed", `stem press` must cycle through as many patterns as listed; with "kept", without
# changing the file.
KEY_TRAPS = {
    "text": """[DateFormat]
Item01=yyyy/mm/dd
Item1=dd
Item02= yyyy年
Item03=mm"/dd
Item02=zzz
Format=x
Item04=CALENDAR1
Item06=dd
yyyy
; a comment is not a key
Item00=x
=nokey
[TimeFormat]
Item01="hh"時"nn"
Item02=ｈｈ:ｎｎ \t
Item03=hh:nn"
""",
    "rows": {
        "DateFormat": [("Item01", "yyyy/mm/dd", "2026/12/07"),
                       ("Item02", "yyyy年", "2026年"),
                       ("Item03", 'mm"/dd', "12/dd"),
                       ("Item04", "CALENDAR1", "CALENDAR1")],
        "TimeFormat": [("Item01", 'hh"時"nn', "13時05"),
                       ("Item02", "ｈｈ:ｎｎ", "１３:０５"),
                       ("Item03", 'hh:nn"', "13:05")],
    },
    "warnings": {
        3: ['"Item1=dd" is never read', "the key for number 1 is Item01"],
        4: ["blanks at the start of the value of Item02", 'write Item02=" yyyy年"'],
        5: ["odd number of double quotes", '"/dd"'],
        6: ['"Item02=zzz" is never read', "given already at line 4"],
        7: ['"Format=x" is never read', "reads only the keys Item01, Item02"],
        8: ["Item04 is rendered as a pattern", "only Calendar1"],
        9: ['"Item06=dd" is never read', "Item05 is missing, so reading stops at Item04"],
        10: ['"yyyy" has no "="'],
        12: ['"Item00=x" is never read', "starts at Item01"],
        13: ['"=nokey" has no key before "="'],
        15: ["starts and ends with a double quote", 'the pattern is hh"時"nn'],
        16: ["blanks at the end of the value of Item02", 'write Item02="ｈｈ:ｎｎ \t"'],
        17: ["Item03 ends with a double quote that has no partner"],
    },
    "pressed": True,
}

SECTION_TRAPS = {
    "text": """; [DateFormat] keeps the dates
[DateFormat]
Item01=yyyy
Item02=mm
[TimeFormat]
Item01=hh
Item02=[nn]
Item03=ss

[TimeFormat]
Item02=ss
""",
    "rows": {"DateFormat": DEFAULT_ROWS["DateFormat"], "TimeFormat": [("Item01", "hh", "13")]},
    "notes": {"DateFormat": "a press uses these 10 default patterns without writing them"},
    "warnings": {
        1: ["[DateFormat] opens here", "even in a comment", "Stemra cannot add its default",
            'Take "[DateFormat]" out of this line'],
        2: ["[DateFormat] appears again", "at line 1", "the 2 key lines under this one are never"],
        7: ['"Item02=[nn]" holds "[" before "]"', "section line [nn]",
            "[TimeFormat] ends above it", "the 1 key line below it is not in it"],
        10: ["[TimeFormat] appears again", "at line 5", "the 1 key line under this one is never"],
    },
    "pressed": True,
    "kept": True,
}

# ゼ and ゾ end in the bytes of "[" and "]": a double-byte character must not make a section.
BRACKET_VALUE = {
    "text": """[DateFormat]
Item01=ゼゾ yyyy
Item02=[%Y]
Item03=dd
Item04=mm
[TimeFormat]
Item01=hh
""",
    "rows": {"DateFormat": [("Item01", "ゼゾ yyyy", "ゼゾ 2026")],
             "TimeFormat": [("Item01", "hh", "13")]},
    "warnings": {3: ["section line [%Y]", "[DateFormat] ends above it",
                     "the 2 key lines below it are not in it"]},
    "pressed": True,
}

# What a user types who knows other programs' formats or the input method's full-width mode.
PATTERN_TRAPS = {
    "text": """[DateFormat]
Item01=""
Item02=YYYY/MM/DD
Item03=ａａａａ
[TimeFormat]
Item01=hh:mm
Item02=HH:MM:SS
Item03=h:mm tt
Item04=ａｍ／ｐｍ
Item05=Calendar1
Item06=hh\\0nn
""",
    "rows": {
        "DateFormat": [("Item01", '""', ""),
                       ("Item02", "YYYY/MM/DD", "YYYY/MM/DD"),
                       ("Item03", "ａａａａ", "ＭｏｎｄａｙＭｏｎｄａｙ")],
        "TimeFormat": [("Item01", "hh:mm", "13:12"),
                       ("Item02", "HH:MM:SS", "HH:MM:SS"),
                       ("Item03", "h:mm tt", "13:12 tt"),
                       ("Item04", "ａｍ／ｐｍ", "Ｍｏｎ１２／ｐ１２"),
                       ("Item05", "Calendar1", "CMonl<e>57Monr1"),
                       ("Item06", "hh\\0nn", "13␀05")],
    },
    "warnings": {
        2: ["Item01 is empty, so the first press inserts nothing"],
        3: ["YYYY (write yyyy), MM (write mm for the month, nn for minutes), DD (write dd)"],
        4: ["ａａａａ (write aaaa)", "the full-width tokens are"],
        6: ["mm (in hh:mm) is the month; minutes are nn: write hh:nn"],
        7: ["HH (write hh), MM (write", "SS (write ss)"],
        8: [["write h:nn tt"], ["tt (write AM/PM)"]],
        9: ["ａｍ／ｐｍ (write ａｍ/ｐｍ)"],
        10: ["a calendar that only Stemra inserts", "move it to [DateFormat]"],
        11: ["holds \\0", "take the \\0 out"],
    },
    "pressed": True,
}

# Section names a press never reads: the plug-ins add their own sections below them.
NAME_TRAPS = {
    "text": """[DateFromat]
Item01=yyyy-mm-dd
[Time Format]
Item01=hh
［DateFormat］
DateFormat
""",
    "rows": DEFAULT_ROWS,
    "notes": {section: "the next press writes these" for section in DEFAULT_ROWS},
    "warnings": {
        1: ['"[DateFromat]" opens no section', "did you mean [DateFormat]?",
            "the 1 key line under this line is never read"],
        3: ["did you mean [TimeFormat]?"],
        5: ["did you mean [DateFormat]?"],
        6: ['"DateFormat" opens no section', "did you mean [DateFormat]?"],
    },
    "pressed": True,
}

# A comment that opens the other section: the lines below it are read by the first section, and
# neither reads the line without "=" (warned about once).
COMMENTED_SECTION = {
    "text": """[DateFormat]
Item01=yyyy
;[TimeFormat] is next
Item02=mm
// note
""",
    "rows": {"DateFormat": [("Item01", "yyyy", "2026"), ("Item02", "mm", "12")],
             "TimeFormat": []},
    "warnings": {3: ["[TimeFormat] opens here"], 5: ['"// note" has no "="']},
    "pressed": True,
    "kept": True,
}

CLEAN = {
    "text": """; Patterns of Stemra and Stemko
[DateFormat]
Item01=gggee年mm月dd日
 Item02 = Calendar1
Item03="  yyyy "
item04=yyyy"年"m"月"
Item05=yyyy\\tdd
Item06=

[TimeFormat]
Item01=hh:nn:ss.zzz
Item02=" h:nn AM/PM"
ITEM03=ｈｈ時ｎｎ分
[Other]
Item01=[x]
Item09=yyyy
""",
    "rows": {
        "DateFormat": [("Item01", "gggee年mm月dd日", "令和08年12月07日"),
                       ("Item02", "Calendar1", None),
                       ("Item03", '"  yyyy "', "  2026 "),
                       ("Item04", 'yyyy"年"m"月"', "2026年12月"),
                       ("Item05", "yyyy\\tdd", "2026\t07"),
                       ("Item06", '""', "")],
        "TimeFormat": [("Item01", "hh:nn:ss.zzz", "13:05:09.250"),
                       ("Item02", '" h:nn AM/PM"', " 1:05 PM"),
                       ("Item03", "ｈｈ時ｎｎ分", "１３時０５分")],
    },
    "warnings": {},
}

class Stem:
    """Command lines of stem queued, then run in one start of `stem batch`."""

    def __init__(self, command, windows):
        self.command = command
        self.windows = windows
        self.queued = []
        self.results = None

    def path(self, path):
        return windows_path(path) if self.windows else path

    def queue(self, *arguments):
        """Queues a command line; its place, by which its result is asked for later."""
        self.queued.append(list(arguments))
        return len(self.queued) - 1

    def run_queued(self):
        self.results = run_batch(self.command, self.windows, self.queued)

    def result(self, place):
        return self.results[place]

    def text(self, place):
        result = self.results[place]
        if result.returncode != 0 or result.stderr:
            raise AssertionError(f"{self.queued[place]}: status {result.returncode}, "
                                 f"err {result.stderr!r}")
        return result.stdout.decode("utf-8")

    def run(self, *arguments):
        return subprocess.run(self.command + list(arguments), capture_output=True)


def parse_report(text):
    """The rows and notes per section and the warnings of a report: ({section: rows},
    {section: [notes]}, [(line, text)])."""
    rows, notes, warnings = {}, {}, []
    section = None
    for line in text.split("\n"):
        heading = re.match(r"\[(\w+)\] ", line)
        row = re.match(r"  (Item\d+)  (.*?) *->(?: (.*))?$", line)
        warning = re.match(r"  (?:line (\d+)|file): (.*)$", line)
        if heading:
            section = heading.group(1)
            rows[section], notes[section] = [], []
        elif line == "Warnings:" or line == "No warnings.":
            section = None
        elif section and row:
            rows[section].append([row.group(1), row.group(2), row.group(3) or ""])
        elif section and line.startswith("      |"):
            rows[section][-1][2] += "\n" + line[len("      | "):]
        elif section and line.startswith("  "):
            notes[section].append(line.strip())
        elif warning:
            warnings.append((int(warning.group(1) or 0), warning.group(2)))
    for listed in rows.values():
        for entry in listed:
            entry[2] = entry[2].lstrip("\n")
    return rows, notes, warnings


class Expectations:
    """What the rows compare with: the calendars and the era of the system stem runs on."""

    def __init__(self, stem):
        self.stem = stem
        self.calendars = {mode: stem.queue("calendar", str(mode), "--at", AT) for mode in (1, 2)}
        # Wine has no Japanese era calendar: under Windows the era comes from the system, and
        # the era tokens are checked natively.
        self.era_places = {mark: stem.queue("render", tokens, "--at", AT)
                           for mark, (tokens, _) in ERA_AT.items()} if stem.windows else None

    def calendar(self, mode):
        return self.stem.text(self.calendars[mode]).replace("\r\n", "\n")

    def era(self, mark):
        if self.era_places is None:
            return ERA_AT[mark][1]
        return self.stem.text(self.era_places[mark]).strip()


def compare_rows(name, expect, listed, expected, failures):
    for section, rows in expected.items():
        want = []
        for key, shown, rendering in rows:
            if rendering is None:
                rendering = expect.calendar(1 if shown == "Calendar1" else 2)
            for mark in ERA_AT:
                rendering = rendering.replace(mark, expect.era(mark))
            want.append([key, shown, rendering])
        if listed.get(section) != want:
            failures.append(f"{name} [{section}]: listed {listed.get(section)!r}, expected {want!r}")


def compare_warnings(name, warnings, expected, failures):
    """expected: {line: [fragments]} for one warning on the line, or a list of such lists for
    as many warnings; every fragment must be in the texts of its line."""
    wanted = {line: parts if isinstance(parts[0], list) else [parts]
              for line, parts in expected.items()}
    lines = sorted(line for line, _ in warnings)
    if lines != sorted(line for line, each in wanted.items() for _ in each):
        failures.append(f"{name}: warnings on lines {lines}, expected "
                        f"{sorted(wanted)}: {warnings}")
        return
    for line, each in wanted.items():
        said = "\n".join(text for at, text in warnings if at == line)
        for fragment in (fragment for parts in each for fragment in parts):
            if fragment not in said:
                failures.append(f"{name}: line {line} warnings lack {fragment!r}: {said!r}")


def queue_presses(stem, folder, sections, *options):
    """A press of each plug-in whose section is named, in the list's order: {section: press}."""
    return {plugin["section"]: stem.queue("press", plugin["word"], "--folder", stem.path(folder),
                                          "--at", AT, *options)
            for plugin in plugins.PLUGINS if plugin["section"] in sections}


def pressed_counts(stem, presses):
    """Patterns per plug-in that the presses found in the folder's settings file."""
    counts = {}
    for section, place in presses.items():
        text = stem.text(place)
        found = re.search(r"^press 1: .*, pattern 1 of (\d+)$", text, re.MULTILINE)
        none = re.search(r"^press 1: no patterns", text, re.MULTILINE)
        counts[section] = int(found.group(1)) if found else 0 if none else None
    return counts


def queue_case(name, case, stem, work):
    """Writes the case's file and queues its check (then its presses); the judge of the results."""
    folder = os.path.join(work, name)
    os.makedirs(folder)
    path = os.path.join(folder, "StemraTime.ini")
    text = case["text"].replace("\n", "\r\n").encode("cp932")
    with open(path, "wb") as file:
        file.write(text)
    check = stem.queue("check", stem.path(path), "--at", AT)
    presses = queue_presses(stem, folder, case["rows"]) if case.get("pressed") else None

    def judge(expect, failures):
        rows, notes, warnings = parse_report(stem.text(check))
        compare_rows(name, expect, rows, case["rows"], failures)
        compare_warnings(name, warnings, case["warnings"], failures)
        for section, note in case.get("notes", {}).items():
            if not any(note in line for line in notes.get(section, [])):
                failures.append(f"{name} [{section}]: no note {note!r} in {notes.get(section)}")
        if presses:
            listed = {section: len(rows.get(section, [])) for section in case["rows"]}
            pressed = pressed_counts(stem, presses)
            if pressed != listed:
                failures.append(f"{name}: stem press cycles {pressed}, stem check lists {listed}")
        with open(path, "rb") as file:
            if case.get("kept") and file.read() != text:
                failures.append(f"{name}: the presses changed the file")
    return judge


def queue_defaults(stem, work):
    """The defaults as the first presses write them, byte for byte; natively also where the ANSI
    code page is UTF-8 and on an English system, where the file must come out the same (the
    English system's file is listed on 932, as its locale's words differ)."""
    pages = [[]] if stem.windows else [[], ["--code-page", "65001"], ["--code-page", "1252"]]
    checks = []
    for options in pages:
        folder = os.path.join(work, "defaults" + "".join(options))
        os.makedirs(folder)
        queue_presses(stem, folder, DEFAULT_ROWS, *options)
        path = os.path.join(folder, "StemraTime.ini")
        listed = [] if "1252" in options else options
        checks.append((path, stem.queue("check", stem.path(path), "--at", AT, *listed)))

    def judge(expect, failures):
        files = []
        for path, check in checks:
            out = stem.text(check)
            rows, _, warnings = parse_report(out)
            compare_rows("defaults", expect, rows, DEFAULT_ROWS, failures)
            if warnings or "No warnings." not in out:
                failures.append(f"defaults: warnings {warnings}")
            with open(path, "rb") as file:
                files.append(file.read())
        written = b"".join(default_settings.section_bytes(section) for section in DEFAULT_ROWS)
        if any(file != written for file in files):
            failures.append(f"defaults: the files are not the defaults' bytes: {files!r}")
    return judge


# A byte-order mark makes the file UTF-8 or UTF-16 of either byte order; a NUL byte ends what
# the lines can carry.
def queue_encodings(stem, work):
    path = os.path.join(work, "utf8.ini")
    with open(path, "wb") as file:
        file.write(b"\xef\xbb\xbf[DateFormat]\r\nItem01=yyyy\xe5\xb9\xb4\r\nItem02=d\x00d\r\n")
    check = stem.queue("check", stem.path(path), "--at", AT)
    big_endian = os.path.join(work, "utf16be.ini")
    with open(big_endian, "wb") as file:
        file.write("\ufeff[DateFormat]\r\nItem01=yyyy年\r\n".encode("utf-16-be"))
    check_big_endian = stem.queue("check", stem.path(big_endian), "--at", AT)

    def judge(expect, failures):
        out = stem.text(check)
        rows, notes, warnings = parse_report(out)
        read = [["Item01", "yyyy年", "2026年"], ["Item02", "d", "7"]]
        if "(UTF-8" not in out.split("\n")[0] or rows.get("DateFormat") != read:
            failures.append(f"utf8: {out!r}")
        if [line for line, _ in warnings] != [3] or "holds a NUL" not in warnings[0][1]:
            failures.append(f"utf8: warnings {warnings}")
        if not any("never write this file" in note for note in notes.get("TimeFormat", [])):
            failures.append(f"utf8: notes {notes}")
        out = stem.text(check_big_endian)
        rows, _, warnings = parse_report(out)
        if "(UTF-16BE" not in out.split("\n")[0] or warnings \
                or rows.get("DateFormat") != [["Item01", "yyyy年", "2026年"]]:
            failures.append(f"utf16be: {out!r}")
    return judge


def queue_bad_arguments(stem, work):
    missing = stem.path(os.path.join(work, "missing.ini"))
    bad = [["check", missing], ["check", missing, missing],
           ["check", missing, "--at", "2026-12-07T13:05"], ["press", "date"]]
    bad_places = [stem.queue(*arguments) for arguments in bad]
    # A missing file: what the first press does with it, in a folder that exists and in one
    # that does not, which may be a typing mistake, named before any other advice.
    nowhere = stem.path(os.path.join(work, "no-folder", "StemraTime.ini"))
    notes = [(stem.queue("check", path), says)
             for path, says in ((missing, "the first press creates it"),
                                (nowhere, nowhere[:-len("StemraTime.ini") - 1] +
                                 " does not exist (is the path typed right?); where it is the "
                                 "plug-in folder, each press uses the defaults"))]
    # Without FILE, where the editor names no plug-in folder: the file beside the program, which
    # no press reads, and why stem looked there.
    default_place = stem.queue("check", "--at", AT)
    help_place = stem.queue("--help")

    def judge(expect, failures):
        for arguments, place in zip(bad, bad_places):
            result = stem.result(place)
            lines = result.stderr.decode("utf-8", "replace").splitlines()
            if result.returncode != 2 or result.stdout or len(lines) != 1:
                failures.append(f"{arguments}: status {result.returncode}, "
                                f"out {result.stdout!r}, err {result.stderr!r}")
        for place, says in notes:
            said = stem.result(place).stderr.decode("utf-8", "replace")
            if says not in said:
                failures.append(f"check {stem.queued[place]}: {said!r} does not say {says!r}")
        result = stem.result(default_place)
        said = result.stderr.decode("utf-8", "replace")
        beside = os.path.dirname(os.path.abspath(stem.command[-1]))
        named = stem.path(os.path.join(beside, "StemraTime.ini"))
        if result.returncode != 2 or f"no settings file at {named}, beside stem itself, as the " \
                "editor names no plug-in folder in the registry" not in said \
                or "stem check FILE" not in said:
            failures.append(f"check without FILE: status {result.returncode}, {said!r}")
        help_text = stem.text(help_place)
        if "stem check [FILE]" not in help_text or "Example: stem check " not in help_text:
            failures.append("--help does not explain check")
    return judge


def check_registry_folder(stem, work, failures):
    """Under Windows, where the editor's registry value names a plug-in folder: press without
    --folder writes its defaults there, and check without FILE reads that file, both saying
    why there. The value is taken away again, and stem then looks beside itself."""
    folder = os.path.join(work, "registry-folder")
    os.makedirs(folder)
    key = r"HKCU\Software\EmSoft\EmEditor v3\Common"
    reg = stem.command[:-1] + ["reg"]
    subprocess.run(reg + ["add", key, "/v", "PlugInsFolder", "/t", "REG_SZ", "/d",
                          stem.path(folder), "/f"], capture_output=True, check=True)
    try:
        results = run_batch(stem.command, True, [["press", "time", "--at", AT],
                                                 ["check", "--at", AT]])
    finally:
        subprocess.run(reg + ["delete", key, "/v", "PlugInsFolder", "/f"], capture_output=True)
    named = "settings file: " + stem.path(os.path.join(folder, "StemraTime.ini"))
    why = "in the plug-in folder that the editor names in the registry"
    for words, result in zip(["press", "check"], results):
        out = result.stdout.decode("utf-8", "replace")
        if result.returncode != 0 or named not in out or why not in out:
            failures.append(f"{words} with the registry's folder: status {result.returncode}, "
                            f"{out[-300:]!r}, err {result.stderr!r}")


def main():
    windows, command = program_command(__doc__)
    stem = Stem(command, windows)
    failures = []
    with tempfile.TemporaryDirectory() as work:
        expect = Expectations(stem)
        cases = {"key-traps": KEY_TRAPS, "section-traps": SECTION_TRAPS,
                 "bracket-value": BRACKET_VALUE, "pattern-traps": PATTERN_TRAPS,
                 "name-traps": NAME_TRAPS, "commented-section": COMMENTED_SECTION,
                 "clean": CLEAN}
        judges = [queue_case(name, case, stem, work) for name, case in cases.items()]
        judges += [queue_defaults(stem, work), queue_encodings(stem, work),
                   queue_bad_arguments(stem, work)]
        stem.run_queued()
        for judge in judges:
            judge(expect, failures)
        if windows:
            check_registry_folder(stem, work, failures)
        # One real start: a report on standard output and the exit status of the process.
        direct = stem.run("check", stem.path(os.path.join(work, "clean", "StemraTime.ini")),
                          "--at", AT)
        if direct.returncode != 0 or direct.stderr or not direct.stdout.startswith(b"settings file: "):
            failures.append(f"check: status {direct.returncode}, err {direct.stderr!r}")
    for failure in failures:
        print(failure, file=sys.stderr)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
