#!/usr/bin/env python3
"""Checks the program folder's binaries from outside: VORNALY.EXE imports only
system DLLs and MVWRAP.DLL (the runtime is linked in), and MVWRAP.DLL exports
its eight operations under their plain names.
Usage: check_binaries.py OBJDUMP DIST_DIR"""
import re
import subprocess
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll",
               "shell32.dll", "advapi32.dll", "imagehlp.dll", "msvcrt.dll"}
OPERATIONS = {"RunMorvane", "StopMorvane", "SetRetryOptions", "SetSearchLimit",
              "Zzip", "ZipError", "ZipCount", "Zipped"}


def headers(objdump, path):
    return subprocess.run([objdump, "-p", path], check=True, capture_output=True,
                          text=True).stdout


def imports(text):
    return {name.lower() for name in re.findall(r"DLL Name: (\S+)", text)}


def exports(text):
    table = text.split("[Ordinal/Name Pointer] Table", 1)[-1]
    return set(re.findall(r"^\s*\[\s*\d+\]\s+(\S+)\s*$", table, re.M))


def main():
    objdump, dist = sys.argv[1], sys.argv[2]
    failures = []

    program = imports(headers(objdump, f"{dist}/VORNALY.EXE"))
    if "mvwrap.dll" not in program:
        failures.append("VORNALY.EXE does not import MVWRAP.DLL at load time")
    foreign = program - SYSTEM_DLLS - {"mvwrap.dll"}
    if foreign:
        failures.append(f"VORNALY.EXE imports non-system DLLs: {sorted(foreign)}")

    component = headers(objdump, f"{dist}/MVWRAP.DLL")
    foreign = imports(component) - SYSTEM_DLLS
    if foreign:
        failures.append(f"MVWRAP.DLL imports non-system DLLs: {sorted(foreign)}")
    exported = exports(component)
    if exported != OPERATIONS:
        failures.append(f"MVWRAP.DLL exports {sorted(exported)}, expected {sorted(OPERATIONS)}")

    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
