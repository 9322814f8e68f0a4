#!/bin/sh
# Usage: check-install-script.sh ARCHIVE
# The archive's install.sh, run from the unpacked folder: an install for the user (HOME) and
# one for the system (below a root of the test's own) put every format where its hosts look,
# a second install replaces the first, --formats installs and removes just those, and
# --uninstall leaves nothing but the user's own presets. An install that fails midway, into a
# fresh home or over an earlier install, exits non-zero and leaves everything as it was.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/plugin-layout.sh"
archive=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

(cd "$work" && tar xzf "$archive")
source="$work/Vantor Pro"
(cd "$source" && find . -type f | sed 's|^\./||') >"$work/plugin-files"
plugin_layout .vst .clap .vst3 .lv2 ".vst3/presets/Brackwel/Vantor Pro" <"$work/plugin-files" | sort >"$work/user-layout"
plugin_layout usr/lib/vst usr/lib/clap usr/lib/vst3 usr/lib/lv2 "usr/share/vst3/presets/Brackwel/Vantor Pro" \
    <"$work/plugin-files" | sort >"$work/system-layout"

# expect_files WHAT DIR EXPECTED [IGNORED...]: the files below DIR, but for the manifest and
# the IGNORED ones, are those listed in the file EXPECTED.
expect_files() {
    what=$1 dir=$2 expected=$3
    shift 3
    printf '%s\n' "$@" >"$work/ignored"
    (cd "$dir" && find . -type f | sed 's|^\./||' | grep -v 'vantor-pro/install-manifest\.txt$' |
        grep -vxF -f "$work/ignored" | sort) >"$work/actual"
    if diff -u "$expected" "$work/actual" >"$work/diff"; then
        echo "ok: $what: $(wc -l <"$expected") files"
    else
        cat "$work/diff"
        fail "$what: the files differ (- expected, + found)"
    fi
}
fingerprint() { (cd "$1" && find . -type f -exec sha256sum {} + | sort); }

user_preset=".local/share/Brackwel/Vantor Pro/Presets/mine.fxp"
vst3_preset=".vst3/presets/Brackwel/Vantor Pro/Mine.vstpreset"
export HOME="$work/home"
unset XDG_DATA_HOME
mkdir -p "$HOME/$(dirname "$user_preset")"
echo "the user's" >"$HOME/$user_preset"
sh "$source/install.sh" || fail "the user install failed"
# As a VST3 host saves one, into the folder the install made.
echo "the user's" >"$HOME/$vst3_preset"
expect_files "user install" "$HOME" "$work/user-layout" "$user_preset" "$vst3_preset"
sh "$source/install.sh" --user || fail "installing again failed"
expect_files "user install again" "$HOME" "$work/user-layout" "$user_preset" "$vst3_preset"
[ -z "$(find "$HOME" -name '.vantor-pro-install.*')" ] || fail "installing left its staging folders"

# A copy of the folder that lacks the CLAP module fails after staging the VST 2.4 and VST3 ones.
cp -R "$source" "$work/broken"
rm "$work/broken/Vantor Pro.clap"
before=$(fingerprint "$HOME")
if sh "$work/broken/install.sh"; then fail "an install without the CLAP module succeeded"; fi
[ "$(fingerprint "$HOME")" = "$before" ] && echo "ok: a failed install over the last one changed nothing" ||
    fail "a failed install changed the earlier one"

sh "$source/install.sh" --uninstall || fail "the uninstall failed"
printf '%s\n' "$user_preset" "$vst3_preset" | sort >"$work/user-files"
expect_files "after the uninstall only the user's presets" "$HOME" "$work/user-files"
[ -z "$(find "$HOME" -type d -empty)" ] || fail "the uninstall left empty folders: $(find "$HOME" -type d -empty)"

export HOME="$work/home-formats"
sh "$source/install.sh" --formats clap,lv2 && sh "$source/install.sh" --uninstall --formats lv2 ||
    fail "installing clap,lv2 and removing lv2 failed"
grep '^\.clap/' "$work/user-layout" >"$work/clap-layout"
expect_files "--formats clap,lv2 then --uninstall --formats lv2" "$HOME" "$work/clap-layout"
sh "$source/install.sh" --uninstall || fail "removing the rest failed"
left=$(cd "$HOME" && find . -mindepth 1)
[ -z "$left" ] && echo "ok: removing the rest left nothing" || fail "removing the rest left: $left"

export HOME="$work/home-blocked"
mkdir -p "$HOME"
echo "not a folder" >"$HOME/.lv2"
if sh "$source/install.sh"; then fail "an install with ~/.lv2 a file succeeded"; fi
left=$(cd "$HOME" && find . -mindepth 1)
[ "$left" = ./.lv2 ] && echo "ok: a failed install left nothing" || fail "a failed install left: $left"

root="$work/root"
mkdir -p "$root"
sh "$source/install.sh" --system --root "$root" || fail "the system install failed"
expect_files "system install" "$root" "$work/system-layout"
[ -f "$root/var/lib/vantor-pro/install-manifest.txt" ] || fail "the system install kept no manifest in /var/lib"
sh "$source/install.sh" --system --root "$root" --uninstall || fail "the system uninstall failed"
left=$(cd "$root" && find . -mindepth 1)
[ -z "$left" ] && echo "ok: the system uninstall left nothing" || fail "the system uninstall left: $left"
exit $status
