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
expect '^ +0 +control in +active +"Active" +1\.000000 in 0\.000000\.\.1\.000000 +\(toggled\) +2 scale points$' 'Active as a toggle, off and on'
expect '^ +1 +control in +stereo_width +"Stereo Width" +50\.000000 in 0\.000000\.\.100\.000000 +\[pc\]$' 'Stereo Width in %'
expect '^ +5 +control in +gain +"Gain" +0\.000000 in -80\.000000\.\.12\.04[0-9]* +\[db\] +1 scale points$' 'Gain in dB, silence named'
expect '^ +6 +control in +eq_num +"Eq_Num" +2\.000000 in 0\.000000\.\.16\.000000 +\(integer\)$' 'Eq_Num as a count of 0..16'
expect '^ +41 +control in +unnamed .*\(not on GUI\) +\(not automatic\)$' 'the unnamed value hidden'
expect '^ +46 +control out +latency .*\(reports latency\)$' 'the latency port'
expect "^Presets: +$presets\$" "$presets presets"
expect '^Latency: +2049 samples at 44100 Hz, 2049 at 48000 Hz, 4097 at 96000 Hz$' 'the latency at each rate'
[ $status -ne 0 ] && echo "$output"
exit $status
