#!/bin/sh
# Usage: ardour-scan.sh PREFIX WORK
# Ardour's own VST scanner finds the installed module and reads its identity; the module
# shows no message (with VANTOR_NO_DIALOGS=1 its message boxes are "[Vantor Pro] ..." lines),
# so it found its skin.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/ardour-env.sh"
prefix=$1
ardour_environment "$2" "$prefix"

output=$(scan_module "$prefix/Vantor Pro/Vantor Pro.so" 2>&1) || {
    echo "$output"
    echo "FAIL: ardour-vst-scanner failed"
    exit 1
}
echo "$output"
status=0
# 1450071153 is 'VnTq', our unique ID.
for want in 'id="1450071153"' 'name="Vantor Pro"' 'creator="Brackwel"' 'n_inputs="2"' 'n_outputs="2"' \
            'can_process_replace="1"' 'has_editor="1"' 'is_instrument="0"'; do
    if echo "$output" | grep -q "<VST2Info .*$want"; then
        echo "ok: $want"
    else
        echo "FAIL: Ardour's scan lacks $want"
        status=1
    fi
done
if echo "$output" | grep -F '[Vantor Pro]'; then
    echo "FAIL: the plug-in reported a problem while Ardour scanned it"
    status=1
fi
exit $status
