#!/bin/sh
# The release as a user gets it: tools/release twice gives the same zip and
# Debian package, independent readers take the zip, it holds the program
# folder, the package's programs work unpacked, and, where this
# host runs 32-bit programs, the unpacked folder in a fresh Wine prefix makes
# a package with VNPMAKE.EXE that installs.
# Usage: release_test.sh SOURCE_DIR TEST_TREE WORK_DIR
set -e
source=$1 tree=$2 work=$3
rm -rf "$work"
mkdir -p "$work/one" "$work/two"
python3 "$source/tools/release" "$source/build/dist" "$work/one" >/dev/null
python3 "$source/tools/release" "$source/build/dist" "$work/two" >/dev/null
cmp "$work/one/vornaly-2.0-win32.zip" "$work/two/vornaly-2.0-win32.zip"
cmp "$work/one/SHA256SUMS" "$work/two/SHA256SUMS"
(cd "$work/one" && sha256sum -c --quiet SHA256SUMS)
unzip -tqq "$work/one/vornaly-2.0-win32.zip"
7z t "$work/one/vornaly-2.0-win32.zip" >/dev/null
unzip -q "$work/one/vornaly-2.0-win32.zip" -d "$work/unpacked"
folder="$work/unpacked/vornaly-2.0-win32"
for name in VORNALY.EXE VNPMAKE.EXE MVWRAP.DLL Install.vnp Vornaly.vnp Vornaly.hlp Vornaly.htm \
    README.TXT; do
    [ -f "$folder/$name" ] || { echo "$name is not in the release"; exit 1; }
done
# The Debian package of the native tools: the same bytes twice, no lintian
# error or warning, and its programs and stubs working from an unpacked copy.
deb=vornaly-tools_2.0_amd64.deb
cmp "$work/one/$deb" "$work/two/$deb"
lintian --fail-on error,warning "$work/one/$deb" 2>/dev/null
dpkg-deb -x "$work/one/$deb" "$work/deb"
python3 -B "$source/tests/reader_native.py" "$work/deb/usr/bin/vnpunpack" "$work/deb/usr/share/vornaly"
# vnpmake takes the stubs from ../share/vornaly beside it, as installed.
mkdir -p "$work/native/DISK1"
printf 'MZ setup' >"$work/native/DISK1/SETUP.EXE"
"$work/deb/usr/bin/vnpmake" "$work/native/Setup.exe" "$work/native/DISK1" >/dev/null
"$work/deb/usr/bin/vnpunpack" test "$work/native/Setup.exe" >/dev/null
# README.TXT is plain text with CRLF line ends and nothing else.
python3 -c 'import sys; t = open(sys.argv[1], "rb").read(); assert t.count(b"\n") == t.count(b"\r\n") > 0 and max(t) < 128' \
    "$folder/README.TXT"

. "$source/tools/test-arch"
if [ "$test_arch" != x86 ]; then
    echo "The unpacked program folder was not run: $test_arch_reason."
    exit 0
fi
. "$source/tools/wine-env"
wine_tree "$tree"
wine_prefix "$work/wineprefix" headless
mkdir -p "$work/setup/DISK1" "$work/setup/DISK2"
cp "$tree/tests/stub_probe.exe" "$work/setup/DISK1/SETUP.EXE"
head -c 200000 /dev/urandom >"$work/setup/DISK2/DATA.BIN"
winpath() { echo "Z:$1" | tr / '\\'; }
cd "$work"
wine "$folder/VNPMAKE.EXE" "$(winpath "$work/Setup.exe")" "$(winpath "$work/setup/DISK2")" \
    "$(winpath "$work/setup/DISK1")" </dev/null >"$work/vnpmake.out"
grep -qx "Ready" "$work/vnpmake.out"
export VNP_PROBE_LOG="$(winpath "$work/probe.log")" VNP_PROBE_EXIT=7
code=0
wine "$work/Setup.exe" /Q </dev/null >/dev/null 2>&1 || code=$?
wineserver -w
[ "$code" = 7 ] || { echo "the package ended with $code, not the start program's 7"; exit 1; }
grep -q "file=DATA.BIN 200000" "$work/probe.log"
echo "release unpacked in a fresh prefix made a package that installed"
