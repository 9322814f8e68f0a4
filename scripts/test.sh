#!/bin/sh
# The README's second command: builds and runs the whole test suite: the Linux build, the
# AddressSanitizer + UndefinedBehaviorSanitizer build, the ThreadSanitizer build, the
# Windows x64 build under Wine, and the fuzzers. What each build is and which suites it
# runs: scripts/test-builds.sh.
#
# The Linux build comes first. Its suites spend much of their time waiting on X servers and
# the editor's frames, so meanwhile the other builds are made one after another in the
# background, at the lowest priority so that the tests have the processors whenever they
# want them. Each build's suites run as soon as it is made, its output shown then.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
builds=$root/scripts/test-builds.sh
# In this order the Windows suites, which wait the most, run while the ThreadSanitizer and
# fuzz builds are made.
later="test-asan test-win64 test-tsan fuzz"

"$root/scripts/install-deps.sh"

# Each stage's heading says when it began, so a log shows where the run's time went.
started=$(date +%s)
stage() {
    elapsed=$(($(date +%s) - started))
    printf '=== %s (at %d:%02d) ===\n' "$1" $((elapsed / 60)) $((elapsed % 60))
}

work=$(mktemp -d)
builder=""
finish() {
    # The background builds have a process group of their own (setsid below).
    if [ -n "$builder" ]; then
        kill -- "-$builder" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# No test may leave anything in the real preference places, the real Wine prefix or the
# real plug-in folder (each test runs in its own, tests/run-isolated.sh): compared at the end.
sh "$root/tests/real-places.sh" >"$work/places-before"

stage "test-linux: build"
sh "$builds" build test-linux

# Each background build leaves its output in NAME.log and its exit status in NAME.status;
# the first that fails ends the chain. Started from this shell, which has no job control,
# setsid makes the chain the leader of a new process group without forking, so $! is it.
setsid nice -n 19 sh -c '
    builds=$1 work=$2
    shift 2
    for name in "$@"; do
        status=0
        sh "$builds" build "$name" >"$work/$name.log" 2>&1 || status=$?
        echo "$status" >"$work/$name.status"
        [ "$status" = 0 ] || exit "$status"
    done' sh "$builds" "$work" $later &
builder=$!

stage "test-linux: tests"
sh "$builds" test test-linux
for name in $later; do
    while [ ! -e "$work/$name.status" ] && kill -0 "$builder" 2>/dev/null; do
        sleep 2
    done
    stage "$name: build (made in the background)"
    cat "$work/$name.log" 2>/dev/null || true
    if [ "$(cat "$work/$name.status" 2>/dev/null)" != 0 ]; then
        echo "FAIL: the $name build failed (its output is above)" >&2
        exit 1
    fi
    stage "$name: tests"
    sh "$builds" test "$name"
done
wait "$builder"
builder=""

stage "nothing left in the real places"
sh "$root/tests/real-places.sh" >"$work/places-after"
if ! diff -u "$work/places-before" "$work/places-after"; then
    echo "FAIL: the test run changed what the places above hold (- before, + after)" >&2
    exit 1
fi
stage "all test builds passed"
