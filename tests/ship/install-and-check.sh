#!/bin/sh
# Usage: install-and-check.sh BUILD_DIR PREFIX EXPECTED_SKIN_FILES MODULE_FILE_NAME
# Installs the build into a fresh PREFIX with the user's command, beside another vendor's
# plug-in, and checks that the plug-in folder holds exactly the VST 2.4 and CLAP modules, the
# VST3 bundle (its module, moduleinfo.json, a skin and the factory presets of its own), the
# LV2 bundle (its description, presets, DSP and UI binaries and a skin), install.sh, the
# factory presets as program files, the readme, every skin file and the licence texts of what
# the modules link in. Then it adds a file of the
# user's own to the plug-in folder: that file and the other plug-in must survive the
# uninstall (uninstall-and-check.sh).
set -eu
build=$1 prefix=$2 skin_list=$3 module=$4

rm -rf "$prefix"
mkdir -p "$prefix/Other Vendor"
echo "not ours" >"$prefix/Other Vendor/other.so"

cmake --install "$build" --prefix "$prefix"

expected=$(mktemp)
actual=$(mktemp)
trap 'rm -f "$expected" "$actual"' EXIT
{
    echo "$module"
    echo "Vantor Pro.clap"
    echo "Vantor Pro.vst3/Contents/x86_64-linux/Vantor Pro.so"
    echo "Vantor Pro.vst3/Contents/Resources/moduleinfo.json"
    for file in manifest.ttl vantor-pro.ttl presets.ttl vantor-pro.so vantor-pro-ui.so; do
        echo "vantor-pro.lv2/$file"
    done
    echo "README.txt"
    echo "install.sh"
    grep -v '^#' "$skin_list" |
        awk 'NF { print "Skin/" $1; print "Vantor Pro.vst3/Contents/Resources/Skin/" $1; print "vantor-pro.lv2/Skin/" $1 }'
    # The factory presets, as many as the build wrote, by their names.
    ls "$build/src/Presets" | sed -n 's/\.fxp$//p' |
        awk '{ print "Presets/" $0 ".fxp"; print "Vantor Pro.vst3/Contents/Resources/Presets/" $0 ".vstpreset" }'
    for licence in zlib libpng GLEW GCC-runtime-libraries; do
        echo "licences/$licence.txt"
    done
} | sort >"$expected"
(cd "$prefix/Vantor Pro" && find . -type f | sed 's|^\./||' | sort) >"$actual"
if ! diff -u "$expected" "$actual"; then
    echo "FAIL: the installed plug-in folder differs from the expected files (- expected, + installed)"
    exit 1
fi
echo "ok: $(wc -l <"$actual") files installed in $prefix/Vantor Pro"
mkdir -p "$prefix/Vantor Pro/Presets"
echo "the user's" >"$prefix/Vantor Pro/Presets/mine.fxp"
