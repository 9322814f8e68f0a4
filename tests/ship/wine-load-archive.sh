#!/bin/sh
# Usage: wine-load-archive.sh ARCHIVE INSPECT_EXE RUN_UNDER_WINE VENDOR_VERSION
# Unpacks the Windows release archive and loads its DLL with our host program under Wine,
# as a user's host would from the unzipped folder: the module must report VENDOR_VERSION
# and show no message ("[Vantor Pro] ..." lines with VANTOR_NO_DIALOGS=1), so it found the
# skin beside it.
set -eu
archive=$1 inspect=$2 run_under_wine=$3 vendor=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$archive")

output=$(timeout 120 sh "$run_under_wine" "$inspect" "Z:$work/Vantor Pro/Vantor Pro.dll" 2>&1 | tr -d '\r') || {
    echo "$output"
    echo "FAIL: the archived DLL did not load under Wine"
    exit 1
}
echo "$output"
status=0
if echo "$output" | grep -q "(vendor version $vendor,"; then
    echo "ok: the archived DLL reports vendor version $vendor"
else
    echo "FAIL: the archived DLL does not report vendor version $vendor"
    status=1
fi
if echo "$output" | grep -F '[Vantor Pro]'; then
    echo "FAIL: the archived DLL reported a problem"
    status=1
fi
exit $status
