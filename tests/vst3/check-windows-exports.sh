#!/bin/sh
# Usage: check-windows-exports.sh MODULE CHECK_IMPORTS
# The Windows VST3 module imports only system DLLs (CHECK_IMPORTS says which) and exports
# exactly GetPluginFactory, InitDll and ExitDll.
set -eu
module=$1
sh "$2" "$module"
exports=$(x86_64-w64-mingw32-objdump -p "$module" |
    awk '/^\[Ordinal\/Name Pointer\] Table/ { listing = 1; next } listing && NF == 0 { listing = 0 } listing { print $NF }' |
    sort | tr '\n' ' ')
expected='ExitDll GetPluginFactory InitDll '
if [ "$exports" = "$expected" ]; then
    echo "ok: exports only $expected"
else
    echo "FAIL: exports '$exports', not '$expected'"
    exit 1
fi
