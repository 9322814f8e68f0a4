#!/bin/sh
# Runs a Windows test program under Wine with a private prefix in the build tree and no
# dialogs, then waits for the Wine server so the next run starts clean.
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
