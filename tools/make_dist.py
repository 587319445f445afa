#!/usr/bin/env python3
"""Packs what a user downloads: dist/Stemra-Stemko-<version>.zip, whose one folder
Stemra-Stemko-<version>/ holds the 32-bit DLLs and stem.exe under x86/, the 64-bit ones under
x64/, the default settings file, the readmes, the change histories and the licence, so that
extracting it where it lies makes one folder.

The archive is the same byte for byte whenever the same built files go in: its entries are in
a fixed order, with the commit's time and no owner or permissions of this machine.

Usage: make_dist.py [OUTPUT.zip]   (default: dist/Stemra-Stemko-<version>.zip)
"""
import os
import subprocess
import sys
import tempfile
import time
import zipfile
from pathlib import Path

import plugins

ROOT = Path(__file__).resolve().parent.parent
PROGRAMS = [name + ".dll" for name in plugins.NAMES] + ["stem.exe"]
FOLDERS = {"x86": ROOT / "build/win32", "x64": ROOT / "build/win64"}
LANGUAGES = ["ja", "en"]
# The texts for users from release/, each in every language: the guide and the change history.
TEXTS = ["README", "CHANGES"]
SETTINGS_NAME = plugins.SETTINGS_FILE
# The licence, as the archive names it beside the readmes.
LICENSE_NAME = "LICENSE.txt"
# A moment for the presses that write the default settings; the file does not depend on it.
PRESS_MOMENT = "2026-01-01T00:00:00"


def version():
    return (ROOT / "VERSION").read_text(encoding="ascii").strip()


def top_folder():
    """The one folder at the top of the archive."""
    return "Stemra-Stemko-%s" % version()


def archive_name():
    return top_folder() + ".zip"


def default_settings():
    """The settings file as the first presses of each plug-in, in the list's order, write it,
    made by the native stem with the plug-ins' own code."""
    stem = ROOT / "build/native/stem"
    with tempfile.TemporaryDirectory() as folder:
        for plugin in plugins.WORDS:
            subprocess.run([str(stem), "press", plugin, "--folder", folder, "--at", PRESS_MOMENT],
                           check=True, stdout=subprocess.DEVNULL)
        return (Path(folder) / SETTINGS_NAME).read_bytes()


def user_text(name):
    """A text for users as Notepad shows it right: UTF-8 with a byte-order mark, lines ended by
    CR LF, the version in place of @VERSION@."""
    text = (ROOT / "release" / name).read_text(encoding="utf-8")
    text = text.replace("@VERSION@", version())
    return b"\xef\xbb\xbf" + text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def license_text():
    """The licence of the repository, lines ended by CR LF as Notepad shows them."""
    text = (ROOT / "LICENSE").read_text(encoding="ascii")
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("ascii")


def commit_time():
    """The time of the commit being packed (zip times start at 1980)."""
    try:
        seconds = int(subprocess.run(["git", "-C", str(ROOT), "log", "-1", "--format=%ct"],
                                     check=True, capture_output=True, text=True).stdout)
    except (OSError, ValueError, subprocess.CalledProcessError):
        seconds = 0
    return time.gmtime(max(seconds, 315532800))[:6]


def entries():
    """(name inside the top folder, bytes) for every file, in archive order."""
    result = []
    for folder, build in FOLDERS.items():
        for program in PROGRAMS:
            result.append(("%s/%s" % (folder, program), (build / program).read_bytes()))
    result.append((SETTINGS_NAME, default_settings()))
    for text in TEXTS:
        for language in LANGUAGES:
            name = "%s-%s.txt" % (text, language)
            result.append((name, user_text(name)))
    result.append((LICENSE_NAME, license_text()))
    return result


def write_archive(path):
    stamp = commit_time()
    path.parent.mkdir(parents=True, exist_ok=True)
    partial = path.with_name(path.name + ".partial")
    with zipfile.ZipFile(partial, "w") as archive:
        for name, data in entries():
            info = zipfile.ZipInfo("%s/%s" % (top_folder(), name), date_time=stamp)
            info.create_system = 0  # MS-DOS: no Unix owner or permissions
            info.external_attr = 0
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)
    os.replace(partial, path)


def main():
    path = Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "dist" / archive_name()
    write_archive(path)
    print(path)


if __name__ == "__main__":
    main()
