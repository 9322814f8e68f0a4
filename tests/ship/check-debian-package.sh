#!/bin/sh
# Usage: check-debian-package.sh DEB ARCHIVE
# The Debian package passes lintian (with the overrides it carries), SHA256SUMS vouches for
# it, and dpkg installs it into a throw-away root (never the machine's own) with the
# archive's plug-in laid out where system-wide hosts look, the docs beside; there it depends
# on exactly what dpkg-shlibdeps finds its modules and its renderer need, the renderer finds
# the installed plug-in, Ardour's VST3 scanner and lv2ls find it, and `dpkg -r` leaves none
# of its files.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/ardour-env.sh"
. "$here/plugin-layout.sh"
deb=$1 archive=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

[ -f "$deb" ] || { echo "FAIL: $deb was not built"; exit 1; }
if lintian --fail-on error,warning "$deb"; then echo "ok: lintian"; else fail "lintian reports errors or warnings"; fi
name=$(basename "$deb")
if (cd "$(dirname "$deb")" && grep "  $name\$" SHA256SUMS | sha256sum --check --strict); then
    echo "ok: SHA256SUMS"
else
    fail "SHA256SUMS has no matching line for $name"
fi

root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
: >"$root/var/lib/dpkg/status"
dpkg_root() { dpkg --root="$root" --admindir="$root/var/lib/dpkg" --force-not-root "$@"; }
dpkg_root --force-depends -i "$deb" || { echo "FAIL: dpkg could not install $deb"; exit 1; }

doc=usr/share/doc/vantor-pro
{
    tar tzf "$archive" | sed -n 's|^Vantor Pro/\(.*[^/]\)$|\1|p' |
        plugin_layout usr/lib/vst usr/lib/clap usr/lib/vst3 usr/lib/lv2 "usr/share/vst3/presets/Brackwel/Vantor Pro"
    tar tzf "$archive" | sed -n "s|^Vantor Pro/\(licences/.*[^/]\)\$|$doc/\1|p"
    printf '%s\n' "$doc/README" "$doc/README.Debian" "$doc/copyright" "$doc/changelog.gz" \
        usr/share/lintian/overrides/vantor-pro usr/bin/vantor-render usr/share/man/man1/vantor-render.1.gz
} | sort >"$work/expected"
(cd "$root" && find . -path ./var -prune -o ! -type d -print | sed 's|^\./||' | sort) >"$work/actual"
if diff -u "$work/expected" "$work/actual"; then
    echo "ok: dpkg installed the $(wc -l <"$work/actual") expected files"
else
    fail "the installed files differ (- expected, + installed)"
fi

mkdir -p "$work/shlibs/debian"
printf 'Source: vantor-pro\n\nPackage: vantor-pro\nArchitecture: amd64\n' >"$work/shlibs/debian/control"
needed=$(cd "$work/shlibs" && find "$root/usr/lib" "$root/usr/bin" \( -name '*.so' -o -name '*.clap' -o -type f -path '*/bin/*' \) \
    -exec dpkg-shlibdeps -O {} + 2>/dev/null |
    sed -n 's/^shlibs:Depends=//p')
declared=$(dpkg-deb -f "$deb" Depends)
if [ -n "$needed" ] && [ "$needed" = "$declared" ]; then
    echo "ok: Depends: $declared"
else
    fail "Depends is '$declared'; the modules need '$needed'"
fi

renderer=$root/usr/bin/vantor-render
if "$renderer" --help | grep -qF "$root/usr/bin/../lib/vst/Vantor Pro/Vantor Pro.so" &&
    "$renderer" --list | grep -q '"Stereo Width"'; then
    echo "ok: the installed renderer uses the installed plug-in"
else
    fail "the installed renderer does not find the installed plug-in"
fi

export XDG_CACHE_HOME="$work/cache"
bundle="$root/usr/lib/vst3/Vantor Pro.vst3"
if output=$(scan_vst3_bundle "$bundle" 2>&1) && cache=$(find "$XDG_CACHE_HOME" -name '*.v3i') && [ -n "$cache" ]; then
    check_scan "$(cat "$cache")" "$output" 'name="Vantor Pro"' 'vendor="Brackwel"' || status=1
else
    echo "$output"
    fail "Ardour's VST3 scanner found nothing in $bundle"
fi
if LV2_PATH="$root/usr/lib/lv2" lv2ls | grep -qx 'https://brackwel.com/plugins/vantor-pro'; then
    echo "ok: lv2ls lists the plug-in"
else
    fail "lv2ls does not list the plug-in in $root/usr/lib/lv2"
fi

dpkg_root -r vantor-pro
left=$(cd "$root" && find . -path ./var -prune -o -path . -o -print)
if [ -z "$left" ]; then echo "ok: dpkg -r left nothing"; else fail "dpkg -r left: $left"; fi
exit $status
