# The licence texts of the third-party code the module links statically, copied from the
# Debian copyright files of what it was built from: zlib, libpng and GLEW from the source
# packages scripts/build-static-deps.sh built (kept in its prefix), and the runtimes from
# the installed compiler packages: on Windows the MinGW-w64 runtime (C runtime start-up
# code, winpthreads) and GCC's runtime (libstdc++, libgcc), on Linux GCC's runtime.
# Sets VANTOR_LICENCE_FILES, and VANTOR_RENDERER_LICENCE_FILES for vantor-render, which
# links GCC's runtime and on Windows ships libsndfile's DLL (LGPL 2.1 or later).

set(_vantor_licence_sources
  "zlib.txt=${VANTOR_DEPS_PREFIX_DIR}/share/doc/zlib/copyright"
  "libpng.txt=${VANTOR_DEPS_PREFIX_DIR}/share/doc/libpng1.6/copyright"
  "GLEW.txt=${VANTOR_DEPS_PREFIX_DIR}/share/doc/glew/copyright")
if(WIN32)
  list(APPEND _vantor_licence_sources
    "MinGW-w64-runtime.txt=/usr/share/doc/mingw-w64-x86-64-dev/copyright"
    "GCC-runtime-libraries.txt=/usr/share/doc/g++-mingw-w64-x86-64-posix/copyright")
else()
  list(APPEND _vantor_licence_sources "GCC-runtime-libraries.txt=/usr/share/doc/libstdc++6/copyright")
endif()

set(VANTOR_LICENCE_FILES "")
foreach(entry IN LISTS _vantor_licence_sources)
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 name)
  list(GET pair 1 source)
  if(NOT EXISTS "${source}")
    message(FATAL_ERROR "Licence text for ${name} not found at ${source}; the release archive must carry it. "
                        "Rebuild ${VANTOR_DEPS_PREFIX_DIR} with scripts/build-static-deps.sh or install the "
                        "packages in scripts/packages.txt.")
  endif()
  configure_file("${source}" "${PROJECT_BINARY_DIR}/packaging/licences/${name}" COPYONLY)
  list(APPEND VANTOR_LICENCE_FILES "${PROJECT_BINARY_DIR}/packaging/licences/${name}")
endforeach()

# The renderer's: the runtimes it links, and on Windows the DLL beside it.
set(VANTOR_RENDERER_LICENCE_FILES "${PROJECT_BINARY_DIR}/packaging/licences/GCC-runtime-libraries.txt")
if(WIN32)
  list(APPEND VANTOR_RENDERER_LICENCE_FILES "${PROJECT_BINARY_DIR}/packaging/licences/MinGW-w64-runtime.txt")
  foreach(entry "libsndfile.txt=${VANTOR_DEPS_PREFIX_DIR}/share/doc/libsndfile/copyright"
                "LGPL-2.1.txt=/usr/share/common-licenses/LGPL-2.1")
    string(REPLACE "=" ";" pair "${entry}")
    list(GET pair 0 name)
    list(GET pair 1 source)
    if(NOT EXISTS "${source}")
      message(FATAL_ERROR "Licence text for ${name} not found at ${source}; rebuild ${VANTOR_DEPS_PREFIX_DIR} "
                          "with scripts/build-static-deps.sh.")
    endif()
    configure_file("${source}" "${PROJECT_BINARY_DIR}/packaging/renderer-licences/${name}" COPYONLY)
    list(APPEND VANTOR_RENDERER_LICENCE_FILES "${PROJECT_BINARY_DIR}/packaging/renderer-licences/${name}")
  endforeach()
endif()
