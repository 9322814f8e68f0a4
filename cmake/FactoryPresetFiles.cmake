# The factory presets as files, written from the table the plug-in builds its own from
# (src/presets/FactoryPresets.cpp):
#   <build>/src/Presets/<Name>.fxp                                   beside the modules
#   Vantor Pro.vst3/Contents/Resources/Presets/<Name>.vstpreset       inside the VST3 bundle
# (target vantor_preset_files, by default; the bundle waits for it). Included from
# src/CMakeLists.txt after cmake/Vst3Bundle.cmake.

set(VANTOR_PRESET_FOLDER "${CMAKE_CURRENT_BINARY_DIR}/Presets")
set(VANTOR_PRESET_FOLDER "${VANTOR_PRESET_FOLDER}" PARENT_SCOPE)
set(VANTOR_VST3_PRESET_FOLDER "${VANTOR_VST3_BUNDLE}/Contents/Resources/Presets")
set(VANTOR_VST3_PRESET_FOLDER "${VANTOR_VST3_PRESET_FOLDER}" PARENT_SCOPE)

# The writer only reads the table, so like the moduleinfo writer it is built for and run on
# the build machine, also when the build makes Windows modules.
# The factory table and what making its programs takes, for every writer of preset files
# (this one, and the LV2 description's in cmake/Lv2Bundle.cmake).
set(VANTOR_FACTORY_TABLE_SOURCES
    ${PROJECT_SOURCE_DIR}/src/presets/FactoryPresets.cpp
    ${PROJECT_SOURCE_DIR}/src/presets/ProgramChunk.cpp
    ${PROJECT_SOURCE_DIR}/src/engine/ProgramRecord.cpp
    ${PROJECT_SOURCE_DIR}/src/params/ParameterTable.cpp
    ${PROJECT_SOURCE_DIR}/src/params/EngineAmounts.cpp)
set(preset_writer ${CMAKE_CURRENT_BINARY_DIR}/write-preset-files)
set(preset_writer_sources
    ${PROJECT_SOURCE_DIR}/tools/presetgen/WritePresetFiles.cpp
    ${PROJECT_SOURCE_DIR}/src/presets/FxpFile.cpp
    ${PROJECT_SOURCE_DIR}/src/presets/PresetFileName.cpp
    ${PROJECT_SOURCE_DIR}/src/presets/Vst3PresetFile.cpp
    ${VANTOR_FACTORY_TABLE_SOURCES})
file(GLOB preset_writer_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/presets/*.h
     ${PROJECT_SOURCE_DIR}/src/params/*.h ${PROJECT_SOURCE_DIR}/src/engine/ProgramRecord.h
     ${PROJECT_SOURCE_DIR}/src/identity/*.h ${PROJECT_SOURCE_DIR}/src/base/*.h)
set(preset_stamp ${CMAKE_CURRENT_BINARY_DIR}/vantor_preset_files.stamp)
add_custom_command(
  OUTPUT ${preset_stamp}
  COMMAND ${moduleinfo_compiler} -std=c++20 -O1 -I${PROJECT_SOURCE_DIR}/src -I${PROJECT_BINARY_DIR}/generated
          ${preset_writer_sources} -o ${preset_writer}
  COMMAND ${preset_writer} "${VANTOR_PRESET_FOLDER}" "${VANTOR_VST3_PRESET_FOLDER}"
  COMMAND ${CMAKE_COMMAND} -E touch ${preset_stamp}
  DEPENDS ${preset_writer_sources} ${preset_writer_headers} ${PROJECT_BINARY_DIR}/generated/VantorVersion.h
  COMMENT "Writing the factory presets as .fxp and .vstpreset files"
  VERBATIM)
add_custom_target(vantor_preset_files ALL DEPENDS ${preset_stamp})
# The bundle is whole only with its presets (and its copy in dist/ is made after it).
add_dependencies(vantor_vst3_bundle vantor_preset_files)
