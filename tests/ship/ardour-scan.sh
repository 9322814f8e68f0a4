#!/bin/sh
# Usage: ardour-scan.sh PREFIX WORK vst|vst3
# Ardour's own scanner finds the installed VST 2.4 module or VST3 bundle and reads its
# identity (the VST3 scanner caches what the factory says: class id, names, category and the
# stereo buses); the module shows no message (with VANTOR_NO_DIALOGS=1 its message boxes
# are "[Vantor Pro] ..." lines), so it found its skin.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/ardour-env.sh"
prefix=$1
ardour_environment "$2" "$prefix"

case $3 in
vst) output=$(scan_module "$prefix/Vantor Pro/Vantor Pro.so" 2>&1) ;;
vst3) output=$(scan_vst3_bundle "$prefix/Vantor Pro/Vantor Pro.vst3" 2>&1) ;;
esac || {
    echo "$output"
    echo "FAIL: Ardour's $3 scanner failed"
    exit 1
}
echo "$output"
if [ "$3" = vst ]; then
    # 1450071153 is 'VnTq', our unique ID.
    check_scan "$(echo "$output" | grep '<VST2Info ')" "$output" 'id="1450071153"' 'name="Vantor Pro"' \
        'creator="Brackwel"' 'n_inputs="2"' 'n_outputs="2"' 'can_process_replace="1"' 'has_editor="1"' \
        'is_instrument="0"'
else
    cache=$(find "$XDG_CACHE_HOME" -name '*.v3i' | head -n 1)
    [ -n "$cache" ] || { echo "FAIL: Ardour cached no VST3 scan"; exit 1; }
    check_scan "$(cat "$cache")" "$output" 'uid="202832E1B08D41CA8ECAFABD64DF829F"' 'name="Vantor Pro"' \
        'vendor="Brackwel"' 'category="Fx|Spatial"' 'n_inputs="2"' 'n_outputs="2"' 'n_midi_inputs="0"'
fi
