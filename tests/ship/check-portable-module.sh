#!/bin/sh
# Usage: check-portable-module.sh MODULE
# The Linux module must load on every mainstream distribution and keep to itself:
# - it needs only the C library (with its loader, libm, libdl, libpthread), X11 and OpenGL
#   (an LV2 DSP binary not even those), and takes nothing else from the process; the C++
#   runtime, libpng, zlib and GLEW are inside it;
# - no symbol it takes from glibc is newer than GLIBC_2.27, the oldest glibc it promises to load on;
# - it exports exactly its entry points (VSTPluginMain and main, a .clap file's clap_entry, or
#   a VST3 bundle's module's GetPluginFactory, ModuleEntry and ModuleExit, an LV2 bundle's DSP
#   binary's lv2_descriptor and its UI binary's lv2ui_descriptor):
#   no C++ symbol of ours or of the libraries linked in can take the place of a host's (or
#   another plug-in's) or be replaced by one.
set -eu
module=$1
newest_glibc=2.27
[ -f "$module" ] || { echo "FAIL: $module does not exist"; exit 1; }
status=0

allowed='^(libc\.so\.6|libm\.so\.6|libdl\.so\.2|libpthread\.so\.0|ld-linux-x86-64\.so\.2|libX11\.so\.6|libGL\.so\.1|libOpenGL\.so\.0|libGLX\.so\.0)$'
window_symbols='X[A-Z]|gl[A-Z]|'
# The LV2 DSP binary runs where no window system may be (a headless host, a render farm): it
# links the platform's file services without its window layer, so neither the libraries nor
# a symbol of X11 or OpenGL. Its UI binary is the editor, with both.
case $module in
*.lv2/*-ui.so) ;;
*.lv2/*)
    allowed='^(libc\.so\.6|libm\.so\.6|libdl\.so\.2|libpthread\.so\.0|ld-linux-x86-64\.so\.2)$'
    window_symbols=''
    ;;
esac
needed=$(objdump -p "$module" | sed -n 's/^[[:space:]]*NEEDED[[:space:]]*//p')
[ -n "$needed" ] || { echo "FAIL: no NEEDED entries found in $module"; exit 1; }
for library in $needed; do
    if echo "$library" | grep -Eq "$allowed"; then
        echo "ok: needs $library"
    else
        echo "FAIL: needs $library, which not every distribution has in this version"
        status=1
    fi
done

# Version names the module asks for: only GLIBC_*, none newer than $newest_glibc.
versions=$(objdump -T "$module" | sed -n 's/.*[[:space:]](\{0,1\}\([A-Z][A-Z_]*_[0-9][0-9.]*\))\{0,1\}[[:space:]].*/\1/p' | sort -u)
for version in $versions; do
    case $version in
    GLIBC_*)
        number=${version#GLIBC_}
        if [ "$(printf '%s\n%s\n' "$number" "$newest_glibc" | sort -V | tail -n 1)" != "$newest_glibc" ]; then
            echo "FAIL: uses $version: $(objdump -T "$module" | grep -F "($version)" | awk '{ print $NF }' | tr '\n' ' ')"
            status=1
        fi
        ;;
    *)
        echo "FAIL: uses $version (not glibc): $(objdump -T "$module" | grep -F "$version" | awk '{ print $NF }' | tr '\n' ' ')"
        status=1
        ;;
    esac
done
newest=$(echo "$versions" | sed -n 's/^GLIBC_//p' | sort -V | tail -n 1)
echo "newest glibc symbol version: GLIBC_${newest:-none} (at most GLIBC_$newest_glibc)"

# Unversioned names it takes from outside: only X11's and OpenGL's functions and the C
# start-up files' weak hooks (a C++ runtime name here would bind to the host's runtime).
foreign=$(objdump -T "$module" | awk '/\*UND\*/ && !/\(GLIBC_/ { print $NF }' |
    grep -Ev "^(${window_symbols}__gmon_start__\$|_ITM_(de)?registerTMCloneTable\$)" || true)
if [ -z "$foreign" ]; then
    echo "ok: takes only glibc${window_symbols:+, X11 and OpenGL} symbols"
else
    echo "FAIL: takes these from whatever else the process has loaded: $(echo "$foreign" | tr '\n' ' ')"
    status=1
fi

exports=$(nm -D --defined-only "$module" | awk '{ print $2 " " $3 }' | sort)
case $module in
*.clap) expected='D clap_entry' ;;
*.vst3/Contents/x86_64-linux/*) expected=$(printf 'T GetPluginFactory\nT ModuleEntry\nT ModuleExit\n' | sort) ;;
*.lv2/*-ui.so) expected='T lv2ui_descriptor' ;;
*.lv2/*) expected='T lv2_descriptor' ;;
*) expected=$(printf 'T VSTPluginMain\nT main\n' | sort) ;;
esac
if [ "$exports" = "$expected" ]; then
    echo "ok: exports only $(echo "$expected" | cut -d' ' -f2 | tr '\n' ' ')"
else
    echo "FAIL: the exported symbols differ from $(echo "$expected" | cut -d' ' -f2 | tr '\n' ' '):"
    echo "$exports" | sed 's/^/    /'
    status=1
fi
exit $status
