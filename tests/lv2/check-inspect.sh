#!/bin/sh
# Usage: check-inspect.sh VANTOR_INSPECT BUNDLE PRESET_FOLDER
# vantor-inspect, given the LV2 bundle, prints what an LV2 host sees: the plug-in by name and
# author, its 47 ports with the parameters' ranges and kinds, one preset per factory preset
# file, and the latency its port reports at each rate.
set -eu
inspect=$1 bundle=$2 preset_folder=$3
status=0
output=$("$inspect" "$bundle/") || { echo "FAIL: vantor-inspect $bundle/ failed:"; echo "$output"; exit 1; }
presets=$(ls "$preset_folder" | grep -c '\.fxp$')
expect() {
    if echo "$output" | grep -Eq "$1"; then
        echo "ok: shows $2"
    else
        echo "FAIL: does not show $2"
        status=1
    fi
}
expect '^Plug-in URI: +https://brackwel\.com/plugins/vantor-pro$' 'the URI'
expect '^Name: +Vantor Pro$' 'the name'
expect '^Author: +Brackwel$' 'the author'
expect '^Requires: +none$' 'no required feature'
expect '^Optional: .*http://lv2plug\.in/ns/ext/urid#map' 'urid:map as an optional feature'
expect '^Ports: +47$' '47 ports'
expect '^ +0 +control in +active +"Active" +1\.000000 in 0\.000000\.\.1\.000000 +\(toggled\)$' 'Active as a toggle'
expect '^ +6 +control in +eq_num .*\(enumeration\) +17 scale points$' 'Eq_Num with its 17 steps'
expect '^ +41 +control in +unnamed .*\(not on GUI\) +\(not automatic\)$' 'the unnamed value hidden'
expect '^ +46 +control out +latency .*\(reports latency\)$' 'the latency port'
expect "^Presets: +$presets\$" "$presets presets"
expect '^Latency: +2049 samples at 44100 Hz, 2049 at 48000 Hz, 4097 at 96000 Hz$' 'the latency at each rate'
[ $status -ne 0 ] && echo "$output"
exit $status
