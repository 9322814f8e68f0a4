# cmake -DVANTOR_BUILD_DIR=... -DVANTOR_STAGE_DIR=... -DVANTOR_PACKAGE_DIR=...
#       -DVANTOR_ARCHIVE=<file name> -DVANTOR_VERSION=<x.y.z> -P MakeArchive.cmake
#
# Installs the plug-in and renderer components into a fresh staging folder, packs the
# plug-in folder and the renderer's folder into
# VANTOR_PACKAGE_DIR/VANTOR_ARCHIVE (.zip or .tar.gz by its name) and rewrites SHA256SUMS
# there (cmake/WriteChecksums.cmake).

file(REMOVE_RECURSE "${VANTOR_STAGE_DIR}")
# A component install writes its own manifest, so a user's install_manifest.txt (which
# `uninstall` reads) is left alone.
foreach(component vantor_plugin vantor_renderer)
  execute_process(
    COMMAND ${CMAKE_COMMAND} --install "${VANTOR_BUILD_DIR}" --prefix "${VANTOR_STAGE_DIR}"
            --component ${component}
    OUTPUT_QUIET
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Staging ${component} failed (${result})")
  endif()
endforeach()

if(VANTOR_ARCHIVE MATCHES "\\.zip$")
  set(format zip)
  set(flags cf)
else()
  set(format gnutar)
  set(flags czf)
endif()
file(MAKE_DIRECTORY "${VANTOR_PACKAGE_DIR}")
file(REMOVE "${VANTOR_PACKAGE_DIR}/${VANTOR_ARCHIVE}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar ${flags} "${VANTOR_PACKAGE_DIR}/${VANTOR_ARCHIVE}" --format=${format}
          "Vantor Pro" "Vantor Pro Renderer"
  WORKING_DIRECTORY "${VANTOR_STAGE_DIR}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Packing ${VANTOR_ARCHIVE} failed (${result})")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/WriteChecksums.cmake)
vantor_write_checksums("${VANTOR_PACKAGE_DIR}" "${VANTOR_VERSION}")
