# The release archive of this build, made by default with every build:
#   Vantor-Pro-<version>-win64.zip           (Windows build)
#   Vantor-Pro-<version>-linux-x86_64.tar.gz (Linux build)
# in VANTOR_PACKAGE_DIR, holding the plug-in folder exactly as `cmake --install` lays it out
# and the renderer's folder beside it (install component vantor_renderer),
# and beside it SHA256SUMS (sha256sum's format) for every archive of this version there, so
# a Linux and a Windows build sharing the folder list both. A Linux build makes the Debian
# package there too (cmake/DebianPackage.cmake), a Windows build its setup program
# (cmake/WindowsInstaller.cmake).

set(VANTOR_PACKAGE_DIR "${PROJECT_BINARY_DIR}/package" CACHE PATH "Folder that receives the release archives and SHA256SUMS")

if(WIN32)
  set(VANTOR_ARCHIVE "Vantor-Pro-${PROJECT_VERSION}-win64.zip")
else()
  set(VANTOR_ARCHIVE "Vantor-Pro-${PROJECT_VERSION}-linux-x86_64.tar.gz")
endif()

# The skin has no single output file to depend on; it changes only with its generator.
file(GLOB _vantor_skin_sources CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/tools/skingen/*.py
     ${PROJECT_SOURCE_DIR}/tools/skingen/shaders/*)

# The Linux archive carries the LV2 bundle too.
set(_vantor_archive_bundles vantor_vst3_bundle)
if(NOT WIN32)
  list(APPEND _vantor_archive_bundles vantor_lv2_bundle vantor_lv2_module vantor_lv2_ui_module
       ${PROJECT_BINARY_DIR}/src/vantor_lv2_description.stamp ${PROJECT_BINARY_DIR}/src/vantor_lv2_skin.stamp)
endif()

add_custom_command(
  OUTPUT ${VANTOR_PACKAGE_DIR}/${VANTOR_ARCHIVE}
  COMMAND ${CMAKE_COMMAND} -DVANTOR_BUILD_DIR=${PROJECT_BINARY_DIR}
          -DVANTOR_STAGE_DIR=${PROJECT_BINARY_DIR}/packaging/stage
          -DVANTOR_PACKAGE_DIR=${VANTOR_PACKAGE_DIR} -DVANTOR_ARCHIVE=${VANTOR_ARCHIVE}
          -DVANTOR_VERSION=${PROJECT_VERSION} -P ${CMAKE_CURRENT_LIST_DIR}/MakeArchive.cmake
  DEPENDS vantor_module vantor_clap_module vantor-render ${VANTOR_RENDERER_LICENCE_FILES} ${_vantor_archive_bundles} vantor_skin ${_vantor_skin_sources}
          vantor_readme ${PROJECT_BINARY_DIR}/packaging/README.txt
          vantor_preset_files ${PROJECT_BINARY_DIR}/src/vantor_preset_files.stamp
          ${VANTOR_LICENCE_FILES} ${VANTOR_INSTALL_SCRIPT} ${CMAKE_CURRENT_LIST_DIR}/MakeArchive.cmake
  COMMENT "Packing ${VANTOR_ARCHIVE}"
  VERBATIM)
add_custom_target(vantor_archive ALL DEPENDS ${VANTOR_PACKAGE_DIR}/${VANTOR_ARCHIVE})

# The installers beside the archive: the Debian package on Linux, the setup program on Windows.
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/WindowsInstaller.cmake)
else()
  include(${CMAKE_CURRENT_LIST_DIR}/DebianPackage.cmake)
endif()
