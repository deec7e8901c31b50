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
Each program (.EXE, .vnp) carries a manifest as resource 1 of type 24:
well-formed XML that asks for the invoker's rights, in the form Windows
XP before SP3 loads as well (trustInfo in the asm.v2 namespace, no element
with two namespace declarations), naming the Windows versions from Vista
to 10 as supported.
Usage: check_binaries.py OBJDUMP DIST_DIR"""
import os
import re
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

from first_windows import FUNCTIONS, GOALS, newer_than

OPERATIONS = {"RunMorvane", "StopMorvane", "SetRetryOptions", "SetSearchLimit", "LeaveOut",
              "Zzip", "ZipError", "ZipCount", "Zipped"}
SHIPPED = (".exe", ".dll", ".vnp")
PROGRAMS = (".exe", ".vnp")
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V2 = "{urn:schemas-microsoft-com:asm.v2}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SUPPORTED = {"{e2011457-1546-43c5-a5fe-008deee3d3f0}",  # Vista
             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # 7
             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # 8
             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # 8.1
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}  # 10 and 11
RT_MANIFEST = 24


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


def resource(data, kind, number):
    """The bytes of resource kind/number (any language) of a PE file, or None."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    magic = struct.unpack_from("<H", data, pe + 24)[0]
    directories = pe + 24 + (96 if magic == 0x10B else 112)
    root_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    if root_rva == 0:
        return None
    sections = struct.unpack_from("<H", data, pe + 6)[0]
    table = pe + 24 + struct.unpack_from("<H", data, pe + 20)[0]

    def offset(rva):
        for i in range(sections):
            size, address, _, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            if address <= rva < address + size:
                return rva - address + raw
        raise ValueError(f"address {rva:#x} in no section")

    root = offset(root_rva)

    def find(directory, wanted):
        named, numbered = struct.unpack_from("<HH", data, directory + 12)
        for i in range(named + numbered):
            ident, target = struct.unpack_from("<II", data, directory + 16 + 8 * i)
            if wanted is None or (not ident & 0x80000000 and ident == wanted):
                return target
        return None

    level = root
    for wanted in (kind, number, None):
        target = find(level, wanted)
        if target is None:
            return None
        level = root + (target & 0x7FFFFFFF)
    rva, size = struct.unpack_from("<II", data, level)
    return data[offset(rva):offset(rva) + size]


def check_manifest(name, data, failures):
    text = resource(data, RT_MANIFEST, 1)
    if text is None:
        failures.append(f"{name} carries no manifest")
        return
    try:
        root = ElementTree.fromstring(text)
    except ElementTree.ParseError as error:
        failures.append(f"{name}: its manifest is not well-formed XML ({error})")
        return
    levels = [e.get("level") for e in root.iter(f"{ASM_V2}requestedExecutionLevel")]
    if root.tag != f"{ASM_V1}assembly" or levels != ["asInvoker"]:
        failures.append(f"{name}: its manifest asks for {levels or 'nothing'} in the asm.v2 "
                        "trustInfo of an asm.v1 assembly, not for asInvoker")
    if root.find(f"{ASM_V1}assemblyIdentity") is None:
        failures.append(f"{name}: its manifest has no assemblyIdentity, which XP requires")
    for element in re.findall(rb"<[^!?/][^>]*>", text):
        if len(re.findall(rb"\sxmlns(?::\w+)?=", element)) > 1:
            failures.append(f"{name}: an element of its manifest declares two namespaces, "
                            f"which stops Windows XP SP2: {element.decode()}")
    supported = {e.get("Id") for e in root.iter(f"{COMPATIBILITY}supportedOS")}
    if supported != SUPPORTED:
        failures.append(f"{name}: its manifest names {sorted(supported)} as supported")
    print(f"  manifest: {', '.join(levels)}, {len(supported)} supported versions, {len(text)} bytes")


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
        if name.lower().endswith(PROGRAMS):
            with open(os.path.join(dist, name), "rb") as f:
                check_manifest(name, f.read(), failures)
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
