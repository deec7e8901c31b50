#!/usr/bin/env python3
"""Checks the program folder's binaries from outside.

Every program and DLL there (.EXE, .DLL, .vnp) imports only system DLLs and
MVWRAP.DLL (the runtime is linked in), nothing that Windows XP lacks, and
asks for no newer subsystem version than XP's;
VORNALY.EXE binds MVWRAP.DLL at load time, and MVWRAP.DLL exports its eight
operations under their plain names. Every imported function is listed.

Whether a function is newer than Windows XP is asked of the cross compiler's
own headers, which declare such functions only for a newer target; a few
that the headers declare for every target are named here.
Usage: check_binaries.py OBJDUMP C_COMPILER DIST_DIR"""
import os
import re
import subprocess
import sys
import tempfile

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll",
               "shell32.dll", "advapi32.dll", "imagehlp.dll", "msvcrt.dll", "ole32.dll",
               "oleaut32.dll", "shlwapi.dll", "version.dll", "winmm.dll"}
OPERATIONS = {"RunMorvane", "StopMorvane", "SetRetryOptions", "SetSearchLimit",
              "Zzip", "ZipError", "ZipCount", "Zipped"}
SHIPPED = (".exe", ".dll", ".vnp")
# Newer than Windows XP, yet declared by the headers whatever the target.
NEWER_THAN_XP = {"GetThreadId", "GetCurrentProcessorNumber", "SetThreadErrorMode",
                 "GetSystemTimePreciseAsFileTime", "RegGetValueA", "RegGetValueW"}
HEADERS = ["windows.h", "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h"]
XP, NEWEST = "0x0501", "0x0A00"


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


def undeclared(compiler, names, version):
    """The names the platform headers do not declare for that target."""
    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, "imports.c")
        with open(source, "w") as out:
            out.write("".join(f"#include <{h}>\n" for h in HEADERS))
            out.write("void Imports(void) {\n")
            out.write("".join(f"    (void)&{name};\n" for name in sorted(names)))
            out.write("}\n")
        result = subprocess.run(
            [compiler, f"-D_WIN32_WINNT={version}", f"-DWINVER={version}", "-D_WIN32_IE=0x0600",
             "-fsyntax-only", source], capture_output=True, text=True)
    return set(re.findall(r"[‘'](\w+)[’'] undeclared", result.stderr))


def main():
    objdump, compiler, dist = sys.argv[1], sys.argv[2], sys.argv[3]
    failures = []
    binaries = sorted(name for name in os.listdir(dist) if name.lower().endswith(SHIPPED))
    platform_functions = {}
    for name in binaries:
        text = headers(objdump, os.path.join(dist, name))
        if text is None:
            failures.append(f"{name} is not a Windows binary")
            continue
        table = imports(text)
        version = tuple(int(v) for v in re.findall(r"(?:Major|Minor)SubsystemVersion\s+(\d+)", text))
        if version > (5, 1):
            failures.append(f"{name} asks for Windows {version[0]}.{version[1]}; XP is 5.1")
        print(f"{name}:")
        for dll in sorted(table):
            print(f"  {dll}: {' '.join(sorted(table[dll]))}")
        foreign = set(table) - SYSTEM_DLLS - {"mvwrap.dll"}
        if foreign:
            failures.append(f"{name} imports non-system DLLs: {sorted(foreign)}")
        for dll, functions in table.items():
            if dll not in ("msvcrt.dll", "mvwrap.dll"):
                for function in functions:
                    platform_functions.setdefault(function, set()).add(name)
        if name.upper() == "VORNALY.EXE" and "mvwrap.dll" not in table:
            failures.append("VORNALY.EXE does not import MVWRAP.DLL at load time")
        if name.upper() == "MVWRAP.DLL" and exports(text) != OPERATIONS:
            failures.append(f"MVWRAP.DLL exports {sorted(exports(text))}, "
                            f"expected {sorted(OPERATIONS)}")
    for wanted in ("VORNALY.EXE", "MVWRAP.DLL"):
        if wanted not in (name.upper() for name in binaries):
            failures.append(f"{wanted} is missing from {dist}")

    missing_on_xp = undeclared(compiler, platform_functions, XP)
    unknown = undeclared(compiler, platform_functions, NEWEST)
    newer = (missing_on_xp - unknown) | (NEWER_THAN_XP & set(platform_functions))
    for function in sorted(newer):
        failures.append(f"{function} is newer than Windows XP; imported by "
                        f"{', '.join(sorted(platform_functions[function]))}")
    if unknown:
        print(f"not declared by the platform headers, so not judged: {sorted(unknown)}")

    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
