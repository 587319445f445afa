#!/usr/bin/env python3
"""Checks the command-line contract of `stem`: exact output of `render` and `calendar`, bad
arguments ending with one line on stderr and exit status 2, and the help of every command
where a user asks for it, laid out for an 80-column console. The cases run in one start of
`stem batch`; a few of them also run as programs of their own, for the exit status and the
streams of a real start. Then the documents against what stem says of itself: README.md and
the release readmes list every token `stem tokens` prints, and `stem --help` (where stem check
is explained) and the readmes name every rule `stem rules` prints.

Usage: stem_cli_check.py [--windows] [RUNNER ...] STEM
With --windows (stem.exe under Wine), bytes that are not UTF-8, which a Windows command line
cannot carry, reach stem through the batch file only.
"""
import os
import re
import subprocess
import tempfile
import sys
from pathlib import Path

from program_runner import program_command, run_batch, windows_path

AT = "2026-12-06T13:05:09.987"
ROOT = Path(__file__).resolve().parent.parent

# (arguments, expected standard output as bytes)
GOOD = [
    (["render", "yyyy/mm/dd(aaa) hh:nn:ss.zzz", "--at", AT], "2026/12/06(日) 13:05:09.987\n"),
    (["render", "--at=" + AT, "ｙｙｙｙ年ｍ月ｄ日"], "２０２６年１２月６日\n"),
    (["render", "h:nn am/pm", "--at", "2026-12-06T00:30:00"], "0:30 am\n"),
    (["render", "d\"d\"\\t", "--at", AT], "6d\t\n"),
    (["render", "--at", AT, "--", "--d"], "--6\n"),
    (["render", "", "--at", AT], "\n"),
    (["render", "yyyy/mm/dd hh:nn:ss.zzz", "--at", "2026-12-06"], "2026/12/06 00:00:00.000\n"),
    (["render", "\U0001F600 d", "--at", AT], "\U0001F600 6\n"),
    (["calendar", "2", "--at", "2026-02-01T00:00:00"],
     "2026年02月\r\n日  月  火  水  木  金  土\r\n"
     " 1   2   3   4   5   6   7\r\n 8   9  10  11  12  13  14\r\n"
     "15  16  17  18  19  20  21\r\n22  23  24  25  26  27  28\r\n"),
]

# The Linux build shows a system whose ANSI code page is UTF-8, and an English one (1252, with
# its locale's words and no Japanese era calendar); stem.exe runs on its system's.
CODE_PAGE_GOOD = [
    (["render", "yyyy年(aaa)", "--code-page", "65001", "--at", AT], "2026年(日)\n"),
    (["render", "--code-page=932", "ggg", "--at", AT], "令和\n"),
    (["render", "yyyy年(aaa) ampm gggee", "--code-page", "1252", "--at", AT],
     "2026年(Sun) PM A.D.26\n"),
]
CODE_PAGE_ON_WINDOWS = [["render", "d", "--code-page", "65001"], ["render", "d", "--code-page=932"],
                        ["render", "d", "--code-page", "1252"]]

BAD = [
    ["render", "d", "--code-page", "936"],
    ["render", "d", "--code-page"],
    ["render", "d", "--code-page", "932", "--code-page=932"],
    ["calendar", "1", "--code-page", "65001"],
    [],
    ["frobnicate"],
    ["render"],
    ["render", "a", "b"],
    ["render", "d", "--at"],
    ["render", "d", "--at", "2026-12-06T13:05"],
    ["render", "d", "--at", "2026-02-30"],
    ["press", "date"],
    ["render", "d", "--at", "2026-02-30T00:00:00"],
    ["render", "d", "--at", "2026-13-01T00:00:00"],
    ["render", "d", "--at", "0000-01-01T00:00:00"],
    ["render", "d", "--at", "2026-12-06T24:00:00"],
    ["render", "d", "--at", "2026-12-06T12:60:00"],
    ["render", "d", "--at", "2026-12-06T12:00:60"],
    ["render", "d", "--at", "2026-12-06T12:00:00.12"],
    ["render", "d", "--at", "2026-12-06 12:00:00"],
    ["render", "d", "--at", "２０２６-12-06T12:00:00"],
    ["render", "d", "--at", AT, "--at", AT],
    ["render", "d", "--when", AT],
    ["calendar"],
    ["calendar", "3"],
    ["calendar", "0"],
    ["calendar", "1", "2"],
    ["calendar", "x", "--at", AT],
]

NOT_UTF8 = [b"render", b"\xff\xfe d"]


def run(command, arguments):
    return subprocess.run(command + arguments, capture_output=True)


def check_press_folder(command, windows, failures):
    """A plug-in folder whose name is not ASCII reaches the plug-ins as the same folder."""
    with tempfile.TemporaryDirectory() as temp:
        folder = os.path.join(temp, "\u65e5\u4ed8")  # 日付
        os.mkdir(folder)
        named = windows_path(folder) if windows else folder
        result = run(command, ["press", "date", "--folder", named, "--at", "2026-12-07T13:05:09"])
        # The file is named as the folder was given, natively not by the stand-in's Z: drive.
        separator = "\\" if windows else "/"
        shown = f"settings file: {named}{separator}StemraTime.ini\n".encode()
        if result.returncode != 0 or not os.path.isfile(os.path.join(folder, "StemraTime.ini")) \
                or not result.stdout.endswith(shown):
            failures.append(f"press --folder {named}: status {result.returncode}, "
                            f"err {result.stderr!r}, files {os.listdir(folder)}")


def check_good(arguments, expected, result, failures):
    if result.returncode != 0 or result.stdout != expected.encode("utf-8") or result.stderr:
        failures.append(f"{arguments}: status {result.returncode}, "
                        f"out {result.stdout!r}, err {result.stderr!r}")


def check_bad(arguments, result, failures):
    lines = result.stderr.decode("utf-8", "replace").splitlines()
    if result.returncode != 2 or result.stdout or len(lines) != 1 or not lines[0]:
        failures.append(f"{arguments}: status {result.returncode}, "
                        f"out {result.stdout!r}, err {result.stderr!r}")


def listed_tokens(text):
    """The tokens a release readme lists: the first column of the table under the line of
    dashes, then the words of the indented paragraph of full-width tokens that follows it."""
    lines = text.splitlines()
    at = next(i for i, line in enumerate(lines) if line.startswith("  --------"))
    tokens = []
    at += 1
    while lines[at].strip():
        tokens.append(lines[at].split()[0])
        at += 1
    while not lines[at].startswith("  "):
        at += 1
    while lines[at].strip():
        tokens.extend(lines[at].split())
        at += 1
    return tokens


def check_token_lists(tokens, failures):
    """The release readmes list every token; README.md's table every half-width one, and the
    full-width forms it names are tokens."""
    for name in ("README-en.txt", "README-ja.txt"):
        listed = listed_tokens((ROOT / "release" / name).read_text(encoding="utf-8-sig"))
        if sorted(listed) != sorted(tokens):
            failures.append(f"{name} lists tokens {sorted(set(listed) - set(tokens))} beyond "
                            f"stem's, lacks {sorted(set(tokens) - set(listed))}")
    readme = (ROOT / "README.md").read_text(encoding="utf-8")
    lines = readme.splitlines()
    at = lines.index(next(line for line in lines if line.startswith("| token |"))) + 2
    table = []
    while lines[at].startswith("| `"):
        table.append(re.findall(r"`([^`]+)`", lines[at].split("|")[1]))
        at += 1
    in_table = {token for cell in table for token in cell}
    full_width = re.search(r"Full-width forms\s*\(([^)]*)\)", readme).group(1)
    named = in_table | set(re.findall(r"`([^`]+)`", full_width))
    missing = [t for t in tokens if t.isascii() and t not in in_table]
    if missing or not named <= set(tokens):
        failures.append(f"README.md's tokens: lacks {missing}, names {sorted(named - set(tokens))} "
                        "that stem does not know")


def documented_rule_count():
    """The items of README.md's list of what stem check warns about: the one under the line
    that names `tools/stem/SettingsCheck.h`, up to the blank line."""
    lines = (ROOT / "README.md").read_text(encoding="utf-8").splitlines()
    start = next(i for i, line in enumerate(lines) if "(`tools/stem/SettingsCheck.h`)" in line)
    end = lines.index("", start + 2)
    return sum(line.startswith("- ") for line in lines[start + 1:end])


def check_rule_names(rules, help_text, failures):
    """Every rule is named in stem's help and README.md and README-en.txt in English, in
    README-ja.txt in Japanese (line breaks and indents aside)."""
    def flat(text):
        return re.sub(r"\s+", "", text)

    documents = [("stem --help", help_text, 0),
                 ("README.md", (ROOT / "README.md").read_text(encoding="utf-8"), 0),
                 ("README-en.txt", (ROOT / "release/README-en.txt").read_text(encoding="utf-8-sig"), 0),
                 ("README-ja.txt", (ROOT / "release/README-ja.txt").read_text(encoding="utf-8-sig"), 1)]
    for line in rules:
        names = line.split("\t")
        for document, text, language in documents:
            if flat(names[language]) not in flat(text):
                failures.append(f"{document} does not name the rule {names[language]!r}")


def check_layout(asked, text, failures):
    """Lines fit 80 columns; under each usage line "stem NAME ...", its text is indented by two
    spaces; an example quotes with double quotes, which every shell takes (cmd.exe no single
    quotes)."""
    in_command = False
    for line in text.splitlines():
        if len(line) > 80:
            failures.append(f"{asked}: a line of {len(line)} columns: {line!r}")
        if line.startswith("stem "):
            in_command = True
        elif in_command and line and not re.match(r"  \S", line):
            failures.append(f"{asked}: not indented by two spaces: {line!r}")
        in_command = in_command and bool(line)
        if line.startswith("  Example: ") and "'" in line:
            failures.append(f"{asked}: an example with single quotes: {line!r}")


def command_names(result, windows, failures):
    """The commands the help lists, each explained with an example; render, calendar and
    batch among them. stem.exe offers no option that it refuses: --code-page is the Linux
    build's."""
    text = result.stdout.decode("utf-8", "replace")
    if ("--code-page" in text) == windows:
        failures.append(f"--help {'offers' if windows else 'does not offer'} --code-page")
    names = re.findall(r"^stem (\w+)\b", text, re.MULTILINE)
    for name in set(names) | {"render", "calendar", "batch", "tokens", "rules"}:
        if name not in names or not re.search(rf"Example: stem {name}\b", text):
            failures.append(f"--help does not explain {name}")
    if result.returncode != 0:
        failures.append(f"--help: status {result.returncode}")
    check_layout("--help", text, failures)
    return names


def check_command_helps(command, windows, names, failures):
    """Each command's --help (or -h or /?, wherever it stands before "--") prints its own help
    and exits 0; --version prints the version in the file VERSION. A batch runs no batch, so the
    help of batch is asked for by a start of its own."""
    asked = [[name, "--help"] for name in names if name != "batch"]
    asked += [["check", "x.ini", "-h"], ["press", "/?"], ["batch", "--help"], ["--version"]]
    results = run_batch(command, windows, asked[:-2] + asked[-1:])
    results[-1:-1] = [run(command, asked[-2])]
    for words, result in zip(asked[:-1], results):
        text = result.stdout.decode("utf-8", "replace")
        if result.returncode != 0 or result.stderr or not re.match(rf"stem {words[0]}\b", text):
            failures.append(f"{words}: status {result.returncode}, out {text[:60]!r}, "
                            f"err {result.stderr!r}")
        check_layout(words, text, failures)
    version = (Path(__file__).resolve().parent.parent / "VERSION").read_text().strip()
    if results[-1].returncode != 0 or results[-1].stdout != f"stem {version}\n".encode():
        failures.append(f"--version: status {results[-1].returncode}, {results[-1].stdout!r}")


def main():
    windows, command = program_command(__doc__)
    failures = []
    good = GOOD + ([] if windows else CODE_PAGE_GOOD)
    bad = BAD + (CODE_PAGE_ON_WINDOWS if windows else [])
    bad = [[a.encode("utf-8") for a in arguments] for arguments in bad] + [NOT_UTF8]
    results = run_batch(command, windows, [arguments for arguments, _ in good] + bad + [["--help"]]
                        + [["/?"], ["tokens"], ["rules"]])
    windows_help, tokens, rules = results[-3:]
    results = results[:-3]
    if windows_help.stdout != results[-1].stdout or windows_help.returncode != 0:
        failures.append(f"stem /? does not print the help: status {windows_help.returncode}")
    for (arguments, expected), result in zip(good, results):
        check_good(arguments, expected, result, failures)
    for arguments, result in zip(bad, results[len(good):]):
        check_bad(arguments, result, failures)
    check_command_helps(command, windows, command_names(results[-1], windows, failures),
                        failures)
    check_token_lists(tokens.stdout.decode("utf-8").splitlines(), failures)
    rule_lines = rules.stdout.decode("utf-8").splitlines()
    documented = documented_rule_count()
    if len(rule_lines) != documented:
        failures.append(f"stem rules printed {len(rule_lines)} rules, README.md lists "
                        f"{documented}: {rule_lines}")
    check_rule_names(rule_lines, results[-1].stdout.decode("utf-8"), failures)

    # Real starts: the exit status and the streams of the process itself, and words that come
    # through the system's command line.
    check_good(GOOD[1][0], GOOD[1][1], run(command, GOOD[1][0]), failures)
    check_bad(BAD[1], run(command, BAD[1]), failures)
    if not windows:
        check_bad(NOT_UTF8, run(command, NOT_UTF8), failures)
    check_press_folder(command, windows, failures)

    for failure in failures:
        print(failure, file=sys.stderr)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
