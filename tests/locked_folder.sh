#!/bin/sh
# locked_folder.sh lock|unlock DIR: DIR/locked, a folder that nobody, root
# included, may write into (the immutable attribute), for the tests of a
# package extracting where its user may not write: Wine, running as root,
# refuses nothing otherwise. Where the attribute cannot be set the folder
# stays writable, and the tests that need it skip themselves.
mkdir -p "$2/locked"
case "$1" in
lock)
    chattr +i "$2/locked" 2>/dev/null ||
        echo "$2/locked cannot be locked: the locked-folder tests will be skipped"
    ;;
unlock)
    chattr -i "$2/locked" 2>/dev/null
    rm -rf "$2/locked"
    ;;
esac
exit 0
