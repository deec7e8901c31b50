#!/usr/bin/env python3
"""Writes an archive as another program would, for the component to add to:
Python's zipfile streaming to an unseekable file, so that its entries carry
data descriptors. Beside it, manifest lines of its entries in the form
check_archives.py reads, with no file times to check."""

import io
import os
import sys
import zipfile

ENTRIES = [
    ("from elsewhere.txt", b"written by another program\n" * 50),
    ("older/\u00e4 file.txt", b"kept as it was\n"),
    ("keep.bin", bytes(range(256)) * 4),
]


class Unseekable(io.RawIOBase):
    def __init__(self, out):
        self.out = out

    def writable(self):
        return True

    def write(self, data):
        return self.out.write(data)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "seed.zip"), "wb") as out:
        with zipfile.ZipFile(Unseekable(out), "w", zipfile.ZIP_DEFLATED) as archive:
            for name, data in ENTRIES:
                archive.writestr(name, data)
    with open(os.path.join(folder, "seed-manifest.txt"), "w") as manifest:
        for name, data in ENTRIES:
            ansi = name.replace("/", "\\").encode("cp1252").hex()
            manifest.write(f"file {ansi} 0 - deflated {data.hex()}\n")


if __name__ == "__main__":
    main()
