#!/usr/bin/env python3
"""The native vnpmake against VNPMAKE.EXE under Wine, as one table: each row's
setup folders are made once, both builders make a package of them in the
same locale (so the same ANSI code page) and time zone, and the packages and
every piece must be the same bytes.

Usage: native_same_bytes.py VNPMAKE_NATIVE WINE_RUN VNPMAKE_EXE WORK_DIR
"""
import os
import random
import shutil
import subprocess
import sys
import time

NATIVE, WINE_RUN, VNPMAKE_EXE, WORK = sys.argv[1:5]
STUBS = os.path.dirname(VNPMAKE_EXE)
ZONE = "Europe/Berlin"


def noise(size, seed):
    return random.Random(seed).randbytes(size)


def text(size, seed):
    words = [b"setup", b"disk", b"install", b"Vornaly", b"file", b"data", b"\r\n"]
    pick = random.Random(seed).choice
    out = bytearray()
    while len(out) < size:
        out += pick(words) + b" "
    return bytes(out[:size])


def stamp(path, when):
    """when: 'YYYY-MM-DD HH:MM:SS[.fraction]' in ZONE."""
    os.environ["TZ"] = ZONE
    time.tzset()
    whole, _, fraction = when.partition(".")
    seconds = int(time.mktime(time.strptime(whole, "%Y-%m-%d %H:%M:%S")))
    ns = seconds * 10**9 + int((fraction + "000000000")[:9])
    os.utime(path, ns=(ns, ns), follow_symlinks=False)


# name -> bytes (None: a folder), a time, and a mode where it is not the usual.
def tree(root, files):
    for name, content, when, mode in files:
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        if content is None:
            os.makedirs(path, exist_ok=True)
        else:
            with open(path, "wb") as f:
                f.write(content)
    # Times and modes last, deepest first: making a file changes its folder's time.
    for name, content, when, mode in sorted(files, key=lambda f: -f[0].count("/")):
        path = os.path.join(root, name)
        stamp(path, when)
        if mode is not None:
            os.chmod(path, mode)


T = "2024-03-05 10:20:31.5"
ASCII = [
    ("DISK1/SETUP.EXE", b"MZ" + text(3000, 1), T, None),
    ("DISK1/README.TXT", text(20000, 2), "2023-11-30 23:59:59", None),
    ("DISK1/.profile", b"hidden under Wine", T, None),
    ("DISK1/.config/setting.ini", b"[a]\r\nb=1\r\n", T, None),
    ("DISK1/ReadOnly.txt", b"read only", T, 0o444),
    ("DISK1/EMPTY", None, T, None),
    ("DISK1/zero.bin", b"", T, None),
    ("DISK1/old.txt", b"before 1980", "1975-06-01 12:00:00", None),
    ("DISK1/summer.txt", b"summer time", "2024-07-15 13:37:21.123456789", None),
    ("DISK1/winter.txt", b"winter time", "2024-01-15 13:37:22.987654321", None),
    ("DISK1/a/b/c/d/e/f/g/h/i/j/deep.txt", b"deep", T, None),
    ("DISK1/mixed Case Name.Txt", text(5000, 3), T, None),
    ("DISK2/DATA.CAB", noise(300000, 4), T, None),
    ("DISK2/data.txt", text(70000, 5), T, None),
    ("disk3/LAST.TXT", b"in a lower-case folder", T, None),
    ("Disk10/TEN.TXT", b"ten", T, None),
]
BIG = [
    ("DISK1/SETUP.EXE", b"MZ setup", T, None),
    ("DISK1/TOOLS/SETUP.EXE", b"MZ tools", T, None),
    ("DISK1/BIG.BIN", text(60 * 2**20, 6) + noise(40 * 2**20, 7), T, None),
    ("DISK2/MORE.DAT", noise(2 * 2**20, 8), T, None),
]
CP1252 = [
    ("DISK1/SETUP.EXE", b"MZ", T, None),
    ("DISK1/\u00c4rger.txt", b"a", T, None),
    ("DISK1/caf\u00e9/cr\u00e8me.TXT", b"b", T, None),
    ("DISK1/Stra\u00dfe.dat", b"c", T, None),
    ("DISK1/na\u00efve r\u00e9sum\u00e9 \u20ac.txt", b"d", T, None),
    ("Disk \u00c9t\u00e9/\u00e9t\u00e9.txt", b"e", T, None),
]
CP1251 = [
    ("DISK1/\u0423\u0441\u0442\u0430\u043d\u043e\u0432\u043a\u0430.exe", b"MZ", T, None),
    ("DISK1/\u041f\u0440\u0438\u0432\u0435\u0442/\u0444\u0430\u0439\u043b.txt", b"a", T, None),
    ("DISK1/\u0451\u0436.txt", b"b", T, None),
]
CP932 = [
    ("DISK1/SETUP.EXE", b"MZ", T, None),
    ("DISK1/\u65e5\u672c\u8a9e.txt", b"a", T, None),
    ("DISK1/\u8868/\u30bd\u30d5\u30c8.txt", b"b", T, None),  # 0x955C: a 0x5C second byte
    ("DISK1/\uff76\uff80\uff76\uff85.txt", b"c", T, None),  # single-byte katakana
    ("\u80fd\u529b/\u80fd.txt", b"d", T, None),  # 0x945C
]

# name, locale, files, setup folders (as typed, in this order), switches and values
ROWS = [
    ("Ascii", "en_US.UTF-8", ASCII, ["DISK2", "disk3", "Disk10", "DISK1"], []),
    ("SpanPasswordStart", "en_US.UTF-8", BIG, ["DISK2", "DISK1"],
     [("span", None), ("password", "Secret7"), ("start", "TOOLS\\SETUP.EXE")]),
    ("CodePage1252", "en_US.UTF-8", CP1252, ["DISK1", "Disk \u00c9t\u00e9"], [("password", "\u00e9t\u00e9")]),
    ("CodePage1251", "ru_RU.UTF-8", CP1251, ["DISK1"], [("password", "\u043f\u0430\u0440\u043e\u043b\u044c")]),
    ("CodePage932", "ja_JP.UTF-8", CP932, ["DISK1", "\u80fd\u529b"], [("span", None)]),
]


def win(path):
    return "Z:" + path.replace("/", "\\")


def run(command, env):
    done = subprocess.run(command, env=env, capture_output=True)
    return done.returncode, done.stdout.decode("utf-8", "replace") + done.stderr.decode(
        "utf-8", "replace")


def build(row):
    name, locale, files, folders, switches = row
    base = os.path.join(WORK, name)
    shutil.rmtree(base, ignore_errors=True)
    setup = os.path.join(base, "setup")
    tree(setup, files)
    env = dict(os.environ, TZ=ZONE, LANG=locale, LC_ALL=locale)
    outputs = {}
    for builder in ("native", "wine"):
        out = os.path.join(base, builder)
        os.makedirs(out)
        if builder == "native":
            command = [NATIVE, "--stubs=" + STUBS]
            for switch, value in switches:
                if switch == "start":  # as a Linux user names it
                    value = value.replace("\\", "/")
                command.append("--" + switch + ("=" + value if value is not None else ""))
            command += [os.path.join(out, "Setup.exe")] + [os.path.join(setup, f) for f in folders]
            code, said = run(command, env)
        else:
            command = [WINE_RUN, VNPMAKE_EXE]
            for switch, value in switches:
                command.append("/" + switch.upper() + (":" + value if value is not None else ""))
            command += [win(os.path.join(out, "Setup.exe"))]
            command += [win(os.path.join(setup, f)) for f in folders]
            code, said = run(command, dict(env, VORNALY_WINE_LOCALE=locale))
        if code != 0:
            return ["%s: %s exited %d: %s" % (name, builder, code, said)]
        outputs[builder] = out
    faults = []
    made = {b: sorted(os.listdir(o)) for b, o in outputs.items()}
    if made["native"] != made["wine"]:
        return ["%s: native made %s, Wine %s" % (name, made["native"], made["wine"])]
    for file in made["native"]:
        a = open(os.path.join(outputs["native"], file), "rb").read()
        b = open(os.path.join(outputs["wine"], file), "rb").read()
        if a != b:
            at = next((i for i in range(min(len(a), len(b))) if a[i] != b[i]), min(len(a), len(b)))
            faults.append("%s: %s differs at byte %d (native %d bytes, Wine %d)"
                          % (name, file, at, len(a), len(b)))
    if not made["native"]:
        faults.append("%s: neither made a package" % name)
    return faults


def main():
    faults = []
    for row in ROWS:
        found = build(row)
        print("%-20s %s" % (row[0], "same bytes" if not found else "DIFFERENT"))
        faults += found
    for fault in faults:
        print(fault)
    # A passing row leaves nothing behind: 100 MB each.
    if not faults:
        shutil.rmtree(WORK, ignore_errors=True)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
