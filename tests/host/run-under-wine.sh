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
# A prefix that does not exist yet starts as a copy of the freshly booted one the build made
# (VANTOR_WINE_TEMPLATE, cmake/Testing.cmake) rather than booting: the same start, sooner.
if [ -n "${VANTOR_WINE_TEMPLATE:-}" ] && [ -f "$VANTOR_WINE_TEMPLATE/system.reg" ] && [ ! -e "$WINEPREFIX" ]; then
    cp -a "$VANTOR_WINE_TEMPLATE" "$WINEPREFIX"
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export VANTOR_NO_DIALOGS=1
wine "$@"
status=$?
wineserver -w
exit $status
