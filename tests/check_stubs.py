#!/usr/bin/env python3
"""Checks the two stubs of the program folder from outside: their sizes,
that they are 32-bit Windows programs, that they run from the swap file
when started from a diskette, and that the outer stub ends where its
sections end (its length is how a package finds its record). What they
import, and the versions their headers ask for, check_binaries.py checks
for every binary of the folder.
Usage: check_stubs.py OBJDUMP DIST_DIR"""
import struct
import subprocess
import sys

INNER_LENGTH = 97792
OUTER_AIM = 50 * 1024


def section_end(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections = struct.unpack_from("<H", data, pe + 6)[0]
    table = pe + 24 + struct.unpack_from("<H", data, pe + 20)[0]
    return max(struct.unpack_from("<I", data, table + 40 * i + 20)[0] +
               struct.unpack_from("<I", data, table + 40 * i + 16)[0] for i in range(sections))


def check(objdump, path, failures):
    text = subprocess.run([objdump, "-p", path], check=True, capture_output=True, text=True).stdout
    if "(PE32)" not in text or "file format pei-i386" not in text:
        failures.append(f"{path} is not a 32-bit Windows program")


def runs_from_swap(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    return struct.unpack_from("<H", data, pe + 22)[0] & 0x0C00 == 0x0C00


def main():
    objdump, dist = sys.argv[1], sys.argv[2]
    failures = []
    inner = f"{dist}/Vornaly.vnp"
    outer = f"{dist}/Install.vnp"
    for path in (inner, outer):
        check(objdump, path, failures)
    inner_data = open(inner, "rb").read()
    outer_data = open(outer, "rb").read()
    if len(inner_data) != INNER_LENGTH:
        failures.append(f"Vornaly.vnp is {len(inner_data)} bytes, not {INNER_LENGTH}")
    if len(outer_data) >= OUTER_AIM:
        failures.append(f"Install.vnp is {len(outer_data)} bytes, not under {OUTER_AIM}")
    for name, data in (("Install.vnp", outer_data), ("Vornaly.vnp", inner_data)):
        if not runs_from_swap(data):
            failures.append(f"{name} is not marked to run from the swap file off removable media")
    if section_end(outer_data) != len(outer_data):
        failures.append(f"Install.vnp's sections end at {section_end(outer_data)}, "
                        f"its file at {len(outer_data)}")
    print(f"Install.vnp {len(outer_data)} bytes, Vornaly.vnp {len(inner_data)} bytes "
          f"(program {section_end(inner_data)} bytes, the rest padding)")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
