#!/bin/sh
# Runs a Windows test program under Wine with a private prefix in the build tree and no
# dialogs, then waits for the Wine server so the next run starts clean.
set -u
: "${WINEPREFIX:=${VANTOR_WINE_PREFIX:-$(pwd)/wineprefix}}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export VANTOR_NO_DIALOGS=1
wine "$@"
status=$?
wineserver -w
exit $status
