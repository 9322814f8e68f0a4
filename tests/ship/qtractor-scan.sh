#!/bin/sh
# Usage: qtractor-scan.sh PREFIX
# qtractor's plug-in scanner reads both installed modules, the VST 2.4 one and the CLAP
# one: one line each,
# TYPE|name|audio in:out|midi in:out|parameters:...|flags|path|index|id
# and neither shows a message ("[Vantor Pro] ..." lines with VANTOR_NO_DIALOGS=1).
set -eu
status=0
check() {
    if [ "$2" = "$3" ]; then
        echo "ok: $1 $2"
    else
        echo "FAIL: $1 is '$2', expected '$3'"
        status=1
    fi
}

for kind in VST CLAP; do
    if [ "$kind" = VST ]; then module="$1/Vantor Pro/Vantor Pro.so"; else module="$1/Vantor Pro/Vantor Pro.clap"; fi
    output=$(echo "$kind:$module" | VANTOR_NO_DIALOGS=1 timeout 60 /usr/lib/x86_64-linux-gnu/qtractor/qtractor_plugin_scan 2>&1) ||
        true
    echo "scanner: $output"
    if echo "$output" | grep -qF '[Vantor Pro]'; then
        echo "FAIL: the plug-in reported a problem while qtractor scanned $module"
        status=1
    fi
    # The scanner ends its line without a newline, so a message may follow on the same line.
    line=$(echo "$output" | grep "^$kind|" | sed 's/\[Vantor Pro\].*//' || true)
    [ -n "$line" ] || { echo "FAIL: qtractor's scanner reported nothing for $module"; status=1; continue; }
    check "$kind name" "$(echo "$line" | cut -d'|' -f2)" "Vantor Pro"
    check "$kind audio inputs:outputs" "$(echo "$line" | cut -d'|' -f3)" "2:2"
    # VST 2.4 says every parameter may be set; CLAP marks the two housekeeping values read-only,
    # which qtractor counts as outputs.
    if [ "$kind" = VST ]; then parameters=42:0; else parameters=40:2; fi
    check "$kind parameters in:out" "$(echo "$line" | cut -d'|' -f5)" "$parameters"
    check "$kind editor" "$(echo "$line" | cut -d'|' -f6 | tr ',' '\n' | grep -x GUI || true)" "GUI"
    check "$kind path" "$(echo "$line" | cut -d'|' -f7)" "$module"
    if [ "$kind" = VST ]; then
        check "unique ID" "$(echo "$line" | cut -d'|' -f9)" "0x566e5471"
    fi
done
exit $status
