#!/usr/bin/env python3
"""Packages signed as publishers sign them: the builder makes a whole package
and a spanned one, osslsigncode signs the whole package and the spanned
one's first piece with a certificate made here, and each signed package
then runs under the test tree's Wine, through a table of cases.
Usage: signed_packages.py TEST_TREE WORK_DIR"""
import filecmp
import os
import shutil
import struct
import subprocess
import sys

TREE, WORK = sys.argv[1], sys.argv[2]


def winpath(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wine(*arguments, env=None):
    run = subprocess.run([f"{TREE}/wine-run", *arguments], stdin=subprocess.DEVNULL,
                         capture_output=True, env=env, timeout=180)
    return run.returncode


def certificate_table(path):
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    directories = 112 if struct.unpack_from("<H", data, pe + 24)[0] == 0x20B else 96
    return struct.unpack_from("<II", data, pe + 24 + directories + 32)


def flip(path, at):
    data = bytearray(open(path, "rb").read())
    data[at] ^= 0x55
    open(path, "wb").write(data)


def noise_at(path, noise):
    """Where the middle of the incompressible file lies in the package: its
    deflate blocks keep it as it is."""
    at = open(path, "rb").read().find(noise[len(noise) // 2:len(noise) // 2 + 64])
    assert at > 0, f"the file's bytes are not in {path}"
    return at


def same_tree(a, b):
    compared = filecmp.dircmp(a, b)
    if compared.left_only or compared.right_only or compared.funny_files:
        return False
    if filecmp.cmpfiles(a, b, compared.common_files, shallow=False)[1:] != ([], []):
        return False
    return all(same_tree(f"{a}/{d}", f"{b}/{d}") for d in compared.common_dirs)


def make_packages():
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(f"{WORK}/setup/DISK1")
    os.makedirs(f"{WORK}/setup/DISK2")
    shutil.copy(f"{TREE}/tests/stub_probe.exe", f"{WORK}/setup/DISK1/SETUP.EXE")
    open(f"{WORK}/setup/DISK1/README.TXT", "w").write("Read me.\n")
    noise = os.urandom(3000000)
    open(f"{WORK}/setup/DISK2/DATA.CAB", "wb").write(noise)
    # The package holds the folders' contents side by side.
    shutil.copytree(f"{WORK}/setup/DISK1", f"{WORK}/expected")
    shutil.copytree(f"{WORK}/setup/DISK2", f"{WORK}/expected", dirs_exist_ok=True)
    folders = [winpath(f"{WORK}/setup/DISK1"), winpath(f"{WORK}/setup/DISK2")]
    for name, switches in (("plain", []), ("span", ["/SPAN"])):
        os.makedirs(f"{WORK}/{name}")
        code = wine(f"{TREE}/dist/VNPMAKE.EXE", *switches, winpath(f"{WORK}/{name}/Setup.exe"),
                    *folders)
        assert code == 0, f"the builder ended with {code}"
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                    "-subj", "/CN=Vornaly test publisher", "-keyout", f"{WORK}/key.pem",
                    "-out", f"{WORK}/cert.pem"], check=True, capture_output=True)
    signed = {"plain": f"{WORK}/plain/Setup.exe", "span": f"{WORK}/span/Setup_001.exe"}
    for path in signed.values():
        subprocess.run(["osslsigncode", "sign", "-certs", f"{WORK}/cert.pem", "-key",
                        f"{WORK}/key.pem", "-in", path, "-out", path + ".signed"],
                       check=True, capture_output=True)
        os.replace(path + ".signed", path)
    return noise, signed


# name, package, what is changed after signing, switches, exit code, check
CASES = [
    ("PlainExtractsByteForByte", "plain", None, ["/Q", "/X:{out}"], 0, "same"),
    ("PlainRunsItsStartProgram", "plain", None, [], 42, "probe"),
    ("FirstPieceExtractsByteForByte", "span", None, ["/Q", "/X:{out}"], 0, "same"),
    ("FirstPieceRunsItsStartProgram", "span", None, [], 42, "probe"),
    ("PlainTestsItselfComplete", "plain", None, ["/T", "/Q"], 0, None),
    ("FirstPieceTestsItselfComplete", "span", None, ["/T", "/Q"], 0, None),
    ("ChangedSignatureStillInstalls", "plain", "signature", ["/Q", "/X:{out}"], 0, "same"),
    ("ChangedArchiveByteIsRefused", "plain", "archive", ["/Q:A", "/X:{out}"], 1, "damaged"),
]


def run_case(case, noise, signed, failures):
    name, package, change, switches, expected, check = case
    folder = f"{WORK}/cases/{name}"
    shutil.copytree(os.path.dirname(signed[package]), folder)
    path = f"{folder}/{os.path.basename(signed[package])}"
    if change == "signature":
        table, size = certificate_table(path)
        flip(path, table + size // 2)
    elif change == "archive":
        flip(path, noise_at(path, noise))
    out, log, probe = f"{folder}/out", f"{folder}/run.log", f"{folder}/probe.log"
    env = dict(os.environ, VNP_PROBE_LOG=winpath(probe), VNP_PROBE_EXIT="42")
    arguments = [s.format(out=winpath(out)) for s in switches] + ["/L:" + winpath(log)]
    code = wine(path, *arguments, env=env)
    said = open(log, errors="replace").read() if os.path.exists(log) else ""
    if code != expected:
        failures.append(f"{name}: exit code {code}, not {expected}; log:\n{said}")
    elif check == "same" and not same_tree(out, f"{WORK}/expected"):
        failures.append(f"{name}: {out} does not hold the setup folders byte for byte")
    elif check == "probe" and "file=DATA.CAB 3000000" not in open(probe).read():
        failures.append(f"{name}: the start program did not see the files")
    elif check == "damaged" and ("damaged" not in said or os.path.exists(out)):
        failures.append(f"{name}: not refused as damaged, or files left; log:\n{said}")


def main():
    noise, signed = make_packages()
    failures = []
    for path in signed.values():
        verify = subprocess.run(["osslsigncode", "verify", "-CAfile", f"{WORK}/cert.pem", path],
                                capture_output=True, text=True)
        if verify.returncode != 0:
            failures.append(f"osslsigncode does not verify {path}:\n{verify.stdout}")
    for case in CASES:
        run_case(case, noise, signed, failures)
    for failure in failures:
        print(failure)
    print(f"{len(CASES) - len(failures)} of {len(CASES)} signed package cases passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
