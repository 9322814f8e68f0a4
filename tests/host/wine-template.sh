#!/bin/sh
# Usage: wine-template.sh PREFIX
# Boots a fresh Wine prefix into PREFIX, which run-under-wine.sh copies into each test's own
# prefix (VANTOR_WINE_TEMPLATE, cmake/Testing.cmake): a copy takes seconds, a boot a quarter
# of a minute. Runs under run-isolated.sh, so Wine sees no real HOME while booting.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$1" "$1.partial"
WINEPREFIX=$1.partial VANTOR_WINE_TEMPLATE='' sh "$here/run-under-wine.sh" wineboot --init
mv "$1.partial" "$1"
