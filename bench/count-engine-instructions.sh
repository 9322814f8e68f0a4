#!/bin/sh
# Instructions per 1024-sample hop of the engine at 44.1 kHz, counted by callgrind, which
# load from other processes does not change (unlike times on a shared machine).
# usage: bench/count-engine-instructions.sh BUILD_DIR   (valgrind from scripts/packages.txt)
set -eu
build=${1:?usage: $0 BUILD_DIR}
program="$build/bench/engine_hop_instructions"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for settings in every default; do
    hops=$(valgrind --tool=callgrind --callgrind-out-file="$work/$settings.out" \
        --toggle-collect='*measureHops*' "$program" "$settings" 2>"$work/$settings.log" | sed -n 's/^hops //p')
    instructions=$(sed -n 's/^summary: *//p' "$work/$settings.out")
    if [ -z "$hops" ] || [ -z "$instructions" ]; then
        cat "$work/$settings.log" >&2
        exit 1
    fi
    echo "$settings: $((instructions / hops)) instructions per hop ($instructions over $hops hops)"
done
