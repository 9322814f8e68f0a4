#!/bin/sh
# Usage: ardour-session.sh PREFIX WORK vst|vst3|lv2 [REFERENCE_RENDER]
# Ardour, headless, with the installed VST 2.4 module, VST3 bundle or LV2 bundle (added by
# its URI): ardour7-lua builds a session (a sine locked to the timeline, timeline-sine.lua,
# into Vantor Pro with Gain 0.25 (on LV2's port -12.04 dB), Active automated off after 1.5 s;
# for LV2 Ardour must describe Gain in dB and Eq_Num as a count) and saves it; for VST 2.4 Ardour's own copy of the Gain value is reset so only the plug-in's
# chunk keeps 0.25; ardour7-export renders the saved session, where the active part must be
# a quarter (-12 dB) of the bypassed part, and sound as REFERENCE_RENDER (the other format's
# render of the same session) where given; ardour7-lua reopens it and the plug-in must
# report Gain 0.25 again.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/ardour-env.sh"
prefix=$1 work=$2 format=$3 reference=${4:-}
python=/usr/bin/python3
ardour_environment "$work" "$prefix"
session="$work/session"

step() {
    echo "--- $1"
}
fail() {
    echo "FAIL: $1"
    exit 1
}

step "scan"
# The name (for LV2 the URI) Ardour is asked for the plug-in by.
plugin_name="Vantor Pro"
if [ "$format" = vst3 ]; then
    plugin_type=VST3
    scan_vst3_bundle "$prefix/Vantor Pro/Vantor Pro.vst3" >"$work/scan.log" 2>&1 || { cat "$work/scan.log"; fail "scanning"; }
elif [ "$format" = lv2 ]; then
    # Ardour finds LV2 bundles through lilv when it starts; there is no scanner to run.
    plugin_type=LV2
    plugin_name=https://brackwel.com/plugins/vantor-pro
else
    plugin_type=LXVST
    scan_module "$prefix/Vantor Pro/Vantor Pro.so" >"$work/scan.log" 2>&1 || { cat "$work/scan.log"; fail "scanning"; }
fi

step "create the session"
create() {
    ardour_step ardour7-lua "$here/ardour-session.lua" create "$session" vantor $plugin_type "$plugin_name" \
        >"$work/create.log" 2>&1 || true
    grep -v '^\[WARNING\]' "$work/create.log"
    grep -qx created "$work/create.log"
}
create || { rm -rf "$session"; echo "--- create again"; create; } || fail "ardour7-lua could not build the session"
if [ "$format" = lv2 ]; then
    # Ardour offers Gain as dB from -80 (silence) to +12, 0 dB by default, and Eq_Num as a
    # count of points in whole steps.
    grep -Eqx 'descriptor 5 Gain -80.0000..12.0412 default 0.0000 continuous' "$work/create.log" ||
        fail "Ardour does not describe Gain in dB"
    grep -Eqx 'descriptor 6 Eq_Num 0.0000..16.0000 default 2.0000 whole steps' "$work/create.log" ||
        fail "Ardour does not describe Eq_Num as a count"
fi

# ardour7-export renders the session range, which the Lua bindings cannot set: the script
# added a plain range over the same span, turned into the session range here.
sed -i 's/name="range1" \(.*\)flags="IsRangeMarker"/name="session" \1flags="IsSessionRange"/' \
    "$session/vantor.ardour"
grep -q 'flags="IsSessionRange"' "$session/vantor.ardour" || fail "no session range in the saved session"

if [ "$format" = vst ]; then
    step "the saved state"
    $python "$here/session_checks.py" chunk-value "$session/vantor.ardour" 5 0.25
    $python "$here/session_checks.py" forget-value "$session/vantor.ardour" Gain 0.5
fi

step "render with ardour7-export"
render() {
    ardour_step ardour7-export -b float -o "$work/render.wav" "$session" vantor >"$work/export.log" 2>&1 ||
        { cat "$work/export.log"; return 1; }
    $python "$here/session_checks.py" levels "$work/render.wav" 1.5 0.25 || return 1
    if [ -n "$reference" ]; then
        $python "$here/session_checks.py" same-sound "$work/render.wav" "$reference" 1.5 ||
            { echo "the formats sound different"; return 1; }
    fi
}
render || { echo "--- render again"; render; } || fail "the render through Ardour"

step "reopen the session"
reopen() {
    ardour_step ardour7-lua "$here/ardour-session.lua" reopen "$session" vantor $plugin_type >"$work/reopen.log" 2>&1 || true
    grep '^parameter' "$work/reopen.log"
}
reopen || { echo "--- reopen again"; reopen; } || { cat "$work/reopen.log"; fail "ardour7-lua could not reopen the session"; }
if [ "$format" = lv2 ]; then
    # LV2 ports carry the user's units: Gain a quarter in dB, Stereo Width 50 %.
    grep -qx 'parameter 5 Gain -12.0412' "$work/reopen.log" || fail "Gain did not come back as -12.04 dB from the chunk"
    grep -qx 'parameter 1 Stereo Width 50.0000' "$work/reopen.log" || fail "Stereo Width did not keep its default"
else
    grep -qx 'parameter 5 Gain 0.2500' "$work/reopen.log" || fail "Gain did not come back as 0.25 from the chunk"
    grep -qx 'parameter 1 Stereo Width 0.5000' "$work/reopen.log" || fail "Stereo Width did not keep its default"
fi
echo "ok: the reopened plug-in has Gain 0.25 from its chunk"
if grep -F '[Vantor Pro]' "$work"/*.log; then
    fail "the plug-in reported a problem inside Ardour"
fi
