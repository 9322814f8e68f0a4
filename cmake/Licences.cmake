# The licence texts of the third-party code the Windows module links statically, copied from
# the Debian copyright files of what it was built from: zlib, libpng and GLEW from the
# source packages scripts/build-mingw-deps.sh built (kept in its prefix), and the MinGW-w64
# runtime (C runtime start-up code, winpthreads) and GCC's runtime (libstdc++, libgcc) from
# the installed cross-compiler packages. Sets VANTOR_LICENCE_FILES.

get_filename_component(_vantor_licence_deps "${VANTOR_MINGW_DEPS_PREFIX}" ABSOLUTE BASE_DIR "${CMAKE_BINARY_DIR}")
set(_vantor_licence_sources
  "zlib.txt=${_vantor_licence_deps}/share/doc/zlib/copyright"
  "libpng.txt=${_vantor_licence_deps}/share/doc/libpng1.6/copyright"
  "GLEW.txt=${_vantor_licence_deps}/share/doc/glew/copyright"
  "MinGW-w64-runtime.txt=/usr/share/doc/mingw-w64-x86-64-dev/copyright"
  "GCC-runtime-libraries.txt=/usr/share/doc/g++-mingw-w64-x86-64-posix/copyright")

set(VANTOR_LICENCE_FILES "")
foreach(entry IN LISTS _vantor_licence_sources)
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 name)
  list(GET pair 1 source)
  if(NOT EXISTS "${source}")
    message(FATAL_ERROR "Licence text for ${name} not found at ${source}; the release archive must carry it. "
                        "Rebuild ${_vantor_licence_deps} with scripts/build-mingw-deps.sh or install the "
                        "packages in scripts/packages.txt.")
  endif()
  configure_file("${source}" "${PROJECT_BINARY_DIR}/packaging/licences/${name}" COPYONLY)
  list(APPEND VANTOR_LICENCE_FILES "${PROJECT_BINARY_DIR}/packaging/licences/${name}")
endforeach()
