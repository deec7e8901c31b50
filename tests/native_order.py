#!/usr/bin/env python3
"""The native order of setup folders and of archive entries against the
Windows build's under Wine, in each locale: order_probe, built for both from
one source, prints how the sorted list box and the zip component order every
two texts; both outputs must be the same. The single-byte code pages are
probed with every pair of their characters, 1252 and 932 with tables of
names as well.

Usage: native_order.py NATIVE_PROBE WINE_RUN WINDOWS_PROBE WORK_DIR
"""
import os
import subprocess
import sys

NATIVE, WINE_RUN, WINDOWS, WORK = sys.argv[1:5]


def characters(code_page):
    texts = []
    for byte in range(0x20, 0x100):
        try:
            texts.append(bytes([byte]).decode("cp%d" % code_page))
        except UnicodeDecodeError:
            pass  # no character there
    return texts


NAMES_932 = [
    "\u65e5\u672c", "\u65e5\u672c\u8a9e", "\u8868", "\u80fd\u529b", "\u30bd\u30d5\u30c8",
    "\u305d\u3075\u3068", "\uff7f\uff8c\uff84", "\uff76\uff80\uff76\uff85", "\u30ab\u30bf\u30ab\u30ca",
    "\uff21\uff22\uff23", "ABC", "abc", "\uff41\uff42\uff43", "Disk1", "Disk10", "Disk2",
    "\u30c7\u30a3\u30b9\u30af1", "\u30c7\u30a3\u30b9\u30af2", "\u4e00", "\u4e8c", "\u4e09",
    "\uff11", "1", "\u2160", "\u30fc", "-", "\u3000a", " a", "\\", "~",
]

# Setup folders as people name them: the list box weighs letters and digits
# across the whole text first, then accents, and hyphens and apostrophes last.
NAMES_1252 = [
    "Disk 1", "Disk-1", "Disk_1", "disk1", "Disk1", "Disk10", "Disk2", "a-b", "ab", "a'b", "ab-",
    "\u00c4pfel", "Apfel", "apfel", "Ete", "\u00c9t\u00e9", "co-op", "coop", "Setup (old)",
    "Setup.old", "Setup", "setup-2", "stra\u00dfe", "strasse", "\u00e6ra", "aera", "Ol\u00e9",
]


# Locales set whole, then split as a desktop may: Wine takes the code page
# from LC_CTYPE, the list box its locale and that locale's code page from
# LC_MESSAGES.
EN, RU = "en_US.UTF-8", "ru_RU.UTF-8"
ROWS = [({"LC_ALL": EN}, 1252, characters(1252)), ({"LC_ALL": EN}, 1252, NAMES_1252),
        ({"LC_ALL": RU}, 1251, characters(1251)), ({"LC_ALL": "ja_JP.UTF-8"}, 932, NAMES_932),
        ({"LANG": RU, "LC_CTYPE": EN, "LC_COLLATE": EN}, 1252, characters(1252)),
        ({"LANG": EN, "LC_CTYPE": RU}, 1251, characters(1251))]


def probe(command, env):
    done = subprocess.run(command, env=env, capture_output=True)
    if done.returncode != 0:
        sys.exit("%s failed: %s" % (command[0], done.stderr.decode("utf-8", "replace")))
    return done.stdout.decode("ascii").replace("\r", "").split("\n")


def main():
    os.makedirs(WORK, exist_ok=True)
    faults = 0
    unset = {name: value for name, value in os.environ.items()
             if not name.startswith("LC_") and name not in ("LANG", "VORNALY_WINE_LOCALE")}
    for locale, code_page, texts in ROWS:
        path = os.path.join(WORK, "texts-%d-%d" % (code_page, len(texts)))
        with open(path, "wb") as out:
            out.write(b"".join(t.encode("cp%d" % code_page) + b"\n" for t in texts))
        env = dict(unset, **locale)
        native = probe([NATIVE, path], env)
        windows = probe([WINE_RUN, WINDOWS, "Z:" + path.replace("/", "\\")],
                        dict(env, VORNALY_WINE_LOCALE=locale.get("LC_ALL", "")))
        count = len(texts)
        for block, what in ((0, "setup list"), (1, "entry names")):
            differing = [(i, j, windows[block * count + i][j], native[block * count + i][j])
                         for i in range(count) for j in range(i + 1, count)
                         if windows[block * count + i][j] != native[block * count + i][j]]
            print("%s, code page %d, %s: %d pairs, %d ordered otherwise natively"
                  % (locale, code_page, what, count * (count - 1) // 2, len(differing)))
            for i, j, want, got in differing[:12]:
                print("  %r %s %r under Wine, %s natively" % (texts[i], want, texts[j], got))
            faults += len(differing)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
