#!/usr/bin/env python3
"""Fails where a layer the DLLs link catches a standard exception type by name. In the DLLs the
standard library's errors are all one type of the runtime shim's (platform/win32/dll/README.md),
so such a catch passes every native test and never matches in the editor.

Usage: catch_check.py SOURCE_ROOT
"""
import re
import sys
from pathlib import Path

import plugins

SHARED_LAYERS = (["base", "platform", "MyLibrary", "plugin"]
                 + [plugin["folder"] for plugin in plugins.PLUGINS])
STANDARD_ERRORS = ("exception|bad_alloc|bad_array_new_length|bad_cast|bad_typeid|bad_exception|"
                   "bad_function_call|bad_optional_access|bad_variant_access|bad_weak_ptr|"
                   "logic_error|domain_error|invalid_argument|length_error|out_of_range|"
                   "runtime_error|range_error|overflow_error|underflow_error|system_error|"
                   "future_error|regex_error|format_error|filesystem_error|failure|"
                   "nested_exception")
# A catch clause naming one, with or without std:: and const.
CATCH = re.compile(r"\bcatch\s*\(\s*(?:const\s+)?(?:std::|::std::|[\w:]*::)?(?:%s)\b"
                   % STANDARD_ERRORS)


def main():
    root = Path(sys.argv[1])
    found = []
    for layer in SHARED_LAYERS:
        for path in sorted((root / layer).rglob("*")):
            if path.suffix not in (".cpp", ".h"):
                continue
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                if CATCH.search(line):
                    found.append("%s:%d: %s" % (path.relative_to(root), number, line.strip()))
    for line in found:
        print(line)
    if found:
        print("a standard exception type caught by name: in the DLLs the library's errors are "
              "one type (platform/win32/dll/README.md); catch the project's own errors, or ...")
        sys.exit(1)
    print("no layer the DLLs link catches a standard exception type by name")


if __name__ == "__main__":
    main()
