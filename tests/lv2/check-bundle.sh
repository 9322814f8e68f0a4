#!/bin/sh
# Usage: check-bundle.sh BUNDLE
# The bundle as LV2's own tools see it:
# - lv2_validate (Debian's lv2-dev) finds no error in its Turtle files; it can exit 0 while
#   printing errors, so its error lines are counted;
# - lv2info (lilv) lists the plug-in with its 42 parameter ports, stereo audio and the port
#   that reports its latency.
set -eu
bundle=$(cd "$1" && pwd)
uri=https://brackwel.com/plugins/vantor-pro
status=0
[ -f "$bundle/manifest.ttl" ] || { echo "FAIL: $bundle has no manifest.ttl"; exit 1; }

report=$(lv2_validate "$bundle"/*.ttl 2>&1) || true
errors=$(echo "$report" | grep -c '^error' || true)
if [ "$errors" -eq 0 ] && echo "$report" | grep -q 'Found 0 errors'; then
    echo "ok: lv2_validate finds no error in $(ls "$bundle"/*.ttl | wc -l) files"
else
    echo "FAIL: lv2_validate reports $errors error lines:"
    echo "$report" | sed 's/^/    /'
    status=1
fi

# A folder holding only this bundle, so lilv sees no other copy of the plug-in.
plugins=$TMPDIR/lv2-path
mkdir -p "$plugins"
ln -sfn "$bundle" "$plugins/vantor-pro.lv2"
info=$(LV2_PATH="$plugins:/usr/lib/lv2" lv2info "$uri" 2>&1) || {
    echo "FAIL: lv2info does not list $uri:"
    echo "$info" | sed 's/^/    /'
    exit 1
}
expect() {
    if echo "$info" | grep -Eq "$1"; then
        echo "ok: lv2info shows $2"
    else
        echo "FAIL: lv2info does not show $2"
        status=1
    fi
}
expect '^[[:space:]]*Name:[[:space:]]*Vantor Pro$' 'the name'
expect '^[[:space:]]*Author:[[:space:]]*Brackwel$' 'the author'
expect '^[[:space:]]*Has latency:[[:space:]]*yes, reported by port 46$' 'the latency port'
expect '^[[:space:]]*Port 46:$' 'port 46'
expect 'Symbol:[[:space:]]*stereo_width$' 'the Stereo Width port'
ports=$(echo "$info" | grep -c '^[[:space:]]*Port [0-9]*:$' || true)
if [ "$ports" -eq 47 ]; then
    echo "ok: lv2info lists 47 ports"
else
    echo "FAIL: lv2info lists $ports ports, not 47"
    status=1
fi
exit $status
