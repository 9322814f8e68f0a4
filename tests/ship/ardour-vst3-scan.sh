#!/bin/sh
# Usage: ardour-vst3-scan.sh PREFIX WORK
# Ardour's own VST3 scanner finds the installed bundle and caches what its factory says:
# the class id, names, category and the stereo buses; the module shows no message, so it
# found its skin in the bundle.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/ardour-env.sh"
prefix=$1
ardour_environment "$2" "$prefix"

output=$(scan_vst3_bundle "$prefix/Vantor Pro/Vantor Pro.vst3" 2>&1) || {
    echo "$output"
    echo "FAIL: ardour-vst3-scanner failed"
    exit 1
}
echo "$output"
cache=$(find "$XDG_CACHE_HOME" -name '*.v3i' | head -n 1)
[ -n "$cache" ] || { echo "FAIL: Ardour cached no VST3 scan"; exit 1; }
check_scan "$(cat "$cache")" "$output" 'uid="202832E1B08D41CA8ECAFABD64DF829F"' 'name="Vantor Pro"' \
    'vendor="Brackwel"' 'category="Fx|Spatial"' 'n_inputs="2"' 'n_outputs="2"' 'n_midi_inputs="0"'
