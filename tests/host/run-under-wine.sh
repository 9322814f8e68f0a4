#!/bin/sh
# Runs a Windows program under Wine with no dialogs, in the prefix WINEPREFIX names (each
# test has its own, from tests/run-isolated.sh), else VANTOR_WINE_PREFIX, else ./wineprefix;
# then waits for the Wine server so the prefix can be removed or used again.
set -u
# Wine draws through X11; without a display, bring up a private Xvfb for this run.
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
: "${WINEPREFIX:=${VANTOR_WINE_PREFIX:-$(pwd)/wineprefix}}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export VANTOR_NO_DIALOGS=1
wine "$@"
status=$?
wineserver -w
exit $status
