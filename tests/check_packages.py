#!/usr/bin/env python3
"""Opens the packages that CreateTest.WritesPackagesForIndependentReaders left
with independent readers: the layout is parsed here from its bytes, the
archive inside (its "ZS" turned back into "PK") must pass Info-ZIP's unzip,
7z and Python's zipfile, and hold every file of every setup folder, byte for
byte. The spanned package's pieces must join into a package whose record
carries the piece count. The native reader, given as a second argument for
packages made with the real stubs, must list what zipfile reads (--json)
and find each package complete."""

import glob
import io
import json
import os
import subprocess
import sys
import tempfile
import zipfile

STUB_MARKER = b"MORVASX998"
RECORD_MARKER = b"MELKOP1998"
INNER_STUB = 97792
PIECE = 1430000


def record_offset(data):
    s = data.find(b"\0" * 394 + STUB_MARKER)
    assert s >= 0, "no padding and stub marker"
    assert data[s + 404 : 2 * s + 404] == data[:s], "second stub copy differs"
    assert data[2 * s + 404 : 2 * s + 424] == STUB_MARKER + RECORD_MARKER, "markers"
    return 2 * s + 424


def archive_of(data):
    inner = data[record_offset(data) + 100 :]
    assert inner[INNER_STUB : INNER_STUB + 2] == b"ZS", "archive not masked"
    return b"PK" + inner[INNER_STUB + 2 :]


def setup_files(setup):
    files = {}
    for disk in sorted(os.listdir(setup)):
        root = os.path.join(setup, disk)
        for folder, _, names in os.walk(root):
            for name in names:
                path = os.path.join(folder, name)
                files[os.path.relpath(path, root).replace(os.sep, "/")] = open(path, "rb").read()
    return files


def check_archive(archive, expected, label):
    with tempfile.NamedTemporaryFile(suffix=".zip", delete=False) as f:
        f.write(archive)
    try:
        subprocess.run(["unzip", "-tqq", f.name], check=True)
        subprocess.run(["7z", "t", f.name], check=True, stdout=subprocess.DEVNULL)
    finally:
        os.unlink(f.name)
    with zipfile.ZipFile(io.BytesIO(archive)) as z:
        assert z.testzip() is None, label
        got = {i.filename: z.read(i) for i in z.infolist() if not i.is_dir()}
    assert sorted(got) == sorted(expected), f"{label}: {sorted(got)} != {sorted(expected)}"
    for name, data in expected.items():
        assert got[name] == data, f"{label}: {name} differs"


def check_listing(reader, package, archive, pieces):
    listed = json.loads(subprocess.run([reader, "list", "--json", package], check=True,
                                       capture_output=True, text=True).stdout)
    assert listed["pieces"] == pieces, listed["pieces"]
    with zipfile.ZipFile(io.BytesIO(archive)) as z:
        want = [{"name": i.filename, "size": i.file_size, "packed_size": i.compress_size,
                 "crc32": i.CRC, "time": "%04d-%02d-%02dT%02d:%02d:%02d" % i.date_time}
                for i in z.infolist()]
    got = [{key: e[key] for key in want[0]} for e in listed["entries"]]
    assert got == want, f"{package}: the listing differs from zipfile's:\n{got}\n{want}"
    test = subprocess.run([reader, "test", package], capture_output=True, text=True)
    assert (test.returncode, test.stdout) == (0, "The package is complete.\n"), test


def main(folder, reader=None):
    expected = setup_files(os.path.join(folder, "setup"))
    plain = open(os.path.join(folder, "plain", "Setup.exe"), "rb").read()
    check_archive(archive_of(plain), expected, "plain package")

    pieces = sorted(glob.glob(os.path.join(folder, "span", "Setup_*.exe")))
    parts = [open(p, "rb").read() for p in pieces]
    assert all(len(p) == PIECE for p in parts[:-1]) and 0 < len(parts[-1]) <= PIECE, "piece sizes"
    joined = b"".join(parts)
    count = joined[record_offset(joined) + 89 : record_offset(joined) + 92]
    assert count == b"%03d" % len(parts), f"piece count {count!r} for {len(parts)} pieces"
    check_archive(archive_of(joined), expected, "spanned package")
    if reader:
        check_listing(reader, os.path.join(folder, "plain", "Setup.exe"), archive_of(plain), 1)
        check_listing(reader, pieces[0], archive_of(joined), len(parts))
    print(f"plain package and {len(parts)} pieces pass unzip, 7z, zipfile and the native reader")


if __name__ == "__main__":
    main(*sys.argv[1:])
