#!/usr/bin/env python3
"""Checks the shipped i386 Korvane.gau as a PE file: an i386 DLL that exports
exactly Linkage and ImportTable and imports only from the system's own DLLs,
DirectSoundCreate by ordinal 1. (Its resources have their own test.)

    deliverable_test.py dist/Korvane.gau
"""
import struct
import sys

MACHINE_I386 = 0x14C
CHARACTERISTIC_DLL = 0x2000
PE32_MAGIC = 0x10B
ORDINAL_FLAG_32 = 0x80000000

# DLL (upper case) -> the imports allowed from it; None: any function by name.
SYSTEM_DLLS = {
    "KERNEL32.DLL": None,
    "USER32.DLL": None,
    "WINMM.DLL": None,
    "MSVCRT.DLL": None,
    "DSOUND.DLL": {"#1"},  # DirectSoundCreate, by ordinal only
}
COMPILER_RUNTIME_PREFIXES = ("LIBGCC", "LIBSTDC++", "LIBWINPTHREAD")


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = self.u32(0x3C)
        if data[pe : pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, sections, _, _, _, optional_size, self.characteristics = struct.unpack_from(
            "<HHIIIHH", data, pe + 4
        )
        optional = pe + 24
        self.magic = self.u16(optional)
        directories = optional + 96  # PE32: the data directories follow 96 bytes of fields
        self.export_rva, _ = struct.unpack_from("<II", data, directories)
        self.import_rva, _ = struct.unpack_from("<II", data, directories + 8)
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            virtual_size, rva, raw_size, raw_at = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((rva, max(virtual_size, raw_size), raw_at))

    def u16(self, at):
        return struct.unpack_from("<H", self.data, at)[0]

    def u32(self, at):
        return struct.unpack_from("<I", self.data, at)[0]

    def offset(self, rva):
        for start, size, raw_at in self.sections:
            if start <= rva < start + size:
                return raw_at + rva - start
        raise ValueError("RVA 0x%x lies in no section" % rva)

    def text(self, rva):
        at = self.offset(rva)
        return self.data[at : self.data.index(b"\0", at)].decode("ascii")

    def exports(self):
        if self.export_rva == 0:
            return []
        at = self.offset(self.export_rva)
        names, name_table = self.u32(at + 24), self.u32(at + 32)
        return [self.text(self.u32(self.offset(name_table) + 4 * i)) for i in range(names)]

    def imports(self):
        """{dll: [function name or "#ordinal"]}"""
        out = {}
        at = self.offset(self.import_rva)
        while True:
            lookup, _, _, name, first = struct.unpack_from("<IIIII", self.data, at)
            if name == 0:
                break
            thunks = self.offset(lookup or first)
            functions = []
            while True:
                thunk = self.u32(thunks)
                if thunk == 0:
                    break
                if thunk & ORDINAL_FLAG_32:
                    functions.append("#%d" % (thunk & 0xFFFF))
                else:
                    functions.append(self.text(thunk + 2))  # past the hint
                thunks += 4
            out[self.text(name)] = functions
            at += 20
        return out


def main(path):
    try:
        data = open(path, "rb").read()
    except OSError as e:
        print("FAIL: %s: %s (run 'make dist')" % (path, e.strerror))
        return 1
    pe = PeFile(data)
    problems = []

    def check(ok, what):
        print("%s: %s" % ("ok" if ok else "FAIL", what))
        if not ok:
            problems.append(what)

    check(pe.machine == MACHINE_I386, "machine is i386 (0x%x)" % pe.machine)
    check(pe.magic == PE32_MAGIC, "32-bit optional header")
    check(pe.characteristics & CHARACTERISTIC_DLL != 0, "the file is a DLL")
    exports = pe.exports()
    check(sorted(exports) == ["ImportTable", "Linkage"], "exports exactly Linkage and ImportTable: %s" % exports)

    imports = pe.imports()
    for dll, functions in sorted(imports.items()):
        key = dll.upper()
        check(not key.startswith(COMPILER_RUNTIME_PREFIXES), "%s is no compiler runtime DLL" % dll)
        check(key in SYSTEM_DLLS, "%s is a system DLL" % dll)
        allowed = SYSTEM_DLLS.get(key)
        if allowed is not None:
            check(set(functions) <= allowed, "%s: imports %s" % (dll, functions))
    dsound = [f for dll, fs in imports.items() if dll.upper() == "DSOUND.DLL" for f in fs]
    check(dsound == ["#1"], "DirectSoundCreate is imported from DSOUND.dll by ordinal 1")
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
