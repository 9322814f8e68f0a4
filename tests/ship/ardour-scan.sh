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
# 1450071153 is 'VnTq', our unique ID.
check_scan "$(echo "$output" | grep '<VST2Info ')" "$output" 'id="1450071153"' 'name="Vantor Pro"' \
    'creator="Brackwel"' 'n_inputs="2"' 'n_outputs="2"' 'can_process_replace="1"' 'has_editor="1"' 'is_instrument="0"'
