#!/usr/bin/env python3
"""Copies a built stub into the program folder. With a length, the copy is
padded with zero bytes to exactly that length, and a stub that is longer
fails the build: the archive must start right after it.
Usage: place_stub.py STUB PLACED [LENGTH]"""
import sys


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
    with open(placed, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
