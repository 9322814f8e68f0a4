#!/bin/sh
# The Windows module must load on a bare system: its import table may name only DLLs that
# every Windows installation has.
set -eu
module=$1
allowed='^(KERNEL32|USER32|GDI32|OPENGL32|ADVAPI32|SHELL32|OLE32|msvcrt)\.dll$'
imports=$(x86_64-w64-mingw32-objdump -p "$module" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$imports" ] || { echo "no import table found in $module"; exit 1; }
status=0
for dll in $imports; do
    if echo "$dll" | grep -Eiq "$allowed"; then
        echo "ok: $dll"
    else
        echo "not a system DLL: $dll"
        status=1
    fi
done
exit $status
