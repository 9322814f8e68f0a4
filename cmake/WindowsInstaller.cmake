# The Windows setup program, Vantor-Pro-<version>-win64-setup.exe, made by default with every
# Windows build beside the release archive and listed in SHA256SUMS (cmake/MakeSetup.cmake).
# makensis (Debian package nsis) runs on the build machine; without it there is no setup
# program, only the archive. Sets VANTOR_SETUP and VANTOR_MAKENSIS.

find_program(VANTOR_MAKENSIS makensis)
if(NOT VANTOR_MAKENSIS)
  message(STATUS "Setup program: makensis not found (Debian package nsis); it is left out")
  return()
endif()

set(VANTOR_SETUP "Vantor-Pro-${PROJECT_VERSION}-win64-setup.exe")
# Made from the folder the archive was packed from, so it depends on the archive.
add_custom_command(
  OUTPUT ${VANTOR_PACKAGE_DIR}/${VANTOR_SETUP}
  COMMAND ${CMAKE_COMMAND} -DVANTOR_MAKENSIS=${VANTOR_MAKENSIS}
          -DVANTOR_STAGE_DIR=${PROJECT_BINARY_DIR}/packaging/stage -DVANTOR_VERSION=${PROJECT_VERSION}
          -DVANTOR_SETUP=${VANTOR_PACKAGE_DIR}/${VANTOR_SETUP} -DVANTOR_WORK_DIR=${PROJECT_BINARY_DIR}/packaging/setup
          -DVANTOR_PACKAGE_DIR=${VANTOR_PACKAGE_DIR} -P ${CMAKE_CURRENT_LIST_DIR}/MakeSetup.cmake
  DEPENDS ${VANTOR_PACKAGE_DIR}/${VANTOR_ARCHIVE} ${CMAKE_CURRENT_LIST_DIR}/MakeSetup.cmake
          ${CMAKE_CURRENT_LIST_DIR}/NsisFileLists.cmake ${PROJECT_SOURCE_DIR}/packaging/windows/vantor-pro-setup.nsi
  COMMENT "Making ${VANTOR_SETUP}"
  VERBATIM)
add_custom_target(vantor_setup ALL DEPENDS ${VANTOR_PACKAGE_DIR}/${VANTOR_SETUP})
# Without this, a parallel build runs the archive's rule in both targets at once.
add_dependencies(vantor_setup vantor_archive)
