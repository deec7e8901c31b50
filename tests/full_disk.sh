#!/bin/sh
# full_disk.sh mount|unmount DIR: a 1 MB memory file system at DIR, also
# drive Y: and the network share \\vornaly\small of the Wine prefix, for
# the full-disk tests. Without root there is
# nothing to mount, and the tests that need it skip themselves.
set -e
mkdir -p "$2"
case "$1" in
mount)
    # The same disk as drive Y:, so that free space can be asked by letter.
    # And as a share, so that free space can be asked by a network path.
    if [ -n "$WINEPREFIX" ]; then
        ln -sfn "$2" "$WINEPREFIX/dosdevices/y:"
        mkdir -p "$WINEPREFIX/dosdevices/unc/vornaly"
        ln -sfn "$2" "$WINEPREFIX/dosdevices/unc/vornaly/small"
    fi
    mountpoint -q "$2" && exit 0
    if [ "$(id -u)" -ne 0 ] || ! mount -t tmpfs -o size=1m tmpfs "$2"; then
        echo "no 1 MB disk at $2: the full-disk tests will be skipped"
    fi
    ;;
unmount)
    # Lazily: a Wine process still closing its handles must not fail the run.
    if mountpoint -q "$2"; then umount -l "$2"; fi
    if [ -n "$WINEPREFIX" ]; then
        rm -f "$WINEPREFIX/dosdevices/y:" "$WINEPREFIX/dosdevices/unc/vornaly/small"
    fi
    ;;
esac
