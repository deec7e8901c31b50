#!/usr/bin/env python3
"""Checks the program folder's binaries from outside.

Every program and DLL there (.EXE, .DLL, .vnp) imports only the DLLs its
goal in first_windows.py allows, and only functions that the table there
lists as present on the oldest Windows of each line that it is for; an
import that the table does not list fails too, so that no new one slips
past, and so does a row that no binary imports, so that the table stays
the list of what is imported. Headers ask for OS and subsystem version 4.0.
VORNALY.EXE binds MVWRAP.DLL at load time, and MVWRAP.DLL exports its eight
operations under their plain names. Every imported function is listed.
Usage: check_binaries.py OBJDUMP DIST_DIR"""
import os
import re
import subprocess
import sys

from first_windows import FUNCTIONS, GOALS, newer_than

OPERATIONS = {"RunMorvane", "StopMorvane", "SetRetryOptions", "SetSearchLimit",
              "Zzip", "ZipError", "ZipCount", "Zipped"}
SHIPPED = (".exe", ".dll", ".vnp")


def headers(objdump, path):
    result = subprocess.run([objdump, "-p", path], capture_output=True, text=True)
    return result.stdout if result.returncode == 0 else None


def imports(text):
    """{dll (lower case): [function names]} of one binary's import table."""
    table = {}
    dll = None
    for line in text.splitlines():
        found = re.match(r"\s*DLL Name: (\S+)", line)
        if found:
            dll = found.group(1).lower()
            table.setdefault(dll, [])
            continue
        entry = re.match(r"\t[0-9a-f]+\t\s+\d+\s+(\S+)\s*$", line)
        if dll and entry:
            table[dll].append(entry.group(1))
    return table


def exports(text):
    table = text.split("[Ordinal/Name Pointer] Table", 1)[-1]
    return set(re.findall(r"^\s*\[\s*\d+\]\s+(\S+)\s*$", table, re.M))


def versions(text):
    found = {}
    for kind, field in (("OS", "OSystem"), ("subsystem", "Subsystem")):
        major = re.search(rf"Major{field}Version\s+(\d+)", text)
        minor = re.search(rf"Minor{field}Version\s+(\d+)", text)
        found[kind] = (int(major.group(1)), int(minor.group(1))) if major and minor else None
    return found


def check(name, text, failures, used):
    dlls, nine_x, nt = GOALS[name]
    for kind, version in versions(text).items():
        if version != (4, 0):
            failures.append(f"{name}: {kind} version {version}, not 4.0")
    table = imports(text)
    print(f"{name} (Windows {nine_x} and NT {nt}):")
    for dll in sorted(table):
        print(f"  {dll}: {' '.join(sorted(table[dll]))}")
        if dll not in dlls:
            failures.append(f"{name} imports {dll}, which it may not")
        for function in table[dll]:
            if dll == "mvwrap.dll":
                continue
            row = FUNCTIONS.get(dll, {}).get(function)
            if row is None:
                failures.append(f"{name} imports {dll} {function}, which the table does not list")
                continue
            used.add((dll, function))
            why = newer_than(row, nine_x, nt)
            if why:
                failures.append(f"{name} imports {dll} {function}: {why}")
    if name == "VORNALY.EXE" and "mvwrap.dll" not in table:
        failures.append("VORNALY.EXE does not import MVWRAP.DLL at load time")
    if name == "MVWRAP.DLL" and exports(text) != OPERATIONS:
        failures.append(f"MVWRAP.DLL exports {sorted(exports(text))}, expected {sorted(OPERATIONS)}")


def main():
    objdump, dist = sys.argv[1], sys.argv[2]
    failures = []
    used = set()
    binaries = sorted(name for name in os.listdir(dist) if name.lower().endswith(SHIPPED))
    for name in binaries:
        if name not in GOALS:
            failures.append(f"{name} has no goal in first_windows.py")
            continue
        text = headers(objdump, os.path.join(dist, name))
        if text is None:
            failures.append(f"{name} is not a Windows binary")
            continue
        check(name, text, failures, used)
    for wanted in GOALS:
        if wanted not in binaries:
            failures.append(f"{wanted} is missing from {dist}")
    for dll, functions in FUNCTIONS.items():
        for function in sorted(set(functions) - {f for d, f in used if d == dll}):
            failures.append(f"the table lists {dll} {function}, which no binary imports")

    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
