#!/usr/bin/env python3
"""Checks the shape of the built plug-in DLLs without running them: exports by name with
ordinals 1 to 7 in order, imports from system DLLs only, and the resources (Japanese string
table entries 1 and 2, bitmap 101 of 808 bytes, the version in the file VERSION with a fourth
part 0, and only "FileVersion"), the machine the DLLs are built for, and their size. A 32-bit DLL
must carry the frame tables its runtime shim searches, under the name a stripped image gives them,
with every address in them stored absolute or relative to where it is stored
(dllruntime/README.md).

Usage: dll_shape.py FOLDER [i386|amd64]   (reads FOLDER/<plug-in>.dll for each in plugins.json)
"""
import struct
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tools"))
import plugins  # noqa: E402

EXPORTS = ["OnCommand", "QueryStatus", "OnEvents", "GetMenuTextID", "GetStatusMessageID",
           "GetBitmapID", "PlugInProc"]
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "advapi32.dll", "shell32.dll", "msvcrt.dll",
               "ntdll.dll", "gdi32.dll", "ole32.dll"}
TEXTS = {plugin["name"]: (plugin["menuText"], plugin["statusMessage"]) for plugin in plugins.PLUGINS}
RT_STRING, RT_BITMAP, RT_VERSION = 6, 2, 16
MACHINES = {"i386": 0x14C, "amd64": 0x8664}
# The most bytes a DLL of each machine may take. What the DLLs link is what they use: a piece of
# the runtime that comes back (a printf, a second string type, a thread library) fails here.
SIZE_CEILINGS = {0x14C: 160_000, 0x8664: 200_000}
VERSION = (Path(__file__).resolve().parent.parent / "VERSION").read_text(encoding="ascii").strip()
LANG_JAPANESE = 0x411


class PeFile:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        assert data[pe:pe + 4] == b"PE\0\0", "not a PE file"
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(16)]
        self.image_base = struct.unpack_from("<I" if magic == 0x10B else "<Q", data,
                                             optional + (28 if magic == 0x10B else 24))[0]
        self.sections = []
        self.section_names = {}
        table = optional + optional_size
        for i in range(sections):
            name, vsize, vaddr, rsize, raddr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((vaddr, max(vsize, rsize), raddr))
            self.section_names[name.rstrip(b"\0").decode("ascii", "replace")] = (vaddr, vsize)

    def offset(self, rva):
        for vaddr, size, raddr in self.sections:
            if vaddr <= rva < vaddr + size:
                return rva - vaddr + raddr
        raise ValueError("address outside every section: %#x" % rva)

    def cstring(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def exports(self):
        rva, _ = self.directories[0]
        at = self.offset(rva)
        _, _, _, _, _, base, functions, names, _, name_table, ordinal_table = struct.unpack_from("<IIHHIIIIIII", self.data, at)
        result = {}
        for i in range(names):
            name = self.cstring(struct.unpack_from("<I", self.data, self.offset(name_table) + 4 * i)[0])
            index = struct.unpack_from("<H", self.data, self.offset(ordinal_table) + 2 * i)[0]
            result[name] = base + index
        return result, functions

    def imports(self):
        rva, _ = self.directories[1]
        at = self.offset(rva)
        result = []
        while True:
            fields = struct.unpack_from("<IIIII", self.data, at)
            if not any(fields):
                return result
            result.append(self.cstring(fields[3]))
            at += 20

    def resources(self):
        """{(type, id, language): bytes}"""
        rva, _ = self.directories[2]
        root = self.offset(rva)
        found = {}

        def walk(at, path):
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            for i in range(named + ids):
                key, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
                if target & 0x80000000:
                    walk(root + (target & 0x7FFFFFFF), path + [key])
                else:
                    data_rva, size = struct.unpack_from("<II", self.data, root + target)
                    start = self.offset(data_rva)
                    found[tuple(path + [key])] = self.data[start:start + size]

        walk(root, [])
        return found


# How frame tables store an address: the low four bits give its form, the next three what it is
# relative to. The shim gives the unwinder no text or data base, so only absolute (0x00) and
# pc-relative (0x10) addresses can be read.
FORMS = {0x0: "<I", 0x2: "<H", 0x3: "<I", 0x4: "<Q", 0xA: "<h", 0xB: "<i", 0xC: "<q"}
OMITTED = 0xFF


def readable(encoding):
    return encoding & 0x70 in (0x00, 0x10)


class TableReader:
    """Reads forward from an address of a 32-bit image."""

    def __init__(self, pe, rva):
        self.pe, self.rva = pe, rva

    def fixed(self, form):
        value = struct.unpack_from(form, self.pe.data, self.pe.offset(self.rva))[0]
        self.rva += struct.calcsize(form)
        return value

    def leb128(self, signed=False):
        value, shift, byte = 0, 0, 0x80
        while byte & 0x80:
            byte = self.fixed("<B")
            value |= (byte & 0x7F) << shift
            shift += 7
        return value - (1 << shift) if signed and byte & 0x40 else value

    def cstring(self):
        text = self.pe.cstring(self.rva)
        self.rva += len(text) + 1
        return text

    def encoded(self, encoding):
        """The address stored in the given form, as an address of the image."""
        at = self.rva
        form = encoding & 0x0F
        value = self.leb128(form == 0x9) if form in (0x1, 0x9) else self.fixed(FORMS[form])
        return value + self.pe.image_base + at if encoding & 0x70 == 0x10 else value


def frame_table_problems(pe):
    """What the 32-bit shim cannot read in the image's frame tables and handler tables."""
    if ".eh_fram" not in pe.section_names:
        return ["no section .eh_fram: the runtime shim finds no frame tables (is the DLL "
                "stripped?)"]
    start, size = pe.section_names[".eh_fram"]
    encodings, commons, at = set(), {}, start
    while at + 4 <= start + size:
        reader = TableReader(pe, at)
        length = reader.fixed("<I")
        if length == 0:
            break
        back = reader.fixed("<I")
        if back == 0:
            reader.fixed("<B")  # version
            augmentation = reader.cstring()
            reader.leb128(), reader.leb128(True), reader.leb128()
            found = {}
            if augmentation.startswith("z"):
                reader.leb128()
                for letter in augmentation[1:]:
                    if letter in "RL":
                        found[letter] = reader.fixed("<B")
                    elif letter == "P":
                        found[letter] = reader.fixed("<B")
                        reader.encoded(found[letter])
            encodings |= {("frame table " + k, v) for k, v in found.items()}
            commons[at] = (augmentation, found)
        else:
            augmentation, found = commons[at + 4 - back]
            address = found.get("R", 0)
            reader.encoded(address), reader.encoded(address & 0x0F)
            if augmentation.startswith("z"):
                reader.leb128()
            lsda = found.get("L", OMITTED)
            handlers = reader.encoded(lsda) if lsda != OMITTED and readable(lsda) else 0
            if handlers:
                table = TableReader(pe, handlers - pe.image_base)
                for what in ("landing pads", "types", "call sites"):
                    encoding = table.fixed("<B")
                    encodings.add(("handler table " + what, encoding))
                    if what == "landing pads" and encoding != OMITTED:
                        table.encoded(encoding)
                    elif what == "types" and encoding != OMITTED:
                        table.leb128()
        at += 4 + length
    return ["%s stored with encoding %#x, which needs a text or data base" % (what, encoding)
            for what, encoding in sorted(encodings)
            if encoding != OMITTED and not readable(encoding)]


def string_table_entries(block):
    """The 16 counted UTF-16 strings of one string-table block."""
    entries, at = [], 0
    for _ in range(16):
        length = struct.unpack_from("<H", block, at)[0]
        entries.append(block[at + 2:at + 2 + 2 * length].decode("utf-16-le"))
        at += 2 + 2 * length
    return entries


def version_words():
    """The fixed-size version of VERSION: (major << 16 | minor, patch << 16)."""
    major, minor, patch = (int(part) for part in VERSION.split("."))
    return (major << 16 | minor, patch << 16)


def check(dll, name, machine=None):
    problems = []
    data = dll.read_bytes()
    pe = PeFile(data)
    if machine is not None and pe.machine != MACHINES[machine]:
        problems.append("built for machine %#x, not %s" % (pe.machine, machine))
    ceiling = SIZE_CEILINGS.get(pe.machine)
    if ceiling is None or len(data) > ceiling:
        problems.append("%d bytes, more than the %s allowed" % (len(data), ceiling))
    if pe.machine == MACHINES["i386"]:
        problems += frame_table_problems(pe)
    exports, function_count = pe.exports()
    wanted = {n: i + 1 for i, n in enumerate(EXPORTS)}
    if exports != wanted or function_count != 7:
        problems.append("exports %r (%d functions), wanted %r" % (exports, function_count, wanted))
    foreign = [d for d in pe.imports() if d.lower() not in SYSTEM_DLLS and not d.lower().startswith("api-ms-win-")]
    if foreign:
        problems.append("imports non-system DLLs: %s" % ", ".join(foreign))

    resources = pe.resources()
    block = resources.get((RT_STRING, 1, LANG_JAPANESE))
    if block is None:
        problems.append("no Japanese string table block 1")
    else:
        entries = string_table_entries(block)
        if (entries[1], entries[2]) != TEXTS[name]:
            problems.append("string table entries 1 and 2 are %r" % ((entries[1], entries[2]),))
        # The status message is the menu text, a line feed and the short form.
        menu, _, short = entries[2].partition("\n")
        if menu != entries[1] or not short or "\n" in short:
            problems.append("status message %r is not the menu text, a line feed and a short form"
                            % entries[2])
    bitmaps = [v for k, v in resources.items() if k[:2] == (RT_BITMAP, 101)]
    if len(bitmaps) != 1 or len(bitmaps[0]) != 808:
        problems.append("bitmap 101 missing or not 808 bytes")
    else:
        header = struct.unpack_from("<IiiHHI", bitmaps[0], 0)
        if header != (40, 16, 16, 1, 24, 0):
            problems.append("bitmap header %r" % (header,))
    versions = [v for k, v in resources.items() if k[0] == RT_VERSION]
    if len(versions) != 1:
        problems.append("no single version resource")
    else:
        info = versions[0]
        fixed = info.index(struct.pack("<I", 0xFEEF04BD))
        ms, ls = struct.unpack_from("<II", info, fixed + 8)
        if (ms, ls) != version_words():
            problems.append("file version %#x.%#x" % (ms, ls))
        text = info.decode("utf-16-le", errors="replace")
        if "FileVersion\0" not in text or VERSION + ".0\0" not in text:
            problems.append("no FileVersion string %s.0" % VERSION)
        for other in ("CompanyName", "ProductName", "FileDescription", "ProductVersion"):
            if other in text:
                problems.append("unexpected version string %s" % other)
    return problems


def main():
    folder = Path(sys.argv[1])
    machine = sys.argv[2] if len(sys.argv) > 2 else None
    failed = False
    for name in plugins.NAMES:
        problems = check(folder / (name + ".dll"), name, machine)
        for problem in problems:
            print("%s.dll: %s" % (name, problem))
        failed |= bool(problems)
        if not problems:
            print("%s.dll: 7 exports in order, system imports only, resources as expected, "
                  "within its size, frame tables the runtime shim reads" % name)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
