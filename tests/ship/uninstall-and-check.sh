#!/bin/sh
# Usage: uninstall-and-check.sh BUILD_DIR PREFIX
# Runs the build's uninstall target after install-and-check.sh and checks that it removed
# every installed file and folder, and kept the user's own file and the other plug-in.
set -eu
build=$1 prefix=$2

cmake --build "$build" --target uninstall

status=0
left=$(cd "$prefix/Vantor Pro" 2>/dev/null && find . | sort | tr '\n' ' ') || left="nothing, the folder is gone"
if [ "$left" != ". ./Presets ./Presets/mine.fxp " ]; then
    echo "FAIL: the plug-in folder should hold only the user's Presets/mine.fxp, it holds: $left"
    status=1
fi
if [ "$(cat "$prefix/Vantor Pro/Presets/mine.fxp" 2>/dev/null)" != "the user's" ]; then
    echo "FAIL: the user's own file in the plug-in folder was touched"
    status=1
fi
if [ "$(cat "$prefix/Other Vendor/other.so" 2>/dev/null)" != "not ours" ]; then
    echo "FAIL: another vendor's plug-in in the same folder was touched"
    status=1
fi
[ $status -ne 0 ] || echo "ok: every installed file is gone; the user's file and the other plug-in stayed"
exit $status
