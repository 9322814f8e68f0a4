#!/bin/sh
# Usage: measure-presets.sh BUILD_DIR
# Renders the demo signal through every factory preset (BUILD_DIR/src/Presets/*.fxp) with the
# build's vantor-render and Linux VST 2.4 module, and prints the README's table: each
# preset's level and stereo correlation before -> after, from vantor-render's own summary.
set -eu
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/demo/vantor-demo-signal" "$work/demo.wav"
echo "| preset | level before -> after (dBFS RMS) | stereo correlation before -> after |"
echo "|---|---|---|"
for preset in "$build"/src/Presets/*.fxp; do
    name=$(basename "$preset" .fxp)
    summary=$("$build/tools/render/vantor-render" "$work/demo.wav" "$work/out.wav" --preset "$preset" --align 2>&1)
    correlation=$(echo "$summary" | sed -n 's/.*stereo correlation \([^;]*\);.*/\1/p')
    level=$(echo "$summary" | sed -n 's/.*; level \(.*\) dBFS RMS -> \(.*\) dBFS RMS$/\1 -> \2/p')
    echo "| $name | $level | $correlation |"
done
