#!/usr/bin/env python3
"""The README's build script for Linux as it stands, natively: run with /srv
moved into a work folder and the builder of this build on the PATH, it must
make the pieces it lists, and the reader must pass them.
Usage: native_readme.py README VNPMAKE VNPUNPACK STUBS"""
import os
import shutil
import subprocess
import sys
import tempfile

readme, builder, reader, stubs = sys.argv[1:5]
lines = open(readme, encoding="utf-8").read().split("\n")
start = lines.index("Span, a password and a start program). A build script:") + 2
script = []
for line in lines[start:]:
    if line and not line.startswith("    "):
        break
    script.append(line[4:])
work = tempfile.mkdtemp(prefix="native-readme-")
try:
    bin_folder = os.path.join(work, "bin")
    os.makedirs(bin_folder)
    # The stubs beside the program, as the Debian package's data folder is.
    shutil.copy(builder, os.path.join(bin_folder, "vnpmake"))
    for stub in ("Install.vnp", "Vornaly.vnp"):
        shutil.copy(os.path.join(stubs, stub), bin_folder)
    for disk, name, data in (("DISK1", "SETUP.EXE", b"MZ setup"),
                             ("DISK2", "DATA.CAB", os.urandom(2000000))):
        os.makedirs(os.path.join(work, "srv", "myapp", disk))
        open(os.path.join(work, "srv", "myapp", disk, name), "wb").write(data)
    text = "\n".join(script).strip().replace("/srv", work + "/srv") + "\n"
    done = subprocess.run(["sh", "-c", text], cwd=work, capture_output=True, text=True,
                          env=dict(os.environ, PATH=bin_folder + ":" + os.environ["PATH"]))
    print(text + done.stdout + done.stderr)
    pieces = sorted(os.listdir(os.path.join(work, "srv", "out")))
    if done.returncode != 0 or pieces != ["MyApp_001.exe", "MyApp_002.exe"]:
        sys.exit("the README's script failed or made %s" % pieces)
    tested = subprocess.run([reader, "test", os.path.join(work, "srv", "out", pieces[0])],
                            capture_output=True, text=True)
    if tested.returncode != 0:
        sys.exit("vnpunpack test: " + tested.stdout + tested.stderr)
finally:
    shutil.rmtree(work)
