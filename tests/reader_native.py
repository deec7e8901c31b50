#!/usr/bin/env python3
"""The native reader under the sanitizers, on packages laid out here from
the real stubs and archives that Python's zipfile writes: each row of the
table is listed, tested and extracted, and must give zipfile's entries, the
stubs' verdict and words, and a tree with the archive's bytes and times, or
the folder as it was where the package is refused or fails half way.
Usage: reader_native.py VNPUNPACK STUBS"""

import io
import json
import os
import subprocess
import sys
import tempfile
import time
import zipfile

READER, STUBS = sys.argv[1], sys.argv[2]
OUTER = open(os.path.join(STUBS, "Install.vnp"), "rb").read()
INNER = open(os.path.join(STUBS, "Vornaly.vnp"), "rb").read()
PIECE = 1430000
TIME = (2019, 7, 14, 9, 26, 52)
BIG = os.urandom(1500000)
FILES = {"SETUP.EXE": b"MZ" + bytes(300), "sub/a.txt": b"bytes of a", "caf\u00e9.txt": b"1252",
         "big.bin": BIG}


def record(name, start, password=""):
    r = bytearray(b" " * 100)
    for offset, text in ((0, name), (79, password), (59, start)):
        data = text.encode("cp1252")[: 100 - offset]
        r[offset : offset + len(data)] = data
    return bytes(r)


def package(files, start="SETUP.EXE", password="", pieces=1):
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in files.items():
            z.writestr(zipfile.ZipInfo(name, TIME), data)
    archive = out.getvalue()
    rec = bytearray(record(list(files)[-1], start, password))
    if pieces > 1:
        rec[89:92] = b"%03d" % pieces
    whole = (OUTER + bytes(394) + b"MORVASX998" + OUTER + b"MORVASX998MELKOP1998" + bytes(rec)
             + INNER + b"ZS" + archive[2:])
    return archive, [whole[i : i + PIECE] for i in range(0, len(whole), PIECE)] if pieces > 1 else [whole]


def run(*arguments):
    done = subprocess.run([READER, *arguments], capture_output=True, text=True,
                          env=dict(os.environ, TZ="UTC", LANG="en_US.UTF-8"))
    return done.returncode, (done.stdout + done.stderr).strip()


def tree(root):
    found = {}
    for folder, _, names in os.walk(root):
        for name in names:
            path = os.path.join(folder, name)
            found[os.path.relpath(path, root)] = (open(path, "rb").read(),
                                                  os.stat(path).st_mtime)
    return found


# name, files, package options, what test says (None: complete), the
# password given to extract and its exit code
ROWS = [
    ("plain", FILES, {}, None, None, 0),
    ("spanned", FILES, {"pieces": 2}, None, None, 0),
    ("password", FILES, {"password": "secret"}, None, "secret", 0),
    ("password not given", FILES, {"password": "secret"}, None, "", 2),
    ("wrong password", FILES, {"password": "secret"}, None, "Secret", 1),
    ("start program missing", FILES, {"start": "INSTALL.EXE"},
     "The installation program that this package names is not among its files, read in this "
     "system's code page (1252) or in any other it has.", None, 0),
    # Two entries changed, the first a large one: the first in the archive's
    # order is told, however long it takes to find.
    ("bytes changed", None, {}, "The package is damaged: big.bin does not hold the bytes that "
     "were packed.", None, 1),
    ("name outside its folder", {"SETUP.EXE": b"MZ", "../up.txt": b"x"}, {},
     "The package holds a file that would be written outside its folder (..\\up.txt).", None, 1),
    ("names differing in case", {"SETUP.EXE": b"MZ", "Read.me": b"1", "READ.ME": b"2"}, {},
     "The package holds Read.me and READ.ME, which one folder cannot hold together.", None, 1),
]


def check(row, work):
    name, files, options, said, password, extracted = row
    damaged = files is None
    if damaged:
        files = {"SETUP.EXE": FILES["SETUP.EXE"], "big.bin": BIG, "sub/a.txt": b"bytes of a"}
    archive, pieces = package(files, **options)
    if damaged:  # the CRCs no longer those of the bytes, in both headers
        with zipfile.ZipFile(io.BytesIO(archive)) as z:
            for entry in ("big.bin", "sub/a.txt"):
                crc = z.getinfo(entry).CRC.to_bytes(4, "little")
                pieces = [p.replace(crc, bytes([crc[0] ^ 1]) + crc[1:]) for p in pieces]
    paths = []
    for number, piece in enumerate(pieces, 1):
        path = os.path.join(work, "P.exe" if len(pieces) == 1 else "P_%03d.exe" % number)
        open(path, "wb").write(piece)
        paths.append(path)
    code, text = run("test", paths[0])
    assert (code, text) == ((0, "The package is complete.") if said is None else (1, said)), \
        f"{name}: test gave {code} {text!r}"
    # The folder holds files of its own: one the package replaces, one it
    # leaves alone. A failed extraction leaves all of it as it was.
    out = os.path.join(work, "out")
    os.makedirs(out)
    for own in ("SETUP.EXE", "keep.txt"):
        open(os.path.join(out, own), "wb").write(b"mine")
    before = tree(out)
    arguments = ["extract", paths[0], out] + ([f"--password={password}"] if password else [])
    code, text = run(*arguments)
    assert code == extracted, f"{name}: extract gave {code} {text!r}"
    if code:
        assert tree(out) == before and sorted(os.listdir(out)) == sorted(before), \
            f"{name}: the folder changed: {sorted(tree(out))}"
        return
    want = {n.replace("/", os.sep): (d, TIME) for n, d in files.items()}
    got = {n: (d, tuple(time.gmtime(t))[:6]) for n, (d, t) in tree(out).items()}
    assert got.pop("keep.txt") == (b"mine", tuple(time.gmtime(before["keep.txt"][1]))[:6])
    assert got == want, f"{name}: extracted {sorted(got)}"
    listed = json.loads(subprocess.run([READER, "list", "--json", paths[0]], check=True,
                                       capture_output=True, text=True).stdout)
    with zipfile.ZipFile(io.BytesIO(archive)) as z:
        assert [(e["name"], e["size"], e["crc32"]) for e in listed["entries"]] == \
            [(i.filename, i.file_size, i.CRC) for i in z.infolist()], name
    assert listed["pieces"] == len(pieces) and listed["password"] == bool(password), name


for row in ROWS:
    with tempfile.TemporaryDirectory() as work:
        check(row, work)
assert run()[0] == 2 and run("list")[0] == 2 and run("list", "a", "b")[0] == 2, "usage"
print(f"{len(ROWS)} packages read as the stubs read them")
