#!/bin/sh
# Prints what the places outside the build hold that the plug-in or its tests could write:
# the Info preference's three places on Linux, its registry key and file in the Wine prefix
# (the user's real one), and the plug-in folders a plain install writes. scripts/test.sh
# compares the listing before and after the whole suite: no test may change it.
set -eu
machine=${XDG_CONFIG_DIRS:-/etc/xdg}
machine=${machine%%:*}
wine=${WINEPREFIX:-$HOME/.wine}
places="$machine/Brackwel
${XDG_CONFIG_HOME:-$HOME/.config}/Brackwel
${XDG_DATA_HOME:-$HOME/.local/share}/Brackwel
$HOME/.vst/Vantor Pro
$HOME/.clap/Vantor Pro
$wine/drive_c/users/$(id -un)/AppData/Roaming/Brackwel
$wine/drive_c/users/$(id -un)/Application Data/Brackwel"

echo "$places" | while IFS= read -r place; do
    if [ -e "$place" ]; then
        find "$place" -printf '%p %y %s bytes, changed %C@\n' | sort
        find "$place" -type f -exec md5sum {} + | sort
    else
        echo "$place: absent"
    fi
done
# Registry keys, with the time wine records for each.
for hive in system user; do
    file="$wine/$hive.reg"
    if [ -f "$file" ]; then
        awk -v hive="$hive" '/^\[/ { inside = tolower($0) ~ /\\\\brackwel/ } inside { print hive ": " $0 }' "$file"
    else
        echo "$file: absent"
    fi
done
