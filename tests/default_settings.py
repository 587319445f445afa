"""The sections the plug-ins write into a settings file that has none of theirs: one file a
section in tests/fixtures, the bytes a press must write (Shift-JIS, CR LF), shared with the C++
tests."""
from pathlib import Path

FIXTURES = Path(__file__).resolve().parent / "fixtures"


def section_bytes(section):
    """The section's defaults as bytes, its header line first."""
    return (FIXTURES / f"{section}.ini").read_bytes()


def key_lines(section):
    """(key, value as written) of each line under the header."""
    lines = section_bytes(section).decode("cp932").split("\r\n")
    return [tuple(line.split("=", 1)) for line in lines[1:] if line]
