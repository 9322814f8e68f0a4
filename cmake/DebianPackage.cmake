# The Debian package of the Linux build, made by default with every build beside the
# release archive: VANTOR_PACKAGE_DIR/vantor-pro_<version>_amd64.deb, built by
# MakeDebianPackage.cmake from the archive's staging folder, and listed in SHA256SUMS.
# Sources: packaging/linux (control and changelog templates, copyright, lintian overrides,
# the renderer's manual page).

find_program(VANTOR_DPKG_DEB dpkg-deb)
if(NOT VANTOR_DPKG_DEB)
  message(STATUS "dpkg-deb not found: no Debian package")
  return()
endif()

set(VANTOR_DEB "vantor-pro_${PROJECT_VERSION}_amd64.deb")
set(_vantor_deb_sources)
foreach(source control.in changelog.in copyright README.Debian lintian-overrides vantor-render.1)
  list(APPEND _vantor_deb_sources ${PROJECT_SOURCE_DIR}/packaging/linux/${source})
endforeach()

add_custom_command(
  OUTPUT ${VANTOR_PACKAGE_DIR}/${VANTOR_DEB}
  COMMAND ${CMAKE_COMMAND} "-DVANTOR_STAGE_FOLDER=${PROJECT_BINARY_DIR}/packaging/stage/Vantor Pro"
          -DVANTOR_DEB_ROOT=${PROJECT_BINARY_DIR}/packaging/deb-root
          "-DVANTOR_RENDERER=${PROJECT_BINARY_DIR}/packaging/stage/Vantor Pro Renderer/vantor-render"
          -DVANTOR_DEB_SOURCES=${PROJECT_SOURCE_DIR}/packaging/linux -DVANTOR_PACKAGE_DIR=${VANTOR_PACKAGE_DIR}
          -DVANTOR_VERSION=${PROJECT_VERSION} -DVANTOR_DPKG_DEB=${VANTOR_DPKG_DEB} -DVANTOR_STRIP=${CMAKE_STRIP}
          -P ${CMAKE_CURRENT_LIST_DIR}/MakeDebianPackage.cmake
  # The archive stands for its staging folder, which MakeArchive.cmake lays anew each time.
  DEPENDS ${VANTOR_PACKAGE_DIR}/${VANTOR_ARCHIVE} ${_vantor_deb_sources} ${CMAKE_CURRENT_LIST_DIR}/MakeDebianPackage.cmake
  COMMENT "Packing ${VANTOR_DEB}"
  VERBATIM)
add_custom_target(vantor_deb ALL DEPENDS ${VANTOR_PACKAGE_DIR}/${VANTOR_DEB})
# Only after the archive's own target, so the archive is never packed twice at once.
add_dependencies(vantor_deb vantor_archive)
