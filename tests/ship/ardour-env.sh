# Sourced by the Ardour tests: ardour_environment WORK PREFIX gives Ardour a home of its own
# under WORK (configuration, plug-in cache) and makes it look for VST plug-ins only in
# PREFIX and for VST3 and LV2 bundles only in the installed plug-in folder (LV2 through a
# folder of links under WORK); scan_module MODULE runs
# Ardour's own VST scanner on one module file, scan_vst3_bundle BUNDLE its VST3 scanner on
# one bundle, which leaves what it found in the cache the sessions read; ardour_step runs one
# Ardour program with a time limit.

ardour_environment() {
    rm -rf "$1"
    mkdir -p "$1/home"
    export HOME="$1/home"
    export XDG_CONFIG_HOME="$1/home/.config"
    export XDG_CACHE_HOME="$1/home/.cache"
    export XDG_DATA_HOME="$1/home/.local/share"
    export LXVST_PATH="$2"
    export VST3_PATH="$2/Vantor Pro"
    # LV2 hosts take every folder in LV2_PATH for a bundle: one holding the bundle alone.
    mkdir -p "$1/lv2"
    ln -s "$2/Vantor Pro/vantor-pro.lv2" "$1/lv2/vantor-pro.lv2"
    export LV2_PATH="$1/lv2"
    export VANTOR_NO_DIALOGS=1
    # The test's own sine generator, where Ardour looks for the user's scripts (a session
    # keeps the code of those it uses).
    mkdir -p "$XDG_CONFIG_HOME/ardour7/scripts"
    cp "$(dirname "$0")/timeline-sine.lua" "$XDG_CONFIG_HOME/ardour7/scripts/"
}

# Ardour keeps a scan only when its cache file is newer than the module, at whole seconds:
# a module built or installed in this very second would be taken as changed since.
wait_past_mtime() {
    tries=0
    while [ "$(date +%s)" -le "$(stat -c %Y "$1")" ] && [ $tries -lt 10 ]; do
        sleep 0.2
        tries=$((tries + 1))
    done
}

scan_module() {
    wait_past_mtime "$1"
    LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 60 /usr/lib/ardour7/ardour-vst-scanner --force --verbose "$1"
}

# Ardour 7 now and then never finishes a start or an export on a busy machine: its butler
# thread waits in butler_transport_work for a transport change that the engine's process
# thread never runs (gdb shows no frame of the plug-in's on any thread), or ardour7-export
# aborts with heap corruption or leaves a channel unwritten (valgrind finds nothing of ours
# in a clean run). A normal run of each step takes seconds: each gets 40 s and a second try,
# and a fault of the plug-in's fails both.
ardour_step() {
    timeout 40 "$@"
}

scan_vst3_bundle() {
    for module in "$1"/Contents/*/*.so; do
        wait_past_mtime "$module"
    done
    LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 60 /usr/lib/ardour7/ardour-vst3-scanner --force --verbose "$1"
}

# check_scan RECORD OUTPUT WANT...: every WANT is in RECORD, what Ardour recorded of the
# plug-in, and OUTPUT, the scanner's own, holds no message of the plug-in's (so it found its
# skin). Fails when either does not hold.
check_scan() {
    record=$1 output=$2
    shift 2
    status=0
    for want in "$@"; do
        if printf '%s\n' "$record" | grep -qF -- "$want"; then
            echo "ok: $want"
        else
            echo "FAIL: Ardour's scan lacks $want"
            status=1
        fi
    done
    if printf '%s\n' "$output" | grep -F '[Vantor Pro]'; then
        echo "FAIL: the plug-in reported a problem while Ardour scanned it"
        status=1
    fi
    return $status
}
