#!/bin/sh
# Installs Vantor Pro from this folder where Linux hosts look for plug-ins, or removes it.
#
# Usage: sh install.sh [--user | --system] [--formats LIST] [--uninstall] [--root DIR]
#   --user       for you alone (the default): ~/.vst/Vantor Pro, ~/.vst3, ~/.clap/Vantor Pro,
#                ~/.lv2, and the VST3 presets in ~/.vst3/presets/Brackwel/Vantor Pro
#   --system     for every user, as root: /usr/lib/vst, /usr/lib/vst3, /usr/lib/clap,
#                /usr/lib/lv2 and /usr/share/vst3/presets/Brackwel/Vantor Pro
#   --formats    a comma-separated choice of vst,vst3,clap,lv2,presets (all by default)
#   --uninstall  removes exactly the files an earlier install of these formats wrote
#   --root DIR   with --system: treats DIR as /, and needs no root rights (for images, tests)
#
# An install either completes or changes nothing: each plug-in is copied beside its
# destination first and then moved into place, and a failure puts back what was there.
# Installing again replaces the plug-in folders and bundles whole. Your own presets in
# ~/.local/share/Brackwel/Vantor Pro and the editor's settings are never touched.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
mode=user action=install root=
formats=vst,vst3,clap,lv2,presets

fail() {
    echo "install.sh: $*" >&2
    exit 1
}

while [ $# -gt 0 ]; do
    case $1 in
    --user) mode=user ;;
    --system) mode=system ;;
    --uninstall) action=uninstall ;;
    --formats | --root)
        [ $# -ge 2 ] || fail "$1 needs a value"
        if [ "$1" = --root ]; then root=$2; else formats=$2; fi
        shift
        ;;
    -h | --help)
        sed -n '2,/^set -eu$/p' "$0" | sed '$d; s/^# \{0,1\}//'
        exit 0
        ;;
    *) fail "unknown option '$1' (see --help)" ;;
    esac
    shift
done

for format in $(echo "$formats" | tr ',' ' '); do
    case $format in
    vst | vst3 | clap | lv2 | presets) ;;
    *) fail "unknown format '$format': choose from vst,vst3,clap,lv2,presets" ;;
    esac
done
[ -n "$(echo "$formats" | tr -d ',')" ] || fail "--formats names no format"

if [ "$mode" = system ]; then
    case $root in
    '' | /*) ;;
    *) root=$(pwd)/$root ;;
    esac
    if [ -z "$root" ]; then
        [ "$(id -u)" = 0 ] || fail "--system installs for every user and must run as root: sudo sh \"$0\" --system"
        if dpkg-query -W -f '${Status}' vantor-pro 2>/dev/null | grep -q ' installed$'; then
            fail "the Debian package vantor-pro is installed; remove it first (sudo apt remove vantor-pro)"
        fi
    fi
    vst_dir=$root/usr/lib/vst clap_dir=$root/usr/lib/clap
    vst3_dir=$root/usr/lib/vst3 lv2_dir=$root/usr/lib/lv2
    presets_dir="$root/usr/share/vst3/presets/Brackwel/Vantor Pro"
    manifest=$root/var/lib/vantor-pro/install-manifest.txt
    umask 022
else
    [ -z "$root" ] || fail "--root goes with --system; an install for you follows HOME"
    [ -n "${HOME:-}" ] || fail "HOME is not set"
    vst_dir=$HOME/.vst clap_dir=$HOME/.clap vst3_dir=$HOME/.vst3 lv2_dir=$HOME/.lv2
    presets_dir="$HOME/.vst3/presets/Brackwel/Vantor Pro"
    # Not beside the user's presets in Brackwel/Vantor Pro: nothing there is ours to list.
    manifest=${XDG_DATA_HOME:-$HOME/.local/share}/vantor-pro/install-manifest.txt
fi

# Manifest lines are "FORMAT f PATH" for a file written and "FORMAT d PATH" for a folder
# made; "manifest d PATH" for the manifest's own folders.
tmp=$(mktemp -d)
journal=$tmp/journal new_lines=$tmp/new-lines items=$tmp/items
: >"$journal"
: >"$new_lines"
: >"$items"

selected_lines() {
    [ ! -f "$manifest" ] || awk -v chosen=",$formats," 'index(chosen, "," $1 ",")' "$manifest"
}

other_lines() {
    [ ! -f "$manifest" ] || awk -v chosen=",$formats," '!index(chosen, "," $1 ",")' "$manifest"
}

# paths_of TYPE: the paths of the chosen formats' lines of that type (f or d).
paths_of() {
    selected_lines | awk -v type="$1" '$2 == type { sub(/^[^ ]+ [fd] /, ""); print }'
}

uninstall() {
    [ -f "$manifest" ] || fail "found no list of installed files at $manifest: nothing to remove"
    paths_of f >"$tmp/files"
    while IFS= read -r path; do
        rm -f "$path" || echo "$path" >>"$tmp/left"
    done <"$tmp/files"
    # Folders go deepest first, and only when empty: what the user put there stays.
    paths_of d | sort -ru | while IFS= read -r path; do
        [ -d "$path" ] || continue
        rmdir "$path" 2>/dev/null || echo "kept $path: it holds files that are not Vantor Pro's"
    done
    [ ! -s "$tmp/left" ] || fail "could not remove $(wc -l <"$tmp/left") files; the list stays in $manifest"
    if other_lines | grep -qv '^manifest '; then
        other_lines >"$manifest.new.$$"
        mv "$manifest.new.$$" "$manifest"
    else
        manifest_dirs=$(awk '$1 == "manifest" { sub(/^manifest d /, ""); print }' "$manifest" | sort -r)
        rm -f "$manifest"
        echo "$manifest_dirs" | while IFS= read -r path; do
            [ -z "$path" ] || [ ! -d "$path" ] || rmdir "$path" 2>/dev/null || true
        done
    fi
    echo "Removed Vantor Pro ($formats): $(wc -l <"$tmp/files") files."
}

# make_folder DIR: makes DIR and its missing parents, each listed under $format in the
# manifest and in the journal, so a failure or an uninstall removes them again.
make_folder() {
    [ ! -d "$1" ] || return 0
    make_folder "$(dirname "$1")"
    mkdir "$1"
    printf 'mkdir\t%s\n' "$1" >>"$journal"
    printf '%s d %s\n' "$format" "$1" >>"$new_lines"
}

# stage DEST: makes the folder beside DEST where the new DEST is built and its old one kept
# until the install is done, and sets $staged to the path to build it at.
stage() {
    make_folder "$(dirname "$1")"
    work=$(dirname "$1")/.vantor-pro-install.$$
    if [ ! -d "$work" ]; then
        printf 'stage\t%s\n' "$work" >>"$journal"
        mkdir "$work" "$work/new" "$work/old"
    fi
    staged=$work/new/$(basename "$1")
    printf '%s\t%s\n' "$format" "$1" >>"$items"
}

stage_format() {
    case $format in
    vst)
        stage "$vst_dir/Vantor Pro"
        mkdir "$staged"
        cp -R "$here/Vantor Pro.so" "$here/Skin" "$here/Presets" "$staged/"
        ;;
    clap)
        # The module finds its skin beside itself.
        stage "$clap_dir/Vantor Pro"
        mkdir "$staged"
        cp -R "$here/Vantor Pro.clap" "$here/Skin" "$staged/"
        ;;
    vst3)
        stage "$vst3_dir/Vantor Pro.vst3"
        cp -R "$here/Vantor Pro.vst3" "$staged"
        ;;
    lv2)
        stage "$lv2_dir/vantor-pro.lv2"
        cp -R "$here/vantor-pro.lv2" "$staged"
        ;;
    presets)
        # One file at a time: the folder also holds the presets the user saves from a host.
        for preset in "$here/Vantor Pro.vst3/Contents/Resources/Presets/"*.vstpreset; do
            stage "$presets_dir/$(basename "$preset")"
            cp "$preset" "$staged"
        done
        ;;
    esac
}

# Undoes the journal's steps, last first.
roll_back() {
    awk '{ line[NR] = $0 } END { for (i = NR; i > 0; i--) print line[i] }' "$journal" |
        while IFS="$(printf '\t')" read -r step path; do
            case $step in
            placed) rm -rf "$path" ;;
            moved) mv "$(dirname "$path")/.vantor-pro-install.$$/old/$(basename "$path")" "$path" ;;
            stage) rm -rf "$path" ;;
            mkdir) rmdir "$path" ;;
            esac
        done
}

finished=no
on_exit() {
    status=$1
    set +e
    if [ "$action" = install ]; then
        if [ "$finished" = yes ]; then
            awk -F '\t' '$1 == "stage" { print $2 }' "$journal" | while IFS= read -r work; do rm -rf "$work"; done
        else
            roll_back
            echo "install.sh: the install failed; nothing was changed" >&2
            [ "$status" -ne 0 ] || status=1
        fi
    fi
    rm -rf "$tmp"
    exit "$status"
}
trap 'on_exit $?' EXIT
trap 'exit 1' HUP INT TERM

if [ "$action" = uninstall ]; then
    uninstall
    exit 0
fi

for format in $(echo "$formats" | tr ',' ' '); do
    stage_format
done

# Every copy is made: now each one takes its destination's place.
while IFS="$(printf '\t')" read -r format dest; do
    name=$(basename "$dest")
    work=$(dirname "$dest")/.vantor-pro-install.$$
    if [ -e "$dest" ] || [ -L "$dest" ]; then
        mv "$dest" "$work/old/$name"
        printf 'moved\t%s\n' "$dest" >>"$journal"
    fi
    mv "$work/new/$name" "$dest"
    printf 'placed\t%s\n' "$dest" >>"$journal"
    find "$dest" -type d | sed "s/^/$format d /" >>"$new_lines"
    find "$dest" ! -type d | sed "s/^/$format f /" >>"$new_lines"
done <"$items"

format=manifest
make_folder "$(dirname "$manifest")"
printf 'stage\t%s\n' "$manifest.new.$$" >>"$journal"
# Folders an earlier install made stay listed, for the uninstall to remove.
{
    other_lines
    selected_lines | awk '$2 == "d"'
    cat "$new_lines"
} | sort -u >"$manifest.new.$$"
paths_of f >"$tmp/old-files"
mv "$manifest.new.$$" "$manifest"
finished=yes

# Files of an earlier install that this one no longer has, such as a renamed preset.
paths_of f >"$tmp/new-files"
grep -vxF -f "$tmp/new-files" "$tmp/old-files" | while IFS= read -r path; do
    rm -f "$path"
done

echo "Installed Vantor Pro ($formats):"
awk -F '\t' '{ print $2 }' "$items" | grep -v '\.vstpreset$' | sed 's/^/  /'
if echo ",$formats," | grep -q ',presets,'; then
    echo "  $presets_dir (VST3 presets)"
fi
echo "The list of installed files is $manifest; sh $0 --uninstall removes them."
