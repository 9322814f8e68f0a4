#!/bin/sh
# Usage: test-builds.sh build|test NAME
# The builds of the whole test suite (scripts/test.sh) in one place: how each is configured
# and built, and which of its suites it runs. A sanitizer build runs the suites carrying its
# label (ctest -L) and builds only what those need (target tests_LABEL, cmake/Testing.cmake):
#   test-linux  everything
#   test-asan   AddressSanitizer + UndefinedBehaviorSanitizer: the suites labelled memory,
#               which give our code bytes, sizes, chunks, files or lifetimes to get wrong
#   test-tsan   ThreadSanitizer: the suites labelled threads, where more than one thread
#               runs our code
#   test-win64  Windows x64 under Wine: everything it registers, each suite driving the
#               Win32, WGL, registry or module-loading side
#   fuzz        the libFuzzer targets, 15 s each (tests/fuzz/run-fuzzers.sh)
# test-win64's suites compare with what test-linux's wrote, so they run after those.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
export VANTOR_NO_DIALOGS=1
action=$1
name=$2
linux_deps=$root/build/linux-deps

label=""
# Line tables are all a failing test's or a sanitizer's stack trace needs; full debugging
# information cost a quarter of the compile time, and compiling is most of the run.
optimise=-O2
case $name in
test-linux)
    set -- -DVANTOR_LINUX_DEPS_PREFIX="$linux_deps"
    ;;
test-asan)
    label=memory
    # Its suites take seconds; compiling this build takes minutes.
    optimise=-O1
    set -- -DVANTOR_SANITIZER=address -DVANTOR_LINUX_DEPS_PREFIX="$linux_deps"
    export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
    ;;
test-tsan)
    label=threads
    set -- -DVANTOR_SANITIZER=thread -DVANTOR_LINUX_DEPS_PREFIX="$linux_deps"
    export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
    ;;
test-win64)
    linux=$root/build/test-linux
    set -- -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DVANTOR_MINGW_DEPS_PREFIX="$root/build/mingw-deps" \
        -DVANTOR_LINUX_REFERENCE="$linux/vst-reference.bin" \
        -DVANTOR_LINUX_EDITOR_FRAMES="$linux/editor-frames" \
        -DVANTOR_LINUX_EDITOR_FRAME_2X="$linux/editor-reference-frame-2x.png"
    ;;
fuzz)
    export VANTOR_LINUX_DEPS_PREFIX="$linux_deps"
    case $action in
    build) exec sh "$root/tests/fuzz/run-fuzzers.sh" --build-only ;;
    test) exec sh "$root/tests/run-isolated.sh" sh "$root/tests/fuzz/run-fuzzers.sh" 15 ;;
    esac
    ;;
*)
    echo "usage: $0 build|test test-linux|test-asan|test-tsan|test-win64|fuzz" >&2
    exit 2
    ;;
esac

dir=$root/build/$name
case $action in
build)
    flags="$optimise -g1 -DNDEBUG"
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_FLAGS_RELWITHDEBINFO="$flags" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$flags" "$@"
    cmake --build "$dir" -j "$jobs" ${label:+--target "tests_$label"}
    ;;
test)
    cd "$dir"
    ctest --output-on-failure -j "$jobs" ${label:+-L "^$label\$"}
    ;;
*)
    echo "usage: $0 build|test NAME" >&2
    exit 2
    ;;
esac
