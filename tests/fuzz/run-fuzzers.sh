#!/bin/sh
# Builds the resource-reader and plug-in fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer), replays every saved regression input, then fuzzes each target
# for a bounded time starting from the committed seeds.
#
#   tests/fuzz/run-fuzzers.sh [SECONDS_PER_TARGET]        (default 20)
#   tests/fuzz/run-fuzzers.sh --build-only                 (only configures and builds them)
#
# Environment: VANTOR_FUZZ_BUILD_DIR (default build/fuzz), VANTOR_FUZZ_JOBS (default 2: build
# jobs, and targets fuzzed at once),
# VANTOR_LINUX_DEPS_PREFIX (static zlib, libpng and GLEW already built, e.g. build/linux-deps;
# default: built into the fuzz build folder).
# Exits non-zero when the build fails or any input crashes, leaks or hangs; new crashing
# inputs are kept in <build dir>/crashes/<target>/ -- copy them to regressions/<target>/.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
fuzz_dir=$root/tests/fuzz
build=${VANTOR_FUZZ_BUILD_DIR:-$root/build/fuzz}
seconds=${1:-20}
jobs=${VANTOR_FUZZ_JOBS:-2}
targets="fuzz_3ds fuzz_fnt fuzz_png fuzz_host_state fuzz_dispatcher fuzz_input_audio fuzz_preset_file"

export VANTOR_NO_DIALOGS=1
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1
# Mesa's software rasteriser keeps caches for the process's life; they are not our leaks.
# Its worker threads would trip LeakSanitizer's own thread stopper, so it draws on ours.
export LSAN_OPTIONS=suppressions=$fuzz_dir/mesa.lsan-suppressions
export LP_NUM_THREADS=0

deps=${VANTOR_LINUX_DEPS_PREFIX:+-DVANTOR_LINUX_DEPS_PREFIX=$VANTOR_LINUX_DEPS_PREFIX}
# shellcheck disable=SC2086
# Line tables are enough for the sanitizers' stack traces, and compile much faster than -g.
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DVANTOR_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" $deps >/dev/null
# shellcheck disable=SC2086
cmake --build "$build" --target $targets -j "$jobs"
if [ "$seconds" = --build-only ]; then
    exit 0
fi

# No reader may ask for more than the 256 MiB an image may take; a larger request fails the run.
limits="-timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=320"

# Replays a target's regression inputs, then fuzzes it; prints what failed, if anything.
run_target() {
    target=$1
    binary=$build/tests/fuzz/$target
    # The dispatcher target opens the editor, which needs a window system; the software
    # rasteriser's first frames of an opening are slow, and a hang never ends anyway.
    if [ "$target" = fuzz_dispatcher ]; then
        run="xvfb-run -a"
        target_limits=$(echo "$limits" | sed 's/-timeout=10/-timeout=30/')
    else
        run=""
        target_limits=$limits
    fi
    regressions=$fuzz_dir/regressions/$target
    if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
        echo "=== $target: replaying $(ls "$regressions" | wc -l) regression inputs ==="
        # shellcheck disable=SC2086
        if ! $run "$binary" $target_limits "$regressions"/*; then
            echo "$target(regression)" >"$logs/$target.failed"
            return
        fi
    fi

    echo "=== $target: fuzzing for ${seconds}s ==="
    corpus=$build/corpus/$target
    crashes=$build/crashes/$target
    mkdir -p "$corpus" "$crashes"
    dictionary=""
    if [ -f "$fuzz_dir/$target.dict" ]; then
        dictionary="-dict=$fuzz_dir/$target.dict"
    fi
    # The first corpus folder collects new inputs; the committed seeds are only read.
    # shellcheck disable=SC2086
    if ! $run "$binary" -max_total_time="$seconds" $target_limits -print_final_stats=1 \
        -artifact_prefix="$crashes/" $dictionary "$corpus" "$fuzz_dir/corpus/$target"; then
        echo "$target" >"$logs/$target.failed"
    fi
}

# The targets run $jobs at a time (each fuzzer keeps one processor busy), each into a log of
# its own, shown whole in the targets' order once they are done.
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
running=0
for target in $targets; do
    run_target "$target" >"$logs/$target.log" 2>&1 &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait
        running=0
    fi
done
wait
failed=""
for target in $targets; do
    cat "$logs/$target.log"
    if [ -e "$logs/$target.failed" ]; then
        failed="$failed $(cat "$logs/$target.failed")"
    fi
done

if [ -n "$failed" ]; then
    echo "Fuzzing failed:$failed (crashing inputs in $build/crashes/)" >&2
    exit 1
fi
echo "All fuzz targets ran clean."
