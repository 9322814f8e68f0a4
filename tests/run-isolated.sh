#!/bin/sh
# Usage: run-isolated.sh COMMAND [ARGUMENT]...
# Runs one test command in a place of its own, so that no test reads or writes the machine's
# or the user's real configuration, and no two tests share any: HOME, the XDG folders (the
# first folder of XDG_CONFIG_DIRS is the machine-wide preference place), TMPDIR and the
# Wine prefix all point into a fresh temporary folder, removed afterwards. Every CTest test
# runs through this (cmake/Testing.cmake). Answers the command's exit status.
set -u
place=$(mktemp -d "${TMPDIR:-/tmp}/vantor-test.XXXXXX") || exit 1
trap 'rm -rf "$place"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
mkdir -p "$place/home" "$place/etc-xdg" "$place/runtime" "$place/tmp"
chmod 700 "$place/runtime"
export HOME="$place/home"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_CACHE_HOME="$HOME/.cache"
export XDG_CONFIG_DIRS="$place/etc-xdg"
export XDG_RUNTIME_DIR="$place/runtime"
export TMPDIR="$place/tmp"
export WINEPREFIX="$place/wine"
"$@"
