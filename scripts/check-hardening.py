#!/usr/bin/env python3
"""Checks how the shipped 32-bit Windows binaries are hardened, from the
binaries alone (the build's and, with --archive, those in the release
archive). For each binary:

- PE header: DYNAMIC_BASE (ASLR), NX_COMPAT (DEP) and NO_SEH; base
  relocations present and not stripped;
- sections: none both writable and executable, none writable and shared;
  the import table in a section that is not executable;
- no structured exception handler registered: no instruction writes fs:[0]
  (the handler chain's head), nor the TEB's first word reached through its
  self pointer fs:[0x18]; so NO_SEH is true;
- the stack protector: our guard (found in the data by its unseeded value,
  startup/stack_guard_win32.h), checked by protected functions and written
  by the entry point before the C runtime starts;
- version information: CompanyName and the other strings, FILETYPE (VFT_DLL
  or VFT_APP) and FILEVERSION equal to the project version.

Names every binary and what is wrong with it; exit 1 if anything is.

  scripts/check-hardening.py --version X.Y.Z --company NAME [--archive ZIP] BINARY...
"""
import argparse
import os
import re
import struct
import subprocess
import sys
import tempfile
import zipfile

OBJDUMP = "i686-w64-mingw32-objdump"
UNSEEDED_GUARD = 0x2F6B1C8D

DYNAMIC_BASE, NX_COMPAT, NO_SEH = 0x0040, 0x0100, 0x0400
RELOCS_STRIPPED, FILE_DLL = 0x0001, 0x2000
SCN_SHARED, SCN_EXECUTE, SCN_WRITE = 0x10000000, 0x20000000, 0x80000000
SCN_INITIALIZED_DATA = 0x00000040
DIR_IMPORT, DIR_RESOURCE, DIR_BASERELOC, DIR_IAT = 1, 2, 5, 12
RT_VERSION = 16
VFT_APP, VFT_DLL = 1, 2
VERSION_STRINGS = ("CompanyName", "FileDescription", "FileVersion", "InternalName",
                   "OriginalFilename", "ProductName", "ProductVersion")


class Image:
    """The parts of a PE32 file the checks read."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, count, _, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        if struct.unpack_from("<H", data, optional)[0] != 0x10B:
            raise ValueError("not a 32-bit (PE32) image")
        self.entry = struct.unpack_from("<I", data, optional + 16)[0]
        self.image_base = struct.unpack_from("<I", data, optional + 28)[0]
        self.dll_characteristics = struct.unpack_from("<H", data, optional + 70)[0]
        directory_count = struct.unpack_from("<I", data, optional + 92)[0]
        self.directories = [struct.unpack_from("<II", data, optional + 96 + 8 * i)
                            for i in range(directory_count)]
        self.sections = []
        table = optional + optional_size
        for i in range(count):
            name, virtual_size, rva, raw_size, raw_offset = struct.unpack_from(
                "<8sIIII", data, table + 40 * i)
            flags = struct.unpack_from("<I", data, table + 40 * i + 36)[0]
            self.sections.append((name.rstrip(b"\0").decode("ascii", "replace"),
                                  rva, max(virtual_size, raw_size), raw_offset, raw_size, flags))

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def section_of(self, rva):
        for section in self.sections:
            if section[1] <= rva < section[1] + section[2]:
                return section
        return None

    def bytes_at(self, rva, size):
        section = self.section_of(rva)
        if section is None:
            raise ValueError("RVA 0x%x outside every section" % rva)
        offset = section[3] + rva - section[1]
        return self.data[offset:offset + size]


def check_header(image, offences):
    for flag, name in ((DYNAMIC_BASE, "DYNAMIC_BASE"), (NX_COMPAT, "NX_COMPAT"), (NO_SEH, "NO_SEH")):
        if not image.dll_characteristics & flag:
            offences.append("DllCharacteristics lacks %s" % name)
    relocations = image.directory(DIR_BASERELOC)[1]
    if image.characteristics & RELOCS_STRIPPED:
        offences.append("relocations stripped (IMAGE_FILE_RELOCS_STRIPPED)")
    if relocations == 0:
        offences.append("no base relocations")
    return relocations


def check_sections(image, offences):
    for name, _, _, _, _, flags in image.sections:
        if flags & SCN_WRITE and flags & SCN_EXECUTE:
            offences.append("section %s is writable and executable" % name)
        if flags & SCN_WRITE and flags & SCN_SHARED:
            offences.append("section %s is writable and shared" % name)
    for index, what in ((DIR_IMPORT, "import table"), (DIR_IAT, "import address table")):
        rva, size = image.directory(index)
        section = image.section_of(rva) if size else None
        if section is not None and section[5] & SCN_EXECUTE:
            offences.append("%s in executable section %s" % (what, section[0]))


def disassemble(path, *options):
    result = subprocess.run([OBJDUMP, "-d", "--no-show-raw-insn", *options, path],
                            capture_output=True, text=True, check=True)
    # address, mnemonic, operands
    for match in re.finditer(r"^\s*([0-9a-f]+):\t(\S+)\s*([^\n<#]*)", result.stdout, re.M):
        yield int(match.group(1), 16), match.group(2), match.group(3).strip()


def destination(operands):
    """The last operand (AT&T order: the one written), commas in () kept."""
    depth, start = 0, 0
    for i, char in enumerate(operands):
        depth += char == "("
        depth -= char == ")"
        if char == "," and depth == 0:
            start = i + 1
    return operands[start:].strip()


def check_code(path, image, offences):
    """fs:[0] writes and the stack protector, from one disassembly."""
    guard = find_guard(image, offences)
    guard_operand = "0x%x" % guard if guard is not None else None
    entry = image.image_base + image.entry
    checks = seeded = 0
    teb_register, teb_window = None, 0
    for address, mnemonic, operands in disassemble(path):
        target = destination(operands)
        if re.fullmatch(r"%fs:(0x0|0)", target):
            offences.append("touches fs:[0], the exception handler chain, at 0x%x: %s %s"
                            % (address, mnemonic, operands))
        # NtCurrentTeb(): the C runtime reads the stack base at 4 through it;
        # a write at offset 0 would be the handler chain again.
        match = re.fullmatch(r"%fs:0x18,(%e[a-z]{2})", operands) if mnemonic.startswith("mov") else None
        if match:
            teb_register, teb_window = match.group(1), 8
        elif teb_register and teb_window:
            teb_window -= 1
            if target == "(%s)" % teb_register and not mnemonic.startswith(("cmp", "test")):
                offences.append("writes the TEB's exception list through fs:[0x18] at 0x%x" % address)
            if operands.endswith("," + teb_register) or operands == teb_register:
                teb_register = None
        if guard_operand is None or guard_operand not in operands:
            continue
        if mnemonic.startswith(("sub", "xor", "cmp")) and target != guard_operand:
            checks += 1
        if mnemonic.startswith("mov") and target == guard_operand and entry <= address < entry + 0x100:
            seeded += 1
    if guard is not None:
        if checks == 0:
            offences.append("no function checks the stack guard (no -fstack-protector-strong)")
        if seeded == 0:
            offences.append("the entry point does not seed the stack guard")
    return checks


def find_guard(image, offences):
    """The guard's address: the one initialised, writable word holding the unseeded value."""
    pattern = struct.pack("<I", UNSEEDED_GUARD)
    found = []
    for name, rva, _, raw_offset, raw_size, flags in image.sections:
        if not (flags & SCN_WRITE and flags & SCN_INITIALIZED_DATA) or flags & SCN_EXECUTE:
            continue
        content = image.data[raw_offset:raw_offset + raw_size]
        for offset in range(0, len(content) - 3, 4):
            if content[offset:offset + 4] == pattern:
                found.append(image.image_base + rva + offset)
    if len(found) != 1:
        offences.append("stack guard: %d words hold the unseeded guard value 0x%08X (want 1: ours)"
                        % (len(found), UNSEEDED_GUARD))
        return None
    return found[0]


def version_block(data, offset):
    """One VS_VERSIONINFO-style node: (key, value bytes, is text, children, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, offset)
    end = offset + length
    key_end = offset + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[offset + 6:key_end].decode("utf-16-le")
    value_start = (key_end + 2 + 3) & ~3
    value_size = value_length * 2 if kind == 1 else value_length
    value = data[value_start:value_start + value_size]
    children = []
    child = (value_start + value_size + 3) & ~3
    while child < end:
        node = version_block(data, child)
        children.append(node)
        child = (node[4] + 3) & ~3
    return key, value, kind == 1, children, end


def read_version(image):
    """(fixed file info numbers, {string: value}) of the first version resource."""
    rva, size = image.directory(DIR_RESOURCE)
    if size == 0:
        return None
    resources = image.bytes_at(rva, size)

    def entries(offset):
        named, ids = struct.unpack_from("<HH", resources, offset + 12)
        for i in range(named + ids):
            yield struct.unpack_from("<II", resources, offset + 16 + 8 * i)

    node = None
    for ident, target in entries(0):
        if ident == RT_VERSION:
            node = target
    if node is None:
        return None
    for _ in range(2):  # name, then language: the first of each
        if not node & 0x80000000:
            return None
        node = next(entries(node & 0x7FFFFFFF))[1]
    data_rva, data_size = struct.unpack_from("<II", resources, node)
    data = image.bytes_at(data_rva, data_size)
    key, fixed, _, children, _ = version_block(data, 0)
    if key != "VS_VERSION_INFO" or len(fixed) < 52:
        return None
    numbers = struct.unpack_from("<13I", fixed)
    strings = {}
    for child in children:
        if child[0] == "StringFileInfo":
            for table in child[3]:
                for entry in table[3]:
                    strings[entry[0]] = entry[1].decode("utf-16-le").rstrip("\0")
    return numbers, strings


def check_version(image, file_name, version, company, offences):
    found = read_version(image)
    if found is None:
        offences.append("no version information (VERSIONINFO)")
        return
    numbers, strings = found
    for key in VERSION_STRINGS:
        if not strings.get(key):
            offences.append("version information lacks %s" % key)
    if strings.get("CompanyName", company) != company:
        offences.append("CompanyName is %r, not %r" % (strings["CompanyName"], company))
    for key in ("FileVersion", "ProductVersion"):
        if strings.get(key, version) != version:
            offences.append("%s is %r, not %s" % (key, strings[key], version))
    if strings.get("OriginalFilename", file_name).lower() != file_name.lower():
        offences.append("OriginalFilename is %r, not %s" % (strings["OriginalFilename"], file_name))
    parts = [int(part) for part in version.split(".")] + [0]
    want = ((parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3])
    if numbers[0] != 0xFEEF04BD or (numbers[2], numbers[3]) != want:
        offences.append("FILEVERSION is not %s.0" % version)
    file_type = VFT_DLL if image.characteristics & FILE_DLL else VFT_APP
    if numbers[9] != file_type:
        offences.append("FILETYPE is %d, not %s" % (numbers[9], "VFT_DLL" if file_type == VFT_DLL else "VFT_APP"))


def check_binary(path, label, version, company):
    offences = []
    try:
        with open(path, "rb") as stream:
            image = Image(stream.read())
    except (OSError, ValueError, struct.error) as error:
        print("hardening: %s: cannot read it: %s" % (label, error), file=sys.stderr)
        return False
    relocations = check_header(image, offences)
    check_sections(image, offences)
    checks = check_code(path, image, offences)
    check_version(image, os.path.basename(path), version, company, offences)
    for offence in offences:
        print("hardening: %s: %s" % (label, offence), file=sys.stderr)
    if not offences:
        print("hardening: %s: DYNAMIC_BASE NX_COMPAT NO_SEH, %d bytes of relocations, %d sections "
              "(none writable and executable or shared), no write to fs:[0], stack guard seeded "
              "at entry and checked in %d places, CompanyName %r, version %s"
              % (label, relocations, len(image.sections), checks, company, version))
    return not offences


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--version", required=True)
    parser.add_argument("--company", required=True)
    parser.add_argument("--archive", help="release archive whose .exe and .dll files are checked too")
    parser.add_argument("binaries", nargs="*")
    arguments = parser.parse_args()
    good = True
    for path in arguments.binaries:
        good &= check_binary(path, os.path.basename(path), arguments.version, arguments.company)
    if arguments.archive:
        with tempfile.TemporaryDirectory() as folder, zipfile.ZipFile(arguments.archive) as archive:
            members = [name for name in archive.namelist() if name.lower().endswith((".exe", ".dll"))]
            if not members:
                print("hardening: %s holds no binaries" % arguments.archive, file=sys.stderr)
                good = False
            for name in sorted(members):
                good &= check_binary(archive.extract(name, folder), "archive " + name,
                                     arguments.version, arguments.company)
    return 0 if good else 1


if __name__ == "__main__":
    sys.exit(main())
