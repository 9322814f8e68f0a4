#!/bin/sh
# Usage: check-bundle.sh BUNDLE
# Debian's lv2_validate (lv2-dev) finds no error in the bundle's Turtle files; it can exit 0
# while printing errors, so its error lines are counted. (What lilv reads from them,
# Lv2DescriptionTest checks.)
set -eu
bundle=$(cd "$1" && pwd)
[ -f "$bundle/manifest.ttl" ] || { echo "FAIL: $bundle has no manifest.ttl"; exit 1; }

report=$(lv2_validate "$bundle"/*.ttl 2>&1) || true
errors=$(echo "$report" | grep -c '^error' || true)
if [ "$errors" -ne 0 ] || ! echo "$report" | grep -q 'Found 0 errors'; then
    echo "FAIL: lv2_validate reports $errors error lines:"
    echo "$report" | sed 's/^/    /'
    exit 1
fi
echo "ok: lv2_validate finds no error in $(ls "$bundle"/*.ttl | wc -l) files"
