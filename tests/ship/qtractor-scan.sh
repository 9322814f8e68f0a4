#!/bin/sh
# Usage: qtractor-scan.sh PREFIX
# qtractor's plug-in scanner reads the installed module: one line
# VST|name|audio in:out|midi in:out|parameters:...|flags|path|index|id
# and the module shows no message ("[Vantor Pro] ..." lines with VANTOR_NO_DIALOGS=1).
set -eu
module="$1/Vantor Pro/Vantor Pro.so"
output=$(echo "VST:$module" | VANTOR_NO_DIALOGS=1 timeout 60 /usr/lib/x86_64-linux-gnu/qtractor/qtractor_plugin_scan 2>&1) ||
    true
echo "scanner: $output"
# The scanner ends its line without a newline, so a message may follow on the same line.
line=$(echo "$output" | grep '^VST|' | sed 's/\[Vantor Pro\].*//' || true)
[ -n "$line" ] || { echo "FAIL: qtractor's scanner reported nothing for $module"; exit 1; }

status=0
check() {
    if [ "$2" = "$3" ]; then
        echo "ok: $1 $2"
    else
        echo "FAIL: $1 is '$2', expected '$3'"
        status=1
    fi
}
check "name" "$(echo "$line" | cut -d'|' -f2)" "Vantor Pro"
check "audio inputs:outputs" "$(echo "$line" | cut -d'|' -f3)" "2:2"
check "parameters" "$(echo "$line" | cut -d'|' -f5 | cut -d: -f1)" "42"
check "editor" "$(echo "$line" | cut -d'|' -f6 | tr ',' '\n' | grep -x GUI || true)" "GUI"
check "path" "$(echo "$line" | cut -d'|' -f7)" "$module"
check "unique ID" "$(echo "$line" | cut -d'|' -f9)" "0x566e5471"
if echo "$output" | grep -qF '[Vantor Pro]'; then
    echo "FAIL: the plug-in reported a problem while qtractor scanned it"
    status=1
fi
exit $status
