#!/usr/bin/env python3
"""Lists the functions of the library and plug-in layers that neither DLL nor stem reaches,
from the maps of their native links (CMake's *Reach targets: every object of the two layers
pulled in, every function in a section of its own, unreachable sections discarded). Fails on
any function not in the allow-list below, and on an allow-list entry that is reached again.

Usage: unused_functions.py MAP [MAP ...]
"""
import re
import subprocess
import sys

# Functions kept although no deliverable calls them, each with its reason. Keep it short: a
# function earns its place by being the one definition of a rule that something uses.
ALLOWED = {
    # The version-name builder as a function of the version records: the tests name every
    # Windows release through it, with the facts that system would give.
    "stem::BuildWindowsVersionName[abi:cxx11](stem::platform::VersionFacts const&)":
        "the version name of any system, for the tests",
}

LAYERS = re.compile(r"libstem(lib|plugin)\.a\(")
SPECIAL_MEMBER = re.compile(r"(?:^|::)(~?)(\w+)::~?\2\(")
SECTION = re.compile(r"^ \.text\.(?:(?:unlikely|startup|hot|exit)\.)?(\S+)(.*)$")


def sections(map_path):
    """The function sections of the two layers in the map: (discarded, kept) mangled names."""
    discarded, kept = set(), set()
    target = None
    with open(map_path, encoding="utf-8", errors="replace") as lines:
        pending = None  # a section name whose object is on the next line
        for line in lines:
            if line.startswith("Discarded input sections"):
                target = discarded
            elif line.startswith("Linker script and memory map"):
                target = kept
            if target is None:
                continue
            found = SECTION.match(line)
            if found:
                pending = found.group(1)
                rest = found.group(2)
                if not rest.strip():
                    continue
            elif pending is None:
                continue
            else:
                rest = line
            if LAYERS.search(rest):
                target.add(pending)
            pending = None
    return discarded, kept


def demangled(names):
    result = subprocess.run(["c++filt"], input="\n".join(names), capture_output=True,
                            text=True, check=True)
    return result.stdout.splitlines()


def main():
    maps = sys.argv[1:]
    if not maps:
        sys.exit(__doc__)
    unreached = None
    for map_path in maps:
        discarded, kept = sections(map_path)
        if not kept:
            sys.exit(f"{map_path}: no function of the library or plug-in layers is kept")
        # By demangled name: a constructor or destructor has several symbols, one per variant.
        here = set(demangled(sorted(discarded))) - set(demangled(sorted(kept)))
        unreached = here if unreached is None else unreached & here
    # Constructors and destructors are left out: the compiler writes the simplest ones in place
    # of a call, so their own copies are discarded even where they are used. A class that nothing
    # uses shows in its other members.
    names = sorted(name for name in unreached
                   if name.startswith("stem::") and not SPECIAL_MEMBER.search(name))
    unexpected = [name for name in names if not any(name.startswith(a) for a in ALLOWED)]
    reached = [a for a in ALLOWED if not any(name.startswith(a) for name in names)]
    for name in unexpected:
        print(f"reached by no DLL nor stem: {name}")
    for allowed in reached:
        print(f"allowed as unreached, but reached (or gone): {allowed}")
    if unexpected or reached:
        sys.exit(1)
    print(f"every function of the library and plug-in layers is reached "
          f"({len(names)} allowed exceptions)")


if __name__ == "__main__":
    main()
