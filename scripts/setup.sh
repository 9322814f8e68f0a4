#!/bin/sh
# The README's first command: install what is needed, build both plug-ins into dist/ and
# run the main job on them.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
"$root/scripts/main-job.sh"
