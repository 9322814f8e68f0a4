#!/bin/sh
# Usage: ardour-vst3-preset.sh PREFIX WORK files|programs
# Ardour, headless, loads a factory preset of the installed VST3 bundle as its preset menu
# does: ardour7-lua puts Vantor Pro on a track of a new session, loads "Mono Check" by its
# label, and every value the plug-in then reports must be the preset file's. With `files`
# the .vstpreset files are where an install into the default prefix puts them
# (~/.vst3/presets/Brackwel/Vantor Pro); with `programs` there are none, as with a bundle
# copied by hand, and Ardour lists the plug-in's own program list. Ardour loads it on its main thread holding its own locks, so a
# plug-in that calls back into Ardour from the load hangs it for good: the timeout ends that.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/ardour-env.sh"
prefix=$1 work=$2 source=$3
python=/usr/bin/python3
label="Mono Check"
ardour_environment "$work" "$prefix"
bundle="$prefix/Vantor Pro/Vantor Pro.vst3"
presets="$HOME/.vst3/presets/Brackwel/Vantor Pro"
kind=program
if [ "$source" = files ]; then
    kind=file
    mkdir -p "$presets"
    cp "$bundle/Contents/Resources/Presets/"*.vstpreset "$presets/"
fi

fail() {
    echo "FAIL: $1"
    exit 1
}

echo "--- scan"
scan_vst3_bundle "$bundle" >"$work/scan.log" 2>&1 || { cat "$work/scan.log"; fail "scanning"; }

echo "--- load the preset \"$label\""
load() {
    status=0
    ardour_step ardour7-lua "$here/ardour-session.lua" preset "$work/session" vantor VST3 "Vantor Pro" "$label" "$kind" \
        >"$work/preset.log" 2>&1 || status=$?
    grep -v '^\[WARNING\]' "$work/preset.log"
    [ "$status" != 124 ] || echo "ardour7-lua did not finish in time"
    grep -q '^parameter' "$work/preset.log"
}
load || { rm -rf "$work/session"; echo "--- load again"; load; } ||
    fail "ardour7-lua could not load the preset (or hung: a call back into Ardour from the load)"
$python "$here/session_checks.py" preset-values "$bundle/Contents/Resources/Presets/$label.vstpreset" "$work/preset.log"
if grep -F '[Vantor Pro]' "$work"/*.log; then
    fail "the plug-in reported a problem inside Ardour"
fi
