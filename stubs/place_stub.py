#!/usr/bin/env python3
"""Copies a built stub into the program folder, marked to be run from the
swap file when started from a diskette or network drive: a package cut into
pieces asks for the next diskette while its first piece is still running,
and its code must not be paged in from a diskette that is gone. With a
length, the copy is padded with zero bytes to exactly that length, and a
stub that is longer fails the build: the archive must start right after it.
Last, the header's checksum is set, over the whole placed file: a package's
test (/T) finds a byte changed in its inner stub by it.
Usage: place_stub.py STUB PLACED [LENGTH]"""
import struct
import sys

RUN_FROM_SWAP = 0x0400 | 0x0800  # removable media, network


def pe_checksum(data, field):
    """The 16-bit words added with their carries folded back in, the
    checksum field left out, plus the file's length."""
    total = 0
    padded = bytes(data) + bytes(len(data) % 2)
    for at in range(0, len(padded), 2):
        if field <= at < field + 4:
            continue
        total += padded[at] | padded[at + 1] << 8
        total = (total & 0xFFFF) + (total >> 16)
    return ((total & 0xFFFF) + (total >> 16) + len(data)) & 0xFFFFFFFF


def main():
    stub, placed = sys.argv[1], sys.argv[2]
    with open(stub, "rb") as f:
        data = f.read()
    if len(sys.argv) > 3:
        length = int(sys.argv[3])
        if len(data) > length:
            print(f"{stub} is {len(data)} bytes, more than the {length} it must fit in")
            return 1
        data += bytes(length - len(data))
    data = bytearray(data)
    characteristics = struct.unpack_from("<I", data, 0x3C)[0] + 22
    flags = struct.unpack_from("<H", data, characteristics)[0]
    struct.pack_into("<H", data, characteristics, flags | RUN_FROM_SWAP)
    checksum = characteristics - 22 + 88
    struct.pack_into("<I", data, checksum, 0)
    struct.pack_into("<I", data, checksum, pe_checksum(data, checksum))
    with open(placed, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
