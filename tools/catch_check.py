#!/usr/bin/env python3
"""Fails where what the DLLs are built from catches a standard exception type by name. In the
DLLs the standard library's errors are all one type of the runtime shim's (dllruntime/README.md),
so such a catch passes every native test and never matches in the editor.

Usage: catch_check.py SOURCE_ROOT FOLDER...
The folders (below the root) are those of the DLLs' own sources and of every layer they link;
the build names them.
"""
import re
import sys
from pathlib import Path

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
    layers = sys.argv[2:]
    if not layers or any(not (root / layer).is_dir() for layer in layers):
        print("usage: catch_check.py SOURCE_ROOT FOLDER... (folders that exist below the root)")
        sys.exit(2)
    found = []
    for layer in layers:
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
              "one type (dllruntime/README.md); catch the project's own errors, or ...")
        sys.exit(1)
    print("nothing the DLLs are built from (%s) catches a standard exception type by name"
          % ", ".join(layers))


if __name__ == "__main__":
    main()
