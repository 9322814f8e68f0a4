# The release version lives in one place, project(VERSION) in the top-level CMakeLists.txt.
# The module reports it to hosts as the vendor version, one number whose decimal digits are
# major, minor and patch (1.2.8 reports 128); the archive names and their readme use the
# dotted form. This writes VantorVersion.h and puts it on every target's include path.

foreach(part MINOR PATCH)
  if(NOT "${PROJECT_VERSION_${part}}" MATCHES "^[0-9]$")
    message(FATAL_ERROR "The project version must be MAJOR.MINOR.PATCH with MINOR and PATCH "
                        "from 0 to 9, so that the vendor version keeps them apart (got ${PROJECT_VERSION})")
  endif()
endforeach()
math(EXPR VANTOR_VENDOR_VERSION
     "${PROJECT_VERSION_MAJOR} * 100 + ${PROJECT_VERSION_MINOR} * 10 + ${PROJECT_VERSION_PATCH}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/VantorVersion.h.in ${PROJECT_BINARY_DIR}/generated/VantorVersion.h @ONLY)
include_directories(${PROJECT_BINARY_DIR}/generated)
