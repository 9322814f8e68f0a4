# Installs the plug-in the way hosts look for it: one folder "Vantor Pro" holding the VST 2.4
# module and the CLAP one, their one Skin folder, the factory presets (Presets/*.fxp), the
# VST3 bundle "Vantor Pro.vst3" (which carries its own skin and presets, as a bundle must),
# on Linux the LV2 bundle "vantor-pro.lv2" and install.sh, the plain-text readme and the licence texts of
# what they link in, below CMAKE_INSTALL_PREFIX. On Linux the prefix defaults to ~/.vst,
# which VST hosts scan, and the same folder goes into ~/.clap as well (VANTOR_CLAP_INSTALL_DIR),
# where CLAP hosts look, the bundle into ~/.vst3 (VANTOR_VST3_INSTALL_DIR), where VST3
# hosts look, and the LV2 bundle into ~/.lv2 (VANTOR_LV2_INSTALL_DIR), where LV2 hosts
# look; give another prefix, such as /usr/lib/vst, with
# `cmake --install <build> --prefix <dir>`, and the folder goes there alone.
#
# Every rule belongs to the component vantor_plugin, which the release archive installs
# into its staging folder (cmake/Package.cmake), so the archive and an install always hold
# the same files. The `uninstall` target removes exactly the files the last plain
# `cmake --install` of this build wrote (cmake/Uninstall.cmake).

# /usr/local is CMake's own default, which a build folder configured before this rule still
# holds; no host scans it.
set(VANTOR_VST_INSTALL_DIR "$ENV{HOME}/.vst")
if(NOT WIN32 AND (CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT OR CMAKE_INSTALL_PREFIX STREQUAL "/usr/local"))
  set(CMAKE_INSTALL_PREFIX "${VANTOR_VST_INSTALL_DIR}" CACHE PATH "Folder the plug-in folder is installed into" FORCE)
endif()
set(VANTOR_CLAP_INSTALL_DIR "$ENV{HOME}/.clap" CACHE PATH
    "Where an install into the default prefix puts the plug-in folder for CLAP hosts as well")

set(VANTOR_VST3_INSTALL_DIR "$ENV{HOME}/.vst3" CACHE PATH
    "Where an install into the default prefix puts the VST3 bundle for VST3 hosts as well")

set(VANTOR_LV2_INSTALL_DIR "$ENV{HOME}/.lv2" CACHE PATH
    "Where an install into the default prefix puts the LV2 bundle for LV2 hosts as well")

set(VANTOR_INSTALL_FOLDER "Vantor Pro")
set(VANTOR_VST3_BUNDLE_FOLDER "Vantor Pro.vst3")
set(VANTOR_LV2_BUNDLE_FOLDER "vantor-pro.lv2")

# The plain-text readme: README.md's sections for producers, this platform's parts only
# (cmake/ReadmeText.cmake), made again whenever README.md changes.
if(WIN32)
  set(readme_platform win64)
else()
  set(readme_platform linux)
endif()
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/packaging/README.txt
  COMMAND ${CMAKE_COMMAND} -DVANTOR_README=${PROJECT_SOURCE_DIR}/README.md
          -DVANTOR_README_TEXT=${PROJECT_BINARY_DIR}/packaging/README.txt -DVANTOR_PLATFORM=${readme_platform}
          -DVANTOR_VERSION=${PROJECT_VERSION} -P ${CMAKE_CURRENT_LIST_DIR}/ReadmeText.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_LIST_DIR}/ReadmeText.cmake
  COMMENT "Writing README.txt from README.md"
  VERBATIM)
add_custom_target(vantor_readme ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/README.txt)

install(TARGETS vantor_module vantor_clap_module LIBRARY DESTINATION ${VANTOR_INSTALL_FOLDER} COMPONENT vantor_plugin)
# The skin is generated beside the module; the editor finds it there after installation too.
install(DIRECTORY $<TARGET_FILE_DIR:vantor_module>/Skin DESTINATION ${VANTOR_INSTALL_FOLDER}
        COMPONENT vantor_plugin)
install(DIRECTORY "${VANTOR_VST3_BUNDLE}" DESTINATION ${VANTOR_INSTALL_FOLDER} COMPONENT vantor_plugin)
# The LV2 bundle (Linux), which carries its description and presets inside, as a bundle must.
if(NOT WIN32)
  install(DIRECTORY "${VANTOR_LV2_BUNDLE}" DESTINATION ${VANTOR_INSTALL_FOLDER} COMPONENT vantor_plugin)
endif()
# The tarball's installer, which puts each format where its hosts look (packaging/linux/install.sh).
if(NOT WIN32)
  set(VANTOR_INSTALL_SCRIPT ${PROJECT_SOURCE_DIR}/packaging/linux/install.sh)
  install(PROGRAMS ${VANTOR_INSTALL_SCRIPT} DESTINATION ${VANTOR_INSTALL_FOLDER} COMPONENT vantor_plugin)
endif()
# The factory presets as VST program files, for any VST 2.4 host's own preset loading.
install(DIRECTORY "${VANTOR_PRESET_FOLDER}" DESTINATION ${VANTOR_INSTALL_FOLDER} COMPONENT vantor_plugin)
install(FILES ${PROJECT_BINARY_DIR}/packaging/README.txt DESTINATION ${VANTOR_INSTALL_FOLDER}
        COMPONENT vantor_plugin)
include(${CMAKE_CURRENT_LIST_DIR}/Licences.cmake)
install(FILES ${VANTOR_LICENCE_FILES} DESTINATION ${VANTOR_INSTALL_FOLDER}/licences COMPONENT vantor_plugin)

# The renderer in a folder of its own beside the plug-in folder, in the release archive only:
# a plug-in folder is for hosts to scan, and a host scanning DLLs would try libsndfile's.
# It finds the plug-in in "../Vantor Pro" (tools/render/DefaultPlugin.h).
set(VANTOR_RENDERER_FOLDER "Vantor Pro Renderer")
install(TARGETS vantor-render RUNTIME DESTINATION "${VANTOR_RENDERER_FOLDER}" COMPONENT vantor_renderer EXCLUDE_FROM_ALL)
if(WIN32)
  install(FILES "$<TARGET_FILE:vantor_sndfile>" DESTINATION "${VANTOR_RENDERER_FOLDER}" COMPONENT vantor_renderer EXCLUDE_FROM_ALL)
endif()
install(FILES ${VANTOR_RENDERER_LICENCE_FILES} DESTINATION "${VANTOR_RENDERER_FOLDER}/licences"
        COMPONENT vantor_renderer EXCLUDE_FROM_ALL)

# The CLAP hosts' copy of the folder and the VST3 and LV2 hosts' copies of the bundles: only
# an install into the default prefix makes them (a given prefix, such as the archive's staging folder,
# gets the one folder alone). Like every installed file they are listed in the manifest
# `uninstall` reads.
if(NOT WIN32)
  set(clap_folder "${VANTOR_CLAP_INSTALL_DIR}/${VANTOR_INSTALL_FOLDER}")
  # Where VST3 hosts look for the user's presets of a plug-in: <vendor>/<plug-in> under
  # ~/.vst3/presets. The bundle carries the same files in Contents/Resources/Presets.
  set(vst3_user_presets "${VANTOR_VST3_INSTALL_DIR}/presets/Brackwel/${VANTOR_INSTALL_FOLDER}")
  install(CODE "
    if(CMAKE_INSTALL_PREFIX STREQUAL \"${VANTOR_VST_INSTALL_DIR}\")
      file(INSTALL \"$<TARGET_FILE:vantor_clap_module>\" \"$<TARGET_FILE_DIR:vantor_module>/Skin\"
                   \"${VANTOR_PRESET_FOLDER}\" \"${PROJECT_BINARY_DIR}/packaging/README.txt\"
                   DESTINATION \"${clap_folder}\")
      file(INSTALL ${VANTOR_LICENCE_FILES} DESTINATION \"${clap_folder}/licences\")
      file(INSTALL \"${VANTOR_VST3_BUNDLE}\" DESTINATION \"${VANTOR_VST3_INSTALL_DIR}\")
      file(GLOB vst3_presets \"${VANTOR_VST3_PRESET_FOLDER}/*.vstpreset\")
      file(INSTALL \${vst3_presets} DESTINATION \"${vst3_user_presets}\")
      file(INSTALL \"${VANTOR_LV2_BUNDLE}\" DESTINATION \"${VANTOR_LV2_INSTALL_DIR}\")
    endif()"
    COMPONENT vantor_plugin)
endif()

add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DVANTOR_INSTALL_MANIFEST=${PROJECT_BINARY_DIR}/install_manifest.txt
          -DVANTOR_INSTALL_FOLDER=${VANTOR_INSTALL_FOLDER} -DVANTOR_VST3_BUNDLE_FOLDER=${VANTOR_VST3_BUNDLE_FOLDER}
          -DVANTOR_LV2_BUNDLE_FOLDER=${VANTOR_LV2_BUNDLE_FOLDER} -P ${CMAKE_CURRENT_LIST_DIR}/Uninstall.cmake
  COMMENT "Removing the files the last install of this build wrote"
  VERBATIM)
