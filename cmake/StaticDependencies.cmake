# Static zlib, libpng and GLEW, built into the module so that it needs none of them from the
# system: Debian has no MinGW builds of them for Windows, and the Linux module must load on
# distributions without Debian 12's GLEW and libpng. scripts/build-static-deps.sh builds
# them from Debian's source packages into VANTOR_MINGW_DEPS_PREFIX (Windows) or
# VANTOR_LINUX_DEPS_PREFIX (Linux; position-independent), at configure time when missing.
#
# Afterwards find_package(ZLIB), find_package(PNG) and find_package(GLEW) find them, and
# these imported targets exist:
#   ZLIB::ZLIB    libz.a
#   PNG::PNG      libpng 1.6, brings ZLIB::ZLIB
#   GLEW::GLEW    GLEW with GLEW_STATIC (same as GLEW::glew_s), brings opengl32 on Windows
#                 and the legacy libGL (OpenGL::GL) on Linux
# VANTOR_DEPS_PREFIX_DIR holds the prefix as an absolute path.

if(WIN32)
  set(VANTOR_MINGW_DEPS_PREFIX "${CMAKE_BINARY_DIR}/mingw-deps" CACHE PATH
      "Prefix holding static zlib, libpng and GLEW for the Windows build")
  set(_vantor_deps_target mingw)
  set(_vantor_deps_prefix_setting VANTOR_MINGW_DEPS_PREFIX)
  set(_vantor_glew_library libglew32.a)
else()
  set(VANTOR_LINUX_DEPS_PREFIX "${CMAKE_BINARY_DIR}/linux-deps" CACHE PATH
      "Prefix holding static position-independent zlib, libpng and GLEW for the Linux build")
  set(_vantor_deps_target linux)
  set(_vantor_deps_prefix_setting VANTOR_LINUX_DEPS_PREFIX)
  set(_vantor_glew_library libGLEW.a)
  # libGL is on every Linux system with OpenGL; libOpenGL (GLVND) is often not installed.
  set(OpenGL_GL_PREFERENCE LEGACY)
endif()

# A relative path given with -D would be taken from wherever cmake was started.
get_filename_component(VANTOR_DEPS_PREFIX_DIR "${${_vantor_deps_prefix_setting}}" ABSOLUTE
                       BASE_DIR "${CMAKE_BINARY_DIR}")
set(_vantor_deps_script "${CMAKE_CURRENT_LIST_DIR}/../scripts/build-static-deps.sh")
cmake_path(NORMAL_PATH _vantor_deps_script)

set(_vantor_deps_ready TRUE)
foreach(_f lib/libz.a lib/libpng16.a lib/${_vantor_glew_library} lib/cmake/glew/glew-config.cmake)
  if(NOT EXISTS "${VANTOR_DEPS_PREFIX_DIR}/${_f}")
    set(_vantor_deps_ready FALSE)
  endif()
endforeach()

if(NOT _vantor_deps_ready)
  message(STATUS "Building static zlib, libpng and GLEW from Debian sources into ${VANTOR_DEPS_PREFIX_DIR}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEPS_CC=${CMAKE_C_COMPILER} DEPS_AR=${CMAKE_AR}
            sh ${_vantor_deps_script} ${_vantor_deps_target} ${VANTOR_DEPS_PREFIX_DIR}
    RESULT_VARIABLE _vantor_deps_result)
  if(NOT _vantor_deps_result EQUAL 0)
    message(FATAL_ERROR
      "Building zlib, libpng and GLEW failed (${_vantor_deps_result}); see the messages above. Run "
      "'sh ${_vantor_deps_script} ${_vantor_deps_target} ${VANTOR_DEPS_PREFIX_DIR}' to retry by hand "
      "(as root the first time on a machine), or point ${_vantor_deps_prefix_setting} at a built prefix.")
  endif()
endif()

# Results cached for another prefix (or the system's libraries) would shadow this one.
if(NOT "${_VANTOR_DEPS_PREFIX_FOUND}" STREQUAL "${VANTOR_DEPS_PREFIX_DIR}")
  foreach(_v ZLIB_INCLUDE_DIR ZLIB_LIBRARY_RELEASE ZLIB_LIBRARY_DEBUG
             PNG_PNG_INCLUDE_DIR PNG_LIBRARY_RELEASE PNG_LIBRARY_DEBUG GLEW_DIR)
    unset(${_v} CACHE)
  endforeach()
  set(_VANTOR_DEPS_PREFIX_FOUND "${VANTOR_DEPS_PREFIX_DIR}" CACHE INTERNAL "")
endif()

if(WIN32)
  # The toolchain file searches only below CMAKE_FIND_ROOT_PATH; ours goes first.
  list(PREPEND CMAKE_FIND_ROOT_PATH "${VANTOR_DEPS_PREFIX_DIR}")
else()
  list(PREPEND CMAKE_PREFIX_PATH "${VANTOR_DEPS_PREFIX_DIR}")
endif()
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(GLEW REQUIRED)

# The system's shared libraries must not stand in for them.
foreach(_v ZLIB_LIBRARY_RELEASE PNG_LIBRARY_RELEASE)
  cmake_path(IS_PREFIX VANTOR_DEPS_PREFIX_DIR "${${_v}}" NORMALIZE _vantor_in_prefix)
  if(NOT _vantor_in_prefix)
    message(FATAL_ERROR "${_v} is ${${_v}}, not the static library in ${VANTOR_DEPS_PREFIX_DIR}")
  endif()
endforeach()
