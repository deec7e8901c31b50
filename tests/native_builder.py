#!/usr/bin/env python3
"""The native vnpmake's refusals under the sanitizers, as one table: each row
lays out setup folders, runs the builder into an output folder that already
holds an earlier package and a file of the user's, and must end with its
exit code and words, with the output folder exactly as it was. A sound row
first shows that the table's setup makes a package at all.
Usage: native_builder.py VNPMAKE STUBS"""

import os
import shutil
import subprocess
import sys
import tempfile

BUILDER, STUBS = sys.argv[1], os.path.abspath(sys.argv[2])
OLD = b"MZ the earlier package"


def made(root, files):
    for name, data in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


def snapshot(folder):
    return {name: (open(os.path.join(folder, name), "rb").read(),
                   os.stat(os.path.join(folder, name)).st_mtime_ns)
            for name in sorted(os.listdir(folder))}


def stubs_without_inner(work):
    folder = os.path.join(work, "stubs-short")
    os.makedirs(folder)
    shutil.copy(os.path.join(STUBS, "Install.vnp"), folder)
    with open(os.path.join(STUBS, "Vornaly.vnp"), "rb") as inner:
        open(os.path.join(folder, "Vornaly.vnp"), "wb").write(inner.read()[:-1])
    return folder


def full_disk(out):
    """The output folder on a 256 KB disk, too small for the package."""
    if os.geteuid() != 0:
        return False
    return subprocess.run(["mount", "-t", "tmpfs", "-o", "size=256k", "tmpfs", out]).returncode == 0


def read_only(out):
    """The output folder on a file system mounted read-only: root writes
    everywhere else."""
    if os.geteuid() != 0:
        return False
    return subprocess.run(["mount", "-t", "tmpfs", "-o", "ro,size=1m", "tmpfs", out]).returncode == 0


SETUP = {"DISK1/SETUP.EXE": b"MZ setup", "DISK1/DATA.TXT": b"data" * 1000,
         "DISK2/BIG.BIN": os.urandom(400000)}

# name, extra files, arguments (DISK1 etc. are setup folders of the work
# folder, OUT the package), exit code, words on standard error, and what
# prepares the output folder where it needs more than the earlier package
ROWS = [
    ("Sound", {}, ["OUT", "DISK1", "DISK2"], 0, ""),
    # As the 9x line shows such a name: what the code page lacks is "?".
    ("BeyondTheCodePage", {"DISK1/\u65e5\u672c.txt": b"x"}, ["OUT", "DISK1"], 1,
     "DISK1/??.txt"),
    ("FolderBeyondTheCodePage", {"\u65e5\u672c/A.TXT": b"x"}, ["OUT", "\u65e5\u672c"], 1,
     "cannot hold"),
    ("CaseClash", {"DISK1/a.txt": b"a", "DISK1/A.TXT": b"A"}, ["OUT", "DISK1"], 1, "A.TXT"),
    ("DeviceName", {"DISK1/sub/nul.txt": b"x"}, ["OUT", "DISK1"], 1, "nul.txt"),
    ("NameWindowsCannotHold", {"DISK1/a:b.txt": b"x"}, ["OUT", "DISK1"], 1, "a:b.txt"),
    ("MissingStubs", {}, ["--stubs=EMPTY", "OUT", "DISK1"], 1, "Vornaly.vnp is missing"),
    ("StubOfTheWrongSize", {}, ["--stubs=SHORT", "OUT", "DISK1"], 1, "has 97791 bytes"),
    ("MissingFolder", {}, ["OUT", "DISK1", "DISK9"], 1, "DISK9 does not exist."),
    ("StartNotInTheArchive", {}, ["--start=NONE.EXE", "OUT", "DISK1"], 1,
     "--start=NONE.EXE is not an EXE entry"),
    ("FullDisk", {}, ["OUT", "DISK1", "DISK2"], 1, "The disk is full", full_disk),
    ("ReadOnlyFolder", {}, ["OUT", "DISK1"], 1, "could not be written", read_only),
    ("PackageBeneathAFile", {"FILE": b"x"}, ["FILE/Setup.exe", "DISK1"], 1,
     "Error: 75 (the file or folder cannot be reached"),
    ("UnknownSwitch", {}, ["--split", "OUT", "DISK1"], 2, "Unknown switch --split."),
    ("PasswordTooLong", {}, ["--password=" + "x" * 40, "OUT", "DISK1"], 2,
     "more than 39 characters"),
    ("PasswordBeyondTheCodePage", {}, ["--password=\u65e5\u672c", "OUT", "DISK1"], 2,
     "The password has characters that code page 1252 cannot hold."),
    ("UnknownCodePage", {}, ["--code-page=77", "OUT", "DISK1"], 2, "cannot convert code page 77"),
    ("NoFolder", {}, ["OUT"], 2, "No setup folder named."),
]


def run_row(work, row):
    name, extra, arguments, code, words, *prepared = row
    prepare = prepared[0] if prepared else None
    base = os.path.join(work, name)
    made(base, dict(SETUP, **extra))
    out = os.path.join(base, "out")
    os.makedirs(out)
    os.makedirs(os.path.join(base, "EMPTY"))
    mounted = False
    if prepare:
        mounted = prepare(out)
        if not mounted:
            print("%-26s skipped: no disk of its own can be mounted here" % name)
            return []
    try:
        if prepare is not read_only:
            with open(os.path.join(out, "Setup.exe"), "wb") as f:
                f.write(OLD)
            with open(os.path.join(out, "keep.txt"), "wb") as f:
                f.write(b"the user's")
        before = snapshot(out)
        places = {"OUT": os.path.join(out, "Setup.exe"),
                  "--stubs=EMPTY": "--stubs=" + os.path.join(base, "EMPTY")}
        if "--stubs=SHORT" in arguments:
            places["--stubs=SHORT"] = "--stubs=" + stubs_without_inner(base)
        command = [BUILDER] + [places.get(a, a if a.startswith("-") else os.path.join(base, a))
                               for a in arguments]
        if not any(a.startswith("--stubs=") for a in command):
            command.insert(1, "--stubs=" + STUBS)
        done = subprocess.run(command, capture_output=True, text=True,
                              env=dict(os.environ, LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8"))
        faults = []
        if done.returncode != code:
            faults.append("exit code %d, not %d" % (done.returncode, code))
        if words not in done.stderr:
            faults.append("standard error lacks %r" % words)
        if code == 0:
            if sorted(os.listdir(out)) != ["Setup.exe", "keep.txt"] or \
                    open(os.path.join(out, "Setup.exe"), "rb").read() == OLD:
                faults.append("no new package beside the user's file: %s" % os.listdir(out))
        elif snapshot(out) != before:
            faults.append("the output folder changed: %s" % sorted(os.listdir(out)))
        if "runtime error" in done.stderr or "Sanitizer" in done.stderr:
            faults.append("the sanitizers spoke")
        print("%-26s %s" % (name, "; ".join(faults) or "as it should"))
        return ["%s: %s\n%s" % (name, f, done.stderr) for f in faults]
    finally:
        if mounted:
            subprocess.run(["umount", "-l", out])


def main():
    work = tempfile.mkdtemp(prefix="native-builder-")
    try:
        faults = [f for row in ROWS for f in run_row(work, row)]
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
