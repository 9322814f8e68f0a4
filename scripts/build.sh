#!/bin/sh
# Builds the Linux and the Windows x64 plug-in into dist/linux and dist/windows, and the two
# release archives, the Debian package, the Windows setup program and SHA256SUMS into dist/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

cmake -S "$root" -B "$root/build/release-linux" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DVANTOR_DIST_DIR="$root/dist/linux" -DVANTOR_PACKAGE_DIR="$root/dist" \
    -DVANTOR_LINUX_DEPS_PREFIX="$root/build/linux-deps"
cmake --build "$root/build/release-linux" -j "$jobs"

cmake -S "$root" -B "$root/build/release-win64" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DVANTOR_DIST_DIR="$root/dist/windows" \
    -DVANTOR_PACKAGE_DIR="$root/dist" \
    -DVANTOR_MINGW_DEPS_PREFIX="$root/build/mingw-deps"
cmake --build "$root/build/release-win64" -j "$jobs"
