#!/bin/sh
# The README's second command: builds and runs the whole test suite: the Linux build, the
# AddressSanitizer + UndefinedBehaviorSanitizer build, the ThreadSanitizer build, and the
# Windows x64 build under Wine.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
export VANTOR_NO_DIALOGS=1

"$root/scripts/install-deps.sh"

# No test may leave anything in the real preference places, the real Wine prefix or the
# real plug-in folder (each test runs in its own, tests/run-isolated.sh): compared at the end.
places=$(mktemp -d)
trap 'rm -rf "$places"' EXIT
sh "$root/tests/real-places.sh" >"$places/before"

# configure_and_test NAME LABEL [CMAKE OPTION]...: configures and builds build/NAME and runs
# its tests. With a LABEL only the tests carrying it run (ctest -L), and only what they need
# is built (target tests_LABEL, cmake/Testing.cmake); without one, everything.
configure_and_test() {
    name=$1
    label=$2
    shift 2
    echo "=== $name${label:+: the tests labelled $label} ==="
    cmake -S "$root" -B "$root/build/$name" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    if [ -n "$label" ]; then
        cmake --build "$root/build/$name" -j "$jobs" --target "tests_$label"
        (cd "$root/build/$name" && ctest --output-on-failure -j "$jobs" -L "^$label\$")
    else
        cmake --build "$root/build/$name" -j "$jobs"
        (cd "$root/build/$name" && ctest --output-on-failure -j "$jobs")
    fi
}

# Which suites each build runs. The Linux build runs every test. The sanitizer builds run
# the suites where their sanitizer can see something the Linux build cannot: memory (our
# code on bytes, sizes, chunks, files and lifetimes) under AddressSanitizer and UBSan,
# threads (more than one thread in our code) under ThreadSanitizer. The Windows build runs
# every test it registers: each drives the Win32, WGL, registry or module-loading side.
linux_deps=-DVANTOR_LINUX_DEPS_PREFIX="$root/build/linux-deps"
configure_and_test test-linux "" "$linux_deps"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    configure_and_test test-asan memory -DVANTOR_SANITIZER=address "$linux_deps"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    configure_and_test test-tsan threads -DVANTOR_SANITIZER=thread "$linux_deps"
configure_and_test test-win64 "" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DVANTOR_MINGW_DEPS_PREFIX="$root/build/mingw-deps" \
    -DVANTOR_LINUX_REFERENCE="$root/build/test-linux/reference-render.f32" \
    -DVANTOR_LINUX_EDITOR_FRAME="$root/build/test-linux/editor-reference-frame.png" \
    -DVANTOR_LINUX_EDITOR_FRAME_2X="$root/build/test-linux/editor-reference-frame-2x.png"
echo "=== fuzz: the skin readers, 15 s a target ==="
sh "$root/tests/run-isolated.sh" sh "$root/tests/fuzz/run-fuzzers.sh" 15

echo "=== nothing left in the real places ==="
sh "$root/tests/real-places.sh" >"$places/after"
if ! diff -u "$places/before" "$places/after"; then
    echo "FAIL: the test run changed what the places above hold (- before, + after)" >&2
    exit 1
fi
echo "All test builds passed."
