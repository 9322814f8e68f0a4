#!/bin/sh
# Loads each built module with our own small host and prints what a DAW sees.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)

echo "=== Linux: dist/linux/Vantor Pro.so ==="
"$root/build/release-linux/tools/inspect/vantor-inspect" "$root/dist/linux/Vantor Pro.so"

echo
echo "=== Windows x64 under Wine: dist/windows/Vantor Pro.dll ==="
VANTOR_WINE_PREFIX="$root/build/wineprefix" "$root/tests/host/run-under-wine.sh" \
    "$root/build/release-win64/tools/inspect/vantor-inspect.exe" "Z:$root/dist/windows/Vantor Pro.dll" | tr -d '\r'
