# Static zlib, libpng and GLEW for the Windows build. Debian has no MinGW builds of them,
# so scripts/build-mingw-deps.sh builds them from Debian's source packages into
# VANTOR_MINGW_DEPS_PREFIX, at configure time when they are missing.
#
# Afterwards find_package(ZLIB), find_package(PNG) and find_package(GLEW) work as on Linux,
# and these imported targets exist:
#   ZLIB::ZLIB    libz.a
#   PNG::PNG      libpng 1.6, brings ZLIB::ZLIB
#   GLEW::GLEW    libglew32.a with GLEW_STATIC, brings opengl32 (same as GLEW::glew_s)

set(VANTOR_MINGW_DEPS_PREFIX "${CMAKE_BINARY_DIR}/mingw-deps" CACHE PATH
    "Prefix holding static zlib, libpng and GLEW for the Windows build")

# A relative path given with -D would be taken from wherever cmake was started.
get_filename_component(_vantor_deps_prefix "${VANTOR_MINGW_DEPS_PREFIX}" ABSOLUTE BASE_DIR "${CMAKE_BINARY_DIR}")
set(_vantor_deps_script "${CMAKE_CURRENT_LIST_DIR}/../scripts/build-mingw-deps.sh")
cmake_path(NORMAL_PATH _vantor_deps_script)

set(_vantor_deps_ready TRUE)
foreach(_f lib/libz.a lib/libpng16.a lib/libglew32.a lib/cmake/glew/glew-config.cmake)
  if(NOT EXISTS "${_vantor_deps_prefix}/${_f}")
    set(_vantor_deps_ready FALSE)
  endif()
endforeach()

if(NOT _vantor_deps_ready)
  message(STATUS "Building static zlib, libpng and GLEW from Debian sources into ${_vantor_deps_prefix}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env MINGW_CC=${CMAKE_C_COMPILER} MINGW_AR=${CMAKE_AR}
            sh ${_vantor_deps_script} ${_vantor_deps_prefix}
    RESULT_VARIABLE _vantor_deps_result)
  if(NOT _vantor_deps_result EQUAL 0)
    message(FATAL_ERROR
      "Building zlib, libpng and GLEW for MinGW failed (${_vantor_deps_result}); see the messages "
      "above. Run 'sh ${_vantor_deps_script} ${_vantor_deps_prefix}' to retry by hand (as "
      "root the first time on a machine), or point VANTOR_MINGW_DEPS_PREFIX at a built prefix.")
  endif()
endif()

# Results cached for another prefix would shadow this one.
if(NOT "${_VANTOR_MINGW_DEPS_PREFIX_FOUND}" STREQUAL "${_vantor_deps_prefix}")
  foreach(_v ZLIB_INCLUDE_DIR ZLIB_LIBRARY_RELEASE ZLIB_LIBRARY_DEBUG
             PNG_PNG_INCLUDE_DIR PNG_LIBRARY_RELEASE PNG_LIBRARY_DEBUG GLEW_DIR)
    unset(${_v} CACHE)
  endforeach()
  set(_VANTOR_MINGW_DEPS_PREFIX_FOUND "${_vantor_deps_prefix}" CACHE INTERNAL "")
endif()

# The toolchain file searches only below CMAKE_FIND_ROOT_PATH; ours goes first.
list(PREPEND CMAKE_FIND_ROOT_PATH "${_vantor_deps_prefix}")
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(GLEW REQUIRED)
