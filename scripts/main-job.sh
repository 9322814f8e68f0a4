#!/bin/sh
# Loads each built module with our own small host and prints what a DAW sees, renders the
# demo signal through the Linux module with a wider stereo image, and lists the release
# archives.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
tools="$root/build/release-linux/tools"

echo "=== Linux: dist/linux/Vantor Pro.so ==="
"$root/build/release-linux/tools/inspect/vantor-inspect" "$root/dist/linux/Vantor Pro.so"

echo
echo "=== Linux, as a CLAP host sees it: dist/linux/Vantor Pro.clap ==="
"$root/build/release-linux/tools/inspect/vantor-inspect" "$root/dist/linux/Vantor Pro.clap"

echo
echo "=== Linux, as a VST3 host sees it: dist/linux/Vantor Pro.vst3 ==="
"$root/build/release-linux/tools/inspect/vantor-inspect" "$root/dist/linux/Vantor Pro.vst3"

echo
echo "=== Linux, as an LV2 host sees it: dist/linux/vantor-pro.lv2 ==="
"$root/build/release-linux/tools/inspect/vantor-inspect" "$root/dist/linux/vantor-pro.lv2"

# The Windows tool's lines end in CR LF; its output goes through a file so that a module it
# cannot load fails the job (a pipe would answer with tr's status).
inspect_under_wine() {
    shown=$(mktemp)
    status=0
    VANTOR_WINE_PREFIX="$root/build/wineprefix" "$root/tests/host/run-under-wine.sh" \
        "$root/build/release-win64/tools/inspect/vantor-inspect.exe" "Z:$1" >"$shown" || status=$?
    tr -d '\r' <"$shown"
    rm -f "$shown"
    return "$status"
}

echo
echo "=== Windows x64 under Wine: dist/windows/Vantor Pro.dll ==="
inspect_under_wine "$root/dist/windows/Vantor Pro.dll"

echo
echo "=== Windows x64 under Wine, as a CLAP host sees it: dist/windows/Vantor Pro.clap ==="
inspect_under_wine "$root/dist/windows/Vantor Pro.clap"

echo
echo "=== Windows x64 under Wine, as a VST3 host sees it: dist/windows/Vantor Pro.vst3 ==="
inspect_under_wine "$root/dist/windows/Vantor Pro.vst3"

echo
echo "=== Demo: drums and a stereo pad through dist/linux/Vantor Pro.so, Stereo Width 0.8 ==="
# Widening lifts side-heavy material; Gain 0.4 (about -4 dB) keeps the result below full scale.
cd "$root"
mkdir -p dist/demo
"$tools/demo/vantor-demo-signal" dist/demo/demo-input.wav
"$tools/render/vantor-render" dist/demo/demo-input.wav dist/demo/demo-wide.wav \
    --plugin "dist/linux/Vantor Pro.so" --set "Stereo Width=0.8" --set "Gain=0.4" --align \
    --report dist/demo/stereo-report.png --report-json dist/demo/stereo-report.json
echo "Result: dist/demo/demo-wide.wav (from dist/demo/demo-input.wav); the lines above give the"
echo "stereo correlation before -> after (lower means wider) and the stereo report's numbers,"
echo "drawn in dist/demo/stereo-report.png and written to dist/demo/stereo-report.json."

echo
echo "=== Installers and archives in dist/ (dist/SHA256SUMS) ==="
cat dist/SHA256SUMS
echo "Install the Linux plug-in for every user with: apt install ./dist/vantor-pro_*_amd64.deb"
echo "or for yourself from the archive's folder with its install.sh"
