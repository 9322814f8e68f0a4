#!/bin/sh
# Usage: check-archive.sh ARCHIVE win64|linux EXPECTED_SKIN_FILES CHECK_MODULE PRESET_FOLDER
# The release archive holds exactly one "Vantor Pro" folder with the VST 2.4 and CLAP
# modules, the VST3 bundle (its module, moduleinfo.json, its own skin and presets), on Linux
# the LV2 bundle (description, presets, DSP binary) and install.sh, their
# readme, every skin file, the factory presets the build wrote into PRESET_FOLDER and the
# licence texts of what they link in; beside it a "Vantor Pro Renderer" folder with
# vantor-render (on Windows with libsndfile's DLL) and its licence texts, which on Linux
# renders through the archive's module with no --plugin; SHA256SUMS beside it vouches
# for it; CHECK_MODULE passes on every module (what they need from the system and show to
# it).
set -eu
archive=$1 platform=$2 skin_list=$3 check_module=$4 preset_folder=$5
name=$(basename "$archive")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

[ -f "$archive" ] || { echo "FAIL: $archive was not built"; exit 1; }
if (cd "$(dirname "$archive")" && grep "  $name\$" SHA256SUMS | sha256sum --check --strict); then
    echo "ok: SHA256SUMS matches $name"
else
    echo "FAIL: SHA256SUMS beside the archive has no matching line for $name"
    status=1
fi

(cd "$work" && cmake -E tar xf "$archive")
folder="$work/Vantor Pro"
# Each licence text, and a phrase that shows it is the right one.
licences="zlib.txt|Jean-loup Gailly
libpng.txt|libpng
GLEW.txt|Milan Ikits
GCC-runtime-libraries.txt|GCC RUNTIME LIBRARY EXCEPTION"
renderer_licences="GCC-runtime-libraries.txt|GCC RUNTIME LIBRARY EXCEPTION"
if [ "$platform" = win64 ]; then
    module="Vantor Pro.dll"
    renderer_files="vantor-render.exe libsndfile.dll"
    renderer_licences="$renderer_licences
MinGW-w64-runtime.txt|winpthreads
libsndfile.txt|Erik de Castro Lopo
LGPL-2.1.txt|GNU LESSER GENERAL PUBLIC LICENSE"
    vst3_module="Vantor Pro.vst3/Contents/x86_64-win/Vantor Pro.vst3"
    licences="$licences
MinGW-w64-runtime.txt|winpthreads"
else
    module="Vantor Pro.so"
    renderer_files="vantor-render"
    vst3_module="Vantor Pro.vst3/Contents/x86_64-linux/Vantor Pro.so"
fi

{
    echo "Vantor Pro/$module"
    echo "Vantor Pro/Vantor Pro.clap"
    echo "Vantor Pro/$vst3_module"
    echo "Vantor Pro/Vantor Pro.vst3/Contents/Resources/moduleinfo.json"
    if [ "$platform" = linux ]; then
        for file in manifest.ttl vantor-pro.ttl presets.ttl vantor-pro.so vantor-pro-ui.so; do
            echo "Vantor Pro/vantor-pro.lv2/$file"
        done
        grep -v '^#' "$skin_list" | awk 'NF { print "Vantor Pro/vantor-pro.lv2/Skin/" $1 }'
        echo "Vantor Pro/install.sh"
    fi
    echo "Vantor Pro/README.txt"
    grep -v '^#' "$skin_list" |
        awk 'NF { print "Vantor Pro/Skin/" $1; print "Vantor Pro/Vantor Pro.vst3/Contents/Resources/Skin/" $1 }'
    ls "$preset_folder" | sed -n 's/\.fxp$//p' | awk '{ print "Vantor Pro/Presets/" $0 ".fxp"
        print "Vantor Pro/Vantor Pro.vst3/Contents/Resources/Presets/" $0 ".vstpreset" }'
    echo "$licences" | sed -n 's/^\([^|]*\)|.*/Vantor Pro\/licences\/\1/p'
    for file in $renderer_files; do
        echo "Vantor Pro Renderer/$file"
    done
    echo "$renderer_licences" | sed -n 's/^\([^|]*\)|.*/Vantor Pro Renderer\/licences\/\1/p'
} | sort >"$work/expected"
(cd "$work" && find . -type f ! -name expected ! -name actual | sed 's|^\./||' | sort) >"$work/actual"
if diff -u "$work/expected" "$work/actual"; then
    echo "ok: the archive holds the $(wc -l <"$work/expected") expected files and nothing else"
else
    echo "FAIL: the archive's files differ (- expected, + in the archive)"
    status=1
fi

version=$(echo "$name" | sed -n 's/^Vantor-Pro-\(.*\)-\(win64\.zip\|linux-x86_64\.tar\.gz\)$/\1/p')
if [ -n "$version" ] && head -n 1 "$folder/README.txt" | grep -q "^Vantor Pro $version "; then
    echo "ok: README.txt is for version $version"
else
    echo "FAIL: README.txt does not name the archive's version '$version'"
    status=1
fi

{
    echo "$licences" | sed 's|^|Vantor Pro/licences/|'
    echo "$renderer_licences" | sed 's|^|Vantor Pro Renderer/licences/|'
} | while IFS='|' read -r file phrase; do
    if [ -s "$work/$file" ] && grep -qF "$phrase" "$work/$file"; then
        echo "ok: $file ($phrase)"
    else
        echo "FAIL: $file is missing or does not mention '$phrase'"
        touch "$work/licence-failed"
    fi
done
[ ! -e "$work/licence-failed" ] || status=1

sh "$check_module" "$folder/$module" || status=1
sh "$check_module" "$folder/Vantor Pro.clap" || status=1
sh "$check_module" "$folder/$vst3_module" || status=1
if [ "$platform" = linux ]; then
    sh "$check_module" "$folder/vantor-pro.lv2/vantor-pro.so" || status=1
    sh "$check_module" "$folder/vantor-pro.lv2/vantor-pro-ui.so" || status=1
    if "$work/Vantor Pro Renderer/vantor-render" --list | grep -q '"Stereo Width"' &&
        "$work/Vantor Pro Renderer/vantor-render" --help | grep -qF "$work/Vantor Pro Renderer/../Vantor Pro/$module"; then
        echo "ok: the archive's renderer lists the archive's plug-in without --plugin"
    else
        echo "FAIL: the archive's renderer does not find the plug-in beside it"
        status=1
    fi
fi
exit $status
