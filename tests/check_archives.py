#!/usr/bin/env python3
"""Checks the archives zip_reader_archives wrote with independent readers:
Info-ZIP's unzip (test and zipinfo listing), 7z, and Python's zipfile. Each
archive must hold exactly what the manifest says: names in order, bytes,
CRC, method, attributes, DOS time and exact time."""

import datetime
import os
import struct
import subprocess
import sys
import time
import zipfile
import zlib

EPOCH_TICKS = 116444736000000000  # 1601-01-01 to 1970-01-01 in 100 ns
DOS_ATTRIBUTES = 0x07  # read-only, hidden, system
FOLDER = 0x10
UTF8_NAME = 0x800


class Entry:
    def __init__(self, kind, name, attributes, written, method, content):
        self.folder = kind == "folder"
        self.ansi = bytes.fromhex(name)
        self.name = self.ansi.decode("cp1252").replace("\\", "/")
        self.attributes = int(attributes)
        self.written = None if written == "-" else int(written)  # "-": no times to check
        self.method = method
        self.content = b"" if content == "-" else bytes.fromhex(content)

    def dos_time(self):
        seconds = (self.written - EPOCH_TICKS) // 10**7
        local = time.localtime(seconds)
        return local[:5] + (local.tm_sec // 2 * 2,)


def read_manifest(folder):
    archives = {}
    with open(os.path.join(folder, "manifest.txt"), encoding="ascii") as manifest:
        for line in manifest:
            words = line.split()
            if words[0] == "archive":
                current = archives.setdefault(words[1], [])
            else:
                current.append(Entry(*words))
    return archives


def ntfs_written(extra):
    while len(extra) >= 4:
        tag, size = struct.unpack_from("<HH", extra)
        if tag == 0x000A:
            subtag, subsize = struct.unpack_from("<HH", extra, 8)
            assert (subtag, subsize) == (1, 24), "NTFS field layout"
            return struct.unpack_from("<Q", extra, 12)[0]
        extra = extra[4 + size:]
    return None


def check_with_zipfile(path, expected):
    with zipfile.ZipFile(path) as archive:
        infos = archive.infolist()
        assert [i.filename for i in infos] == [e.name for e in expected], \
            f"names {[i.filename for i in infos]}"
        for info, entry in zip(infos, expected):
            where = f"{path}: {entry.name}"
            assert bool(info.flag_bits & UTF8_NAME) == (not entry.name.isascii()), where
            assert info.is_dir() == entry.folder, where
            assert info.external_attr & DOS_ATTRIBUTES == entry.attributes & DOS_ATTRIBUTES, \
                f"{where}: attributes {info.external_attr:#x}"
            assert bool(info.external_attr & FOLDER) == entry.folder, where
            if entry.method != "any":
                method = zipfile.ZIP_STORED if entry.method == "stored" else zipfile.ZIP_DEFLATED
                assert info.compress_type == method, f"{where}: method {info.compress_type}"
            if entry.folder:
                continue
            data = archive.read(info)
            assert data == entry.content, f"{where}: content differs"
            assert info.CRC == zlib.crc32(entry.content), where
            assert info.file_size == len(entry.content), where
            if entry.written is not None:
                assert info.date_time == entry.dos_time(), f"{where}: {info.date_time}"
                assert ntfs_written(info.extra) == entry.written, f"{where}: exact time"


def run(*command):
    env = dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8")
    result = subprocess.run(command, capture_output=True, env=env)
    output = result.stdout.decode("utf-8", "replace")
    assert result.returncode == 0, f"{' '.join(command)} failed:\n{output}"
    return output


def check_with_unzip(path, expected):
    run("unzip", "-tqq", path)
    # zipinfo -T: attributes, version, host, size, type, method, yyyymmdd.hhmmss, name
    # Between two heading lines and one summary line, one row an entry.
    lines = run("unzip", "-Z", "-T", path).splitlines()
    rows = [line.split(None, 7) for line in lines[2:-1]]
    assert [row[7] for row in rows] == [e.name for e in expected], f"zipinfo names {rows}"
    for row, entry in zip(rows, expected):
        where = f"{path}: {entry.name}"
        attributes = row[0]
        assert (attributes[0] == "d") == entry.folder, where
        assert ("w" not in attributes[1:3]) == bool(entry.attributes & 1), f"{where}: {row[0]}"
        assert ("h" in attributes) == bool(entry.attributes & 2), f"{where}: {row[0]}"
        assert ("s" in attributes) == bool(entry.attributes & 4), f"{where}: {row[0]}"
        if not entry.folder:
            assert int(row[3]) == len(entry.content), where
        if not entry.folder and entry.written is not None:
            assert row[6] == "%04d%02d%02d.%02d%02d%02d" % entry.dos_time(), f"{where}: {row[6]}"


def check_with_7z(path, expected):
    assert "Everything is Ok" in run("7z", "t", path)
    listing = run("7z", "l", "-slt", path).split("\n\n")
    entries = [dict(line.split(" = ", 1) for line in block.splitlines() if " = " in line)
               for block in listing]
    entries = [e for e in entries if "Path" in e and "CRC" in e]
    assert [e["Path"] for e in entries] == [x.name.rstrip("/") for x in expected], \
        f"7z names {[e['Path'] for e in entries]}"
    for found, entry in zip(entries, expected):
        if entry.folder or entry.written is None:
            continue
        # 7z reads the exact time from the NTFS field: the 100 ns digits show it.
        ticks = entry.written % 10**7
        assert found["Modified"].endswith(".%07d" % ticks), f"{path}: {found['Modified']}"


def main():
    folder = sys.argv[1]
    archives = read_manifest(folder)
    assert archives, "the manifest lists no archive"
    for name, expected in archives.items():
        path = os.path.join(folder, name)
        check_with_zipfile(path, expected)
        check_with_unzip(path, expected)
        check_with_7z(path, expected)
        print(f"{name}: {len(expected)} entries pass zipfile, unzip -t, zipinfo and 7z t")


if __name__ == "__main__":
    main()
