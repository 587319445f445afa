#!/usr/bin/env python3
"""Checks the release archive as a user gets it: the file list, all in one top folder, the
licence among them as the repository holds it; per folder the machine, exports,
imports, resources and version of both DLLs; that the DLLs load and run a whole press cycle, the
32-bit ones under 32-bit Wine and the 64-bit ones under 64-bit Wine; that stem.exe runs and that
its first presses write exactly the sample settings file; that the readmes and change histories
are UTF-8 with a byte-order mark and CR LF, the readmes listing every token the formatter knows,
agreeing section by section, and quoting only lines that stem check prints and commands that
answer --help; and that packing again gives the same bytes.

Usage: dist_check.py [ARCHIVE]   (default: the archive `make dist` writes)
"""
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests"))
sys.path.insert(0, str(ROOT / "tools"))
import dll_shape  # noqa: E402
import make_dist  # noqa: E402
import plugins  # noqa: E402
from program_runner import run_batch, windows_path  # noqa: E402
from stem_cli_check import listed_tokens  # noqa: E402

WINE = str(ROOT / "cmake/wine-run.sh")
WINE_SERVER = str(ROOT / "cmake/wine-server.sh")
FOLDERS = {"x86": ("i386", ROOT / "build/win32"), "x64": ("amd64", ROOT / "build/win64")}
# The files inside the archive's top folder, in archive order.
FILES = (["%s/%s" % (folder, program) for folder in FOLDERS for program in make_dist.PROGRAMS]
         + [plugins.SETTINGS_FILE, "README-ja.txt", "README-en.txt", "CHANGES-ja.txt",
            "CHANGES-en.txt", make_dist.LICENSE_NAME])
README_NAMES = ["README-ja.txt", "README-en.txt"]
USER_TEXTS = README_NAMES + ["CHANGES-ja.txt", "CHANGES-en.txt"]
# Settings files (Shift-JIS unless given as bytes) whose stem check at GUIDE_MOMENT prints the
# lines the readmes' troubleshooting quotes; None: no file, in a folder that exists or not.
GUIDE_MOMENT = "2026-12-07T13:05:09"
GUIDE_CASES = {
    "no-item01.ini": "[DateFormat]\nItem02=yyyy\n",
    "item1.ini": "[DateFormat]\nItem1=yyyy\n",
    "empty.ini": "[DateFormat]\nItem01=\n",
    "mistyped.ini": "[DateFromat]\nItem01=yyyy\n",
    "minutes.ini": "[TimeFormat]\nItem01=hh:mm\n",
    "other-programs.ini": "[DateFormat]\nItem01=YYYY/MM/DD\n",
    "full-width.ini": "[DateFormat]\nItem01=ａａａａ\n",
    "calendar-time.ini": "[TimeFormat]\nItem01=Calendar1\n",
    "escaped-nul.ini": "[TimeFormat]\nItem01=hh\\0nn\n",
    "mixed.ini": "[DateFormat]\nItem01=yyyy年mm月dd日\n".encode("utf-8")
                 + "[TimeFormat]\nItem01=hh時nn分\n".encode("cp932"),
    "bracket.ini": "[DateFormat]\nItem01=[yyyy/mm/dd]\n",
    "calendar.ini": "[DateFormat]\nItem01=calendar1\n",
    "blank.ini": "[DateFormat]\nItem01= yyyy\n",
    "missing.ini": None,
    "no-folder/StemraTime.ini": None,
}
# The end-to-end host's tests that load both DLLs and press through every default pattern.
PRESS_CYCLE_TESTS = "EachDll/LoadedPlugin.*:DefaultCycle.*"

problems = []


def fail(problem):
    problems.append(problem)
    print("FAIL: " + problem)


def run_windows(arguments, cwd=None):
    return subprocess.run([WINE] + [str(a) for a in arguments], cwd=cwd, capture_output=True,
                          timeout=120)


def check_programs(folder, machine, build, sample):
    for name in plugins.NAMES:
        for problem in dll_shape.check(folder / (name + ".dll"), name, machine):
            fail("%s/%s.dll: %s" % (folder.name, name, problem))
    stem = folder / "stem.exe"
    if dll_shape.PeFile(stem.read_bytes()).machine != dll_shape.MACHINES[machine]:
        fail("%s/stem.exe is not built for %s" % (folder.name, machine))

    with tempfile.TemporaryDirectory() as plugin_folder:
        presses = [["press", plugin, "--folder", windows_path(plugin_folder), "--at",
                    make_dist.PRESS_MOMENT] for plugin in plugins.WORDS]
        rendered = run_batch([WINE, str(stem)], True,
                             [["render", "yyyy/mm/dd(aaa) hh:nn", "--at", "2026-12-07T13:05:09"]]
                             + presses)[0]
        if rendered.returncode != 0 or rendered.stdout != "2026/12/07(月) 13:05\n".encode():
            fail("%s/stem.exe render printed %r (status %d)"
                 % (folder.name, rendered.stdout, rendered.returncode))
        written = Path(plugin_folder) / make_dist.SETTINGS_NAME
        if not written.exists() or written.read_bytes() != sample:
            fail("%s/stem.exe's first presses do not write the sample settings file" % folder.name)

    # The end-to-end host beside the archive's DLLs loads those, not the build's.
    host = folder / "PluginHostTests.exe"
    shutil.copy(build / host.name, host)
    result = run_windows([host, "--gtest_filter=" + PRESS_CYCLE_TESTS], cwd=folder)
    output = result.stdout.decode(errors="replace")
    if result.returncode != 0 or not cycle_complete(re.findall(r"\[       OK \] (\S+)", output)):
        fail("%s: the DLLs did not complete the press cycle:\n%s" % (folder.name, output))


def cycle_complete(passed):
    """Each DLL of the list passed the same tests of the loaded plug-in, at least one, and the
    default cycle passed at least one test."""
    per_plugin = [{test.rsplit("/", 1)[0] for test in passed if test.endswith("/" + name)}
                  for name in plugins.NAMES]
    return (all(per_plugin) and all(tests == per_plugin[0] for tests in per_plugin)
            and any(test.startswith("DefaultCycle.") for test in passed))
    host.unlink()


def formatter_tokens():
    """The tokens as the program says them (`stem tokens` of the native build)."""
    result = subprocess.run([str(ROOT / "build/native/stem"), "tokens"], capture_output=True,
                            check=True)
    return result.stdout.decode("utf-8").splitlines()


def user_text(name, data, version):
    """The text of a file for users, once its form is checked: UTF-8 with a byte-order mark, CR
    LF, the version in its title."""
    if not data.startswith(b"\xef\xbb\xbf"):
        fail(name + " has no UTF-8 byte-order mark")
    if data.count(b"\n") != data.count(b"\r\n") or data.count(b"\r") != data.count(b"\r\n"):
        fail(name + " has line ends other than CR LF")
    text = data.decode("utf-8-sig").replace("\r\n", "\n")
    if version not in text.splitlines()[0] or "@VERSION@" in text:
        fail(name + " does not name version " + version + " in its title")
    return text


def check_readme(name, text):
    listed = listed_tokens(text)
    known = formatter_tokens()
    if sorted(listed) != sorted(known):
        fail("%s lists tokens %s; the formatter knows %s"
             % (name, sorted(set(listed) - set(known)) or "none else",
                sorted(set(known) - set(listed)) or "no others"))


def sections(text):
    """The numbers of a readme's sections: a line "N. Title" over a line of dashes."""
    lines = text.splitlines()
    return [re.match(r"(\d+)\. ", line).group(1) for line, under in zip(lines, lines[1:])
            if re.match(r"\d+\. ", line) and re.fullmatch(r"-{3,}", under)]


def quoted_checks(text):
    """The lines of stem check a readme quotes: "stem check: TEXT" on a line of its own."""
    return re.findall(r"^ +stem check: (.+)$", text, re.MULTILINE)


def check_guides_agree(texts):
    ja, en = (texts[name] for name in README_NAMES)
    if sections(ja) != sections(en) or not sections(en):
        fail("the readmes' sections differ: ja %s, en %s" % (sections(ja), sections(en)))
    if quoted_checks(ja) != quoted_checks(en):
        fail("the readmes quote other stem check lines: ja %s, en %s"
             % (quoted_checks(ja), quoted_checks(en)))


def check_guides_against_stem(command, windows, texts):
    """Every stem check line the readmes quote is one stem check prints for the case it
    describes, and every stem command they name answers --help. The command starts stem; with
    windows, a Windows one under Wine."""
    with tempfile.TemporaryDirectory() as folder:
        commands = []
        for name, content in GUIDE_CASES.items():
            path = Path(folder) / name
            if content is not None:
                data = content if isinstance(content, bytes) else content.encode("cp932")
                path.write_bytes(data.replace(b"\n", b"\r\n"))
            commands.append(["check", windows_path(path) if windows else str(path), "--at",
                             GUIDE_MOMENT])
        named = sorted({name for text in texts.values()
                        for name in re.findall(r"\bstem ([a-z]+)\b", text)})
        # A batch runs no batch: the help of batch is asked for by a start of its own.
        commands += [[name, "--help"] for name in named if name != "batch"]
        results = run_batch(command, windows, commands)
        if "batch" in named:
            results.append(subprocess.run(command + ["batch", "--help"], capture_output=True,
                                          timeout=120))
            named = [name for name in named if name != "batch"] + ["batch"]
    printed = b"".join(r.stdout + r.stderr for r in results[:len(GUIDE_CASES)]).decode()
    for line in sorted({line for text in texts.values() for line in quoted_checks(text)}):
        if line not in printed:
            fail("the readmes quote %r, which stem check does not print" % line)
    for name, result in zip(named, results[len(GUIDE_CASES):]):
        if result.returncode != 0 or not re.match(rb"stem %s\b" % name.encode(), result.stdout):
            fail("the readmes name stem %s, which has no help (status %d, %r)"
                 % (name, result.returncode, result.stderr))


def main():
    archive = Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "dist" / make_dist.archive_name()
    version = make_dist.version()
    top = make_dist.top_folder() + "/"
    with zipfile.ZipFile(archive) as opened:
        names = opened.namelist()
        if names != [top + name for name in FILES]:
            fail("the archive holds %s" % names)
        contents = {name[len(top):]: opened.read(name) for name in names if name.startswith(top)}
    if contents.get(make_dist.LICENSE_NAME) != make_dist.license_text() \
            or b"The Stemra-Stemko developers" not in contents.get(make_dist.LICENSE_NAME, b""):
        fail("%s is not the repository's licence" % make_dist.LICENSE_NAME)

    sample = contents.get(plugins.SETTINGS_FILE, b"")
    headers = [b"[%s]\r\n" % plugin["section"].encode("ascii") for plugin in plugins.PLUGINS]
    if not sample.startswith(headers[0]) or not all(header in sample for header in headers):
        fail("the sample settings file does not hold every plug-in's section with CR LF")
    texts = {name: user_text(name, contents.get(name, b""), version) for name in USER_TEXTS}
    for name in README_NAMES:
        check_readme(name, texts[name])
        if make_dist.LICENSE_NAME not in texts[name]:
            fail("%s does not name %s" % (name, make_dist.LICENSE_NAME))
    check_guides_agree(texts)
    for name in ("CHANGES-ja.txt", "CHANGES-en.txt"):
        if version not in texts[name].splitlines()[1:]:
            fail("%s has no entry for version %s" % (name, version))

    with tempfile.TemporaryDirectory() as unpacked:
        for name, data in contents.items():
            (Path(unpacked) / name).parent.mkdir(parents=True, exist_ok=True)
            (Path(unpacked) / name).write_bytes(data)
        # One Wine server for all the Windows programs of the check.
        subprocess.run([WINE_SERVER, "start"], check=True)
        try:
            for folder, (machine, build) in FOLDERS.items():
                check_programs(Path(unpacked) / folder, machine, build, sample)
            check_guides_against_stem([WINE, str(Path(unpacked) / "x86/stem.exe")], True,
                                      {name: texts[name] for name in README_NAMES})
        finally:
            subprocess.run([WINE_SERVER, "stop"], check=True)

    with tempfile.TemporaryDirectory() as again:
        repacked = Path(again) / archive.name
        make_dist.write_archive(repacked)
        if repacked.read_bytes() != archive.read_bytes():
            fail("packing again gives other bytes")

    if problems:
        sys.exit(1)
    print("%s: %d files, both folders load, press and run; readmes list all %d tokens and agree"
          % (archive.name, len(names), len(formatter_tokens())))


if __name__ == "__main__":
    main()
