#!/bin/sh
# Usage: wine-setup.sh SETUP ARCHIVE MAKE_SETUP MAKENSIS INSPECT_EXE CLAP_TESTS_EXE RUN_UNDER_WINE
#                      VERSION VENDOR_VERSION [JUDGE_COMMAND...]
# The Windows setup program as a studio's deployment script runs it, in the test's own Wine
# prefix: an older version installed first (made from the release archive with a file the
# current one no longer has), the current one over it into another VST 2.4 folder (/D=),
# then once more, which must pick that folder again. Every file must be where it belongs,
# byte for byte the archive's and nothing more; the registry must say so; our hosts must
# load the installed modules and render, the installed vantor-render render through the
# installed CLAP plug-in with no --plugin, and Steinberg's validator pass the installed VST3
# bundle (where the build has the validators). The uninstaller must then leave nothing of ours,
# only the user's presets and Info setting.
set -u
setup=$1 archive=$2 make_setup=$3 makensis=$4 inspect=$5 format_tests=$6 run_under_wine=$7
version=$8 vendor=$9
# What remains: the validators' run.sh with its options, where the build has them.
shift 9
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
ok() { echo "ok: $1"; }
fail() { echo "FAIL: $1"; status=1; }
check() { if eval "$2"; then ok "$1"; else fail "$1"; fi; }
wine_run() { timeout 120 sh "$run_under_wine" "$@" >"$work/wine.log" 2>&1 || { cat "$work/wine.log"; return 1; }; }
reg_value() { WINEDEBUG=-all wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }

(mkdir "$work/archive" && cd "$work/archive" && cmake -E tar xf "$archive") || exit 1
plugin="$work/archive/Vantor Pro"

# Older than any release; "retired.txt" stands for a file that an update must not leave behind.
cp -a "$work/archive" "$work/old-stage"
echo "from an older version" >"$work/old-stage/Vantor Pro/Skin/retired.txt"
cmake -DVANTOR_MAKENSIS="$makensis" -DVANTOR_STAGE_DIR="$work/old-stage" -DVANTOR_VERSION=0.0.1 \
    -DVANTOR_SETUP="$work/old-setup.exe" -DVANTOR_WORK_DIR="$work/old-lists" -P "$make_setup" >/dev/null ||
    { echo "FAIL: making the older setup program"; exit 1; }

export WINEPREFIX
wine_run wineboot || exit 1
c="$WINEPREFIX/drive_c"
files="$c/Program Files/Common Files"
user=$(cd "$c/users" && ls | grep -vx Public)
appdata="$c/users/$user/AppData/Roaming"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantor Pro'
# Everything on drive C: but Windows itself and temporary files, to see what uninstalling left.
snapshot() { (cd "$c" && find . -path ./windows -prune -o -print | grep -v '/Temp' | sort) >"$1"; }
snapshot "$work/before"

echo "== the older version, then the current one over it into another folder"
check "the older setup program installs silently" 'wine_run "$work/old-setup.exe" /S'
check "the older version is registered" '[ "$(reg_value "$uninstall_key" DisplayVersion)" = 0.0.1 ]'
check "the older version installed its extra file" '[ -f "$c/Program Files/VSTPlugins/Vantor Pro/Skin/retired.txt" ]'
# /D= takes the rest of the command line, unquoted: Wine joins the two arguments with a space.
check "the setup program installs silently into a folder given with /D=" \
    'wine_run "$setup" /S "/D=C:\Studio" "VST"'
check "the setup program installs silently again, into the folder chosen last" 'wine_run "$setup" /S'

echo "== every file where it belongs, as the archive has it, and nothing more"
# Each folder as it should be, built from the archive.
expect="$work/expect"
mkdir -p "$expect/VST3" "$expect/CLAP/Vantor Pro" "$expect/VST2/Vantor Pro" "$expect/Presets/Brackwel" \
    "$expect/Program/Vantor Pro"
cp -a "$plugin/Vantor Pro.vst3" "$expect/VST3/"
cp -a "$plugin/Vantor Pro.clap" "$plugin/Skin" "$expect/CLAP/Vantor Pro/"
cp -a "$plugin/Vantor Pro.dll" "$plugin/Skin" "$plugin/Presets" "$expect/VST2/Vantor Pro/"
cp -a "$plugin/Vantor Pro.vst3/Contents/Resources/Presets" "$expect/Presets/Brackwel/Vantor Pro"
cp -a "$plugin/licences" "$expect/Program/Vantor Pro/"
cp -a "$work/archive/Vantor Pro Renderer" "$expect/Program/Vantor Pro/Renderer"
check "VST3 bundle in Common Files\\VST3" 'diff -r "$expect/VST3" "$files/VST3"'
check "CLAP module and its Skin in Common Files\\CLAP\\Vantor Pro" 'diff -r "$expect/CLAP" "$files/CLAP"'
check "VST 2.4 module, Skin and .fxp presets in the chosen folder" 'diff -r "$expect/VST2" "$c/Studio VST"'
check "the older version's VST 2.4 folder is gone" '[ ! -e "$c/Program Files/VSTPlugins" ]'
check ".vstpreset files in ProgramData\\VST3 Presets" 'diff -r "$expect/Presets" "$c/ProgramData/VST3 Presets"'
check "licences, the renderer and the uninstaller in Program Files\\Brackwel\\Vantor Pro" \
    'diff -r -x "Uninstall Vantor Pro.exe" "$expect/Program" "$c/Program Files/Brackwel" &&
     [ -f "$c/Program Files/Brackwel/Vantor Pro/Uninstall Vantor Pro.exe" ]'

echo "== the registry"
for entry in "DisplayName|Vantor Pro" "DisplayVersion|$version" "Publisher|Brackwel" \
    "InstallLocation|C:\\Program Files\\Brackwel\\Vantor Pro" \
    "DisplayIcon|C:\\Program Files\\Brackwel\\Vantor Pro\\Uninstall Vantor Pro.exe,0" \
    "UninstallString|\"C:\\Program Files\\Brackwel\\Vantor Pro\\Uninstall Vantor Pro.exe\"" \
    "QuietUninstallString|\"C:\\Program Files\\Brackwel\\Vantor Pro\\Uninstall Vantor Pro.exe\" /S" \
    "NoModify|0x1" "NoRepair|0x1"; do
    name=${entry%%|*}
    check "$name is ${entry#*|}" '[ "$(reg_value "$uninstall_key" "$name")" = "${entry#*|}" ]'
done
installed_kb=$(du -sk "$files/VST3" "$files/CLAP" "$c/Studio VST" "$c/ProgramData/VST3 Presets" \
    "$c/Program Files/Brackwel" | awk '{ kb += $1 } END { print kb }')
estimated_kb=$(($(reg_value "$uninstall_key" EstimatedSize)))
check "EstimatedSize ($estimated_kb KB) is what was installed ($installed_kb KB) within a tenth" \
    '[ $((estimated_kb * 10)) -gt $((installed_kb * 9)) ] && [ $((estimated_kb * 10)) -lt $((installed_kb * 11)) ]'
check "the chosen VST 2.4 folder is remembered" \
    '[ "$(reg_value "HKLM\\Software\\Brackwel\\Vantor Pro" VST2Folder)" = "C:\\Studio VST" ]'

echo "== the installed modules load and render"
for module in "C:\\Studio VST\\Vantor Pro\\Vantor Pro.dll" \
    "C:\\Program Files\\Common Files\\CLAP\\Vantor Pro\\Vantor Pro.clap" \
    "C:\\Program Files\\Common Files\\VST3\\Vantor Pro.vst3"; do
    check "$module loads with no complaint" \
        'wine_run "$inspect" "$module" &&
         tr -d "\r" <"$work/wine.log" | grep -q -E "\(vendor version $vendor,|^Version: +$version( |\$)" &&
         ! grep -F "[Vantor Pro]" "$work/wine.log"'
done
check "the installed CLAP module sounds bit for bit as the installed VST 2.4 module" \
    'VANTOR_MODULE="C:\\Studio VST\\Vantor Pro\\Vantor Pro.dll" \
     VANTOR_CLAP_MODULE="C:\\Program Files\\Common Files\\CLAP\\Vantor Pro\\Vantor Pro.clap" \
     wine_run "$format_tests" --gtest_filter=Formats/FormatProcessing.AtDefaultsAndWithChangesItSoundsBitIdenticalToTheVstModule/Clap &&
     grep -q "\[  PASSED  \] 1 test" "$work/wine.log"'
python3 -c 'import math, struct, wave, sys
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(2); w.setsampwidth(2); w.setframerate(44100)
    w.writeframes(b"".join(struct.pack("<hh", int(8000 * math.sin(i * 0.05)), int(8000 * math.sin(i * 0.07)))
                           for i in range(44100)))' "$work/tone.wav"
renderer="C:\Program Files\Brackwel\Vantor Pro\Renderer\vantor-render.exe"
check "the installed renderer renders through the installed CLAP plug-in with no --plugin" \
    'wine_run "$renderer" --help &&
     tr -d "\r" <"$work/wine.log" | grep -qF "C:\Program Files\Common Files\CLAP\Vantor Pro\Vantor Pro.clap" &&
     wine_run "$renderer" "Z:$work/tone.wav" "Z:$work/rendered.wav" && [ -s "$work/rendered.wav" ]'
if [ $# -gt 0 ]; then
    if "$@" --no-pluginval --win "$files/VST3/Vantor Pro.vst3" >"$work/judge.log" 2>&1; then
        ok "Steinberg's validator passes the installed VST3 bundle"
    else
        cat "$work/judge.log"
        fail "Steinberg's validator passes the installed VST3 bundle"
    fi
fi

echo "== uninstalling keeps the user's presets and Info setting, and leaves nothing of ours"
snapshot "$work/without-user-files"
mkdir -p "$appdata/Brackwel/Vantor Pro/Presets"
echo mine >"$appdata/Brackwel/Vantor Pro/Presets/Mine.fxp"
echo 1 >"$appdata/Brackwel/a"
snapshot "$work/with-user-files"
for root in HKLM HKCU; do
    WINEDEBUG=-all wine reg add "$root\\Software\\Brackwel\\VantorPro" /v Pref1 /t REG_DWORD /d 1 /f >/dev/null
done
check "the uninstaller runs silently" 'wine_run "$c/Program Files/Brackwel/Vantor Pro/Uninstall Vantor Pro.exe" /S'
snapshot "$work/after"
# Of all that was added to the new prefix, only the user's files and their folders may stay.
comm -13 "$work/without-user-files" "$work/with-user-files" >"$work/users-own"
comm -13 "$work/before" "$work/after" >"$work/left"
check "no file or folder of ours is left" 'diff "$work/users-own" "$work/left"'
check "the user's preset files stay as they were" \
    '[ "$(cat "$appdata/Brackwel/Vantor Pro/Presets/Mine.fxp")" = mine ] && [ "$(cat "$appdata/Brackwel/a")" = 1 ]'
check "the Uninstall key is gone" '! WINEDEBUG=-all wine reg query "$uninstall_key" >/dev/null 2>&1'
check "the installer's own key is gone" '! WINEDEBUG=-all wine reg query "HKLM\\Software\\Brackwel\\Vantor Pro" >/dev/null 2>&1'
for root in HKLM HKCU; do
    check "the Info setting under $root stays" '[ "$(reg_value "$root\\Software\\Brackwel\\VantorPro" Pref1)" = 0x1 ]'
done
wineserver -w
exit $status
