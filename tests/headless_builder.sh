#!/bin/sh
# The README's build-script example as it stands, where a build server runs
# it: a fresh Wine prefix with no graphics driver set and no DISPLAY, so
# that no window can be made at all. Its pieces must be the bytes that the
# window's Create made of the same setup folders with the same choices (left
# by SameBytes.ThroughTheWindowAndThroughTheBuilder). Only /srv is moved into
# the work folder.
# Usage: headless_builder.sh SOURCE_DIR TEST_TREE WORK_DIR BUILDER_PACKAGES_DIR
set -e
source=$1 tree=$2 work=$3 packages=$4
. "$source/tools/test-arch"
# Exit code 77 is CTest's skip (SKIP_RETURN_CODE): a test that cannot run
# here must not count as passed.
if [ "$test_arch" != x86 ]; then
    echo "The README's example runs the 32-bit build/dist, which this host cannot: $test_arch_reason."
    exit 77
fi
. "$source/tools/wine-env"
wine_tree "$tree"
unset DISPLAY WAYLAND_DISPLAY
wine_server_stop "$work/wineprefix"
rm -rf "$work"
mkdir -p "$work/build"
ln -s "$source/build/dist" "$work/build/dist"
wine_prefix "$work/wineprefix"
if wine reg query 'HKCU\Software\Wine\Drivers' /v Graphics </dev/null >/dev/null 2>&1; then
    echo "the fresh prefix has a graphics driver setting"
    exit 1
fi
wine_server_start
trap 'wine_server_stop' EXIT

winpath() { echo "Z:$1" | tr / '\\'; }
python3 - "$source/README.md" "$work" "$packages/setup" "$(winpath "$work")" \
    "$(winpath "$packages/setup")" >"$work/build.sh" <<'PY'
import sys
readme, work, setup, workWin, setupWin = sys.argv[1:]
lines = open(readme).read().split("\n")
start = lines.index("It runs under Wine from a Linux build script as well:") + 2
script = []
for line in lines[start:]:
    if line and not line.startswith("    "):
        break
    script.append(line[4:])
text = "\n".join(script).strip() + "\n"
for old, new in (("\\srv\\myapp", setupWin[2:]), ("\\srv", workWin[2:] + "\\srv"),
                 ("/srv/myapp", setup), ("/srv", work + "/srv")):
    text = text.replace(old, new)
print(text, end="")
PY
mkdir -p "$work/srv"
cd "$work"
sh ./build.sh </dev/null
grep -qx "Ready" build.log || { echo "build.log has no Ready line:"; cat build.log; exit 1; }
count=0
for piece in "$work"/srv/out/MyApp_*.exe; do
    number=${piece##*_}
    cmp "$piece" "$packages/window/Span_$number"
    count=$((count + 1))
done
[ "$count" -eq "$(ls "$packages"/window/Span_*.exe | wc -l)" ]
echo "the README's example made, without any window, the $count pieces the window made"
