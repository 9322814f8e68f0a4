#!/bin/sh
# Usage: build-static-deps.sh mingw|linux PREFIX
#
# Builds static zlib, libpng and GLEW (GLEW_STATIC) from Debian's source packages for a
# module that carries them inside itself, and installs
#   PREFIX/include  zlib.h zconf.h png.h pngconf.h pnglibconf.h GL/glew.h
#   PREFIX/lib      libz.a libpng16.a libpng.a, GLEW's library, cmake/glew/glew-config.cmake
#   PREFIX/share/doc/{zlib,libpng1.6,glew}/copyright
# mingw: for the Windows x64 build (Debian ships no MinGW builds of them): GLEW for WGL,
#        lib/libglew32.a and include/GL/wglew.h; and for vantor-render.exe libsndfile as a
#        DLL (bin/libsndfile.dll, lib/libsndfile.dll.a, include/sndfile.h), shipped beside
#        the program so that it can be replaced (LGPL), built without the codec libraries:
#        WAV, AIFF, CAF, W64 and the other uncompressed formats.
# linux: for the Linux module, which must not need the system's GLEW or libpng: position-
#        independent code with hidden symbols, GLEW for GLX, lib/libGLEW.a and
#        include/GL/glxew.h.
# Does nothing when PREFIX already holds them. The first run on a machine needs root: it
# adds deb-src entries mirroring the machine's Debian sources. Quiet unless it fails.
# DEPS_CC and DEPS_AR override the compiler and archiver.
set -eu

usage() {
    echo "usage: $0 mingw|linux PREFIX" >&2
    exit 2
}
[ $# -eq 2 ] || usage
target=$1
case $target in
mingw)
    cc=${DEPS_CC:-x86_64-w64-mingw32-gcc-posix}
    ar=${DEPS_AR:-x86_64-w64-mingw32-ar}
    cflags="-O2 -DNDEBUG"
    glew_lib=libglew32.a
    glew_header=wglew.h
    # What GLEW's entry-point loading links against.
    gl_library=opengl32
    sndfile_files="bin/libsndfile.dll lib/libsndfile.dll.a include/sndfile.h"
    ;;
linux)
    cc=${DEPS_CC:-cc}
    ar=${DEPS_AR:-ar}
    cflags="-O2 -DNDEBUG -fPIC -fvisibility=hidden"
    glew_lib=libGLEW.a
    glew_header=glxew.h
    # The legacy libGL: every distribution's OpenGL has it, libOpenGL is often missing.
    gl_library=OpenGL::GL
    # The Linux renderer uses the system's libsndfile.
    sndfile_files=""
    ;;
*) usage ;;
esac

mkdir -p "$2"
prefix=$(cd "$2" && pwd)
done=yes
for f in include/zlib.h include/png.h include/GL/glew.h "include/GL/$glew_header" lib/libz.a \
         lib/libpng16.a lib/libpng.a "lib/$glew_lib" lib/cmake/glew/glew-config.cmake $sndfile_files; do
    [ -e "$prefix/$f" ] || done=no
done
[ $done = no ] || exit 0

# Sources, objects and the log live beside PREFIX; removed after a good run.
work=$prefix-build
rm -rf "$work"
mkdir -p "$work"
log=$work/build.log
: >"$log"

fail() {
    echo "build-static-deps: $1" >&2
    tail -n 25 "$log" >&2
    echo "build-static-deps: full log: $log" >&2
    exit 1
}

# --- deb-src entries -----------------------------------------------------------------
have_sources() { apt-cache showsrc --only-source zlib 2>/dev/null | grep -q '^Package: zlib$'; }

if ! have_sources; then
    if ! grep -qsE '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' /etc/apt/sources.list \
            /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; then
        [ "$(id -u)" -eq 0 ] || fail "apt has no deb-src entries; run this once as root to add them"
        if [ -f /etc/apt/sources.list.d/debian.sources ]; then
            sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
                >/etc/apt/sources.list.d/vantor-deb-src.sources
        elif grep -qs '^[[:space:]]*deb[[:space:]].*debian' /etc/apt/sources.list; then
            sed -n 's/^[[:space:]]*deb[[:space:]]\(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list \
                >/etc/apt/sources.list.d/vantor-deb-src.list
        else
            fail "found no Debian apt sources to mirror as deb-src"
        fi
    fi
    # A failing third-party repository must not stop us; the check below decides.
    apt-get update -q >>"$log" 2>&1 || true
    have_sources || fail "apt still finds no Debian source packages after apt-get update"
fi

# --- sources ---------------------------------------------------------------------------
# fetch NAME: downloads the source package NAME and unpacks it, Debian patches applied, into
# $work/NAME. A mirror may already lack the files of the newest (security) version, so each
# version apt lists is tried in turn after the plain name.
fetch() {
    name=$1
    versions=$(apt-cache showsrc --only-source "$name" | sed -n "s/^Version: /$name=/p" | sort -urV)
    for want in "$name" $versions; do
        rm -rf "$work/dl"
        mkdir "$work/dl"
        if (cd "$work/dl" && apt-get source -q --download-only --only-source "$want") >>"$log" 2>&1; then
            dpkg-source -x "$work"/dl/*.dsc "$work/$name" >>"$log" 2>&1 || fail "unpacking $want failed"
            rm -rf "$work/dl"
            return 0
        fi
    done
    fail "could not download the Debian source package $name"
}

fetch zlib
fetch libpng1.6
fetch glew
[ -z "$sndfile_files" ] || fetch libsndfile

# --- build -----------------------------------------------------------------------------
# compile LIB DIR FLAGS FILE...: compiles DIR/FILE.c, two at a time, into the archive LIB.
compile() {
    lib=$1 dir=$2 flags=$3
    shift 3
    mkdir -p "$work/obj/$lib"
    # shellcheck disable=SC2086 # FLAGS holds several words, none with spaces.
    printf '%s\n' "$@" | (cd "$dir" && xargs -P 2 -I % "$cc" $cflags $flags -c %.c -o "$work/obj/$lib/%.o") \
        >>"$log" 2>&1 || fail "compiling $lib failed"
    "$ar" rcs "$work/$lib" "$work/obj/$lib"/*.o >>"$log" 2>&1 || fail "archiving $lib failed"
}

compile libz.a "$work/zlib" "" adler32 compress crc32 deflate gzclose gzlib gzread gzwrite \
    infback inffast inflate inftrees trees uncompr zutil

# The configuration libpng ships for builds without its configure script.
cp "$work/libpng1.6/scripts/pnglibconf.h.prebuilt" "$work/libpng1.6/pnglibconf.h"
compile libpng16.a "$work/libpng1.6" "-I../zlib" png pngerror pngget pngmem pngpread pngread \
    pngrio pngrtran pngrutil pngset pngtrans pngwio pngwrite pngwtran pngwutil

compile "$glew_lib" "$work/glew/src" "-I../include -DGLEW_STATIC -DGLEW_NO_GLU" glew

# libsndfile's own CMake build; -static folds libgcc and winpthread into the DLL, so that it
# needs nothing but the system's.
if [ -n "$sndfile_files" ]; then
    cmake -S "$work/libsndfile" -B "$work/sndfile-build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$(cd "$(dirname "$0")/../cmake" && pwd)/mingw-w64-x86_64.cmake" \
        -DCMAKE_C_COMPILER="$cc" -DCMAKE_AR="$(command -v "$ar")" -DCMAKE_SHARED_LINKER_FLAGS=-static \
        -DBUILD_SHARED_LIBS=ON -DENABLE_EXTERNAL_LIBS=OFF -DENABLE_MPEG=OFF -DBUILD_PROGRAMS=OFF \
        -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DBUILD_REGTEST=OFF -DENABLE_CPACK=OFF \
        -DENABLE_PACKAGE_CONFIG=OFF -DINSTALL_PKGCONFIG_MODULE=OFF \
        -DCMAKE_INSTALL_PREFIX="$work/sndfile-install" >>"$log" 2>&1 || fail "configuring libsndfile failed"
    cmake --build "$work/sndfile-build" -j 2 >>"$log" 2>&1 || fail "building libsndfile failed"
    cmake --install "$work/sndfile-build" >>"$log" 2>&1 || fail "installing libsndfile failed"
fi

# --- install ---------------------------------------------------------------------------
mkdir -p "$prefix/include/GL" "$prefix/lib/cmake/glew"
cp "$work/zlib/zlib.h" "$work/zlib/zconf.h" "$prefix/include/"
(cd "$work/libpng1.6" && cp png.h pngconf.h pnglibconf.h "$prefix/include/")
cp "$work/glew/include/GL/glew.h" "$work/glew/include/GL/$glew_header" "$prefix/include/GL/"
for name in zlib libpng1.6 glew ${sndfile_files:+libsndfile}; do
    mkdir -p "$prefix/share/doc/$name"
    cp "$work/$name/debian/copyright" "$prefix/share/doc/$name/"
done
if [ -n "$sndfile_files" ]; then
    mkdir -p "$prefix/bin"
    cp "$work/sndfile-install/bin/libsndfile.dll" "$prefix/bin/"
    cp "$work/sndfile-install/lib/libsndfile.dll.a" "$prefix/lib/"
    cp "$work/sndfile-install/include/sndfile.h" "$prefix/include/"
fi
cp "$work/libz.a" "$work/libpng16.a" "$work/$glew_lib" "$prefix/lib/"
cp "$work/libpng16.a" "$prefix/lib/libpng.a"

# find_package(GLEW) reads this: CMake's FindGLEW cannot find static libraries of its own.
glew_version=$(sed -n 's/^VERSION_M[A-Z]* \([0-9]*\)$/\1/p' "$prefix/include/GL/glew.h" | paste -sd.)
cat >"$prefix/lib/cmake/glew/glew-config-version.cmake" <<EOF
set(PACKAGE_VERSION "$glew_version")
if(PACKAGE_FIND_VERSION VERSION_GREATER PACKAGE_VERSION)
  set(PACKAGE_VERSION_COMPATIBLE FALSE)
else()
  set(PACKAGE_VERSION_COMPATIBLE TRUE)
  if(PACKAGE_FIND_VERSION VERSION_EQUAL PACKAGE_VERSION)
    set(PACKAGE_VERSION_EXACT TRUE)
  endif()
endif()
EOF
{
    echo "# Static GLEW built by scripts/build-static-deps.sh. FindGLEW reads GLEW::GLEW's"
    echo "# *_RELEASE properties, so both targets carry them."
    if [ "$gl_library" = OpenGL::GL ]; then
        echo "include(CMakeFindDependencyMacro)"
        echo "set(OpenGL_GL_PREFERENCE LEGACY)"
        echo "find_dependency(OpenGL)"
    fi
    cat <<EOF
get_filename_component(_glew_prefix "\${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
foreach(_glew_target GLEW::glew_s GLEW::GLEW)
  if(NOT TARGET \${_glew_target})
    add_library(\${_glew_target} STATIC IMPORTED)
    set_target_properties(\${_glew_target} PROPERTIES
      IMPORTED_CONFIGURATIONS RELEASE
      IMPORTED_LOCATION_RELEASE "\${_glew_prefix}/lib/$glew_lib"
      IMPORTED_LINK_INTERFACE_LIBRARIES_RELEASE $gl_library
      INTERFACE_LINK_LIBRARIES $gl_library
      INTERFACE_COMPILE_DEFINITIONS GLEW_STATIC
      INTERFACE_INCLUDE_DIRECTORIES "\${_glew_prefix}/include")
  endif()
endforeach()
unset(_glew_target)
unset(_glew_prefix)
EOF
} >"$prefix/lib/cmake/glew/glew-config.cmake"

rm -rf "$work"
