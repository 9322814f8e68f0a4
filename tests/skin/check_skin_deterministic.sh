#!/bin/bash
# Runs the skin generator twice into fresh folders and checks that the two
# outputs are byte-identical, that every file the editor registers exists,
# and that PNG images with a fixed size have it.
#
# usage: check_skin_deterministic.sh [GENERATOR]   (python: $SKIN_PYTHON or /usr/bin/python3)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
generator=${1:-$here/../../tools/skingen/generate_skin.py}
python=${SKIN_PYTHON:-/usr/bin/python3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export PYTHONDONTWRITEBYTECODE=1
"$python" "$generator" "$work/first"
"$python" "$generator" "$work/second"

failed=0
passed=0
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }

if diff -rq "$work/first" "$work/second"; then
    passed=$((passed + 1))
else
    fail "two runs of the generator differ"
fi

png_size() {
    # Width and height are the big-endian words at bytes 16..23 of the IHDR chunk.
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}

while read -r name size _; do
    [[ -z "$name" || "$name" == \#* ]] && continue
    file="$work/first/$name"
    if [[ ! -f "$file" ]]; then
        fail "$name is missing"
        continue
    fi
    if [[ -n "$size" ]]; then
        actual=$(png_size "$file")
        if [[ "$actual" != "$size" ]]; then
            fail "$name is $actual, expected $size"
            continue
        fi
    fi
    passed=$((passed + 1))
done < "$here/expected_skin_files.txt"

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
