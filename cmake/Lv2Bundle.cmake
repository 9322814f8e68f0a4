# The LV2 bundle, as LV2 hosts look for it (Linux only):
#   vantor-pro.lv2/manifest.ttl     the plug-in and its presets, read before anything is loaded
#   vantor-pro.lv2/vantor-pro.ttl   ports, features and state, from the parameter and identity records
#   vantor-pro.lv2/presets.ttl      the factory presets as pset:Presets, from their one table
#   vantor-pro.lv2/vantor-pro.so    the DSP binary: no window system, only lv2_descriptor exported
#   vantor-pro.lv2/vantor-pro-ui.so the editor as an X11 UI: only lv2ui_descriptor exported
#   vantor-pro.lv2/Skin/            the editor's skin
# built beside the other modules (target vantor_lv2_bundle, by default). Included from
# src/CMakeLists.txt after cmake/FactoryPresetFiles.cmake.

set(VANTOR_LV2_BUNDLE "${CMAKE_CURRENT_BINARY_DIR}/vantor-pro.lv2")
# The tests and the install rules, configured after src/, find it by this name too.
set(VANTOR_LV2_BUNDLE "${VANTOR_LV2_BUNDLE}" PARENT_SCOPE)

add_library(vantor_lv2_module MODULE lv2shell/Lv2PluginEntry.cpp)
target_link_libraries(vantor_lv2_module PRIVATE vantor_lv2shell)
set_target_properties(vantor_lv2_module PROPERTIES OUTPUT_NAME "vantor-pro" PREFIX "" SUFFIX ".so"
                      LIBRARY_OUTPUT_DIRECTORY "${VANTOR_LV2_BUNDLE}")
vantor_link_plugin_module(vantor_lv2_module ${CMAKE_CURRENT_SOURCE_DIR}/lv2shell/VantorProLv2.map)

add_library(vantor_lv2_ui_module MODULE lv2ui/Lv2UiEntry.cpp)
target_link_libraries(vantor_lv2_ui_module PRIVATE vantor_lv2ui)
set_target_properties(vantor_lv2_ui_module PROPERTIES OUTPUT_NAME "vantor-pro-ui" PREFIX "" SUFFIX ".so"
                      LIBRARY_OUTPUT_DIRECTORY "${VANTOR_LV2_BUNDLE}")
vantor_link_plugin_module(vantor_lv2_ui_module ${CMAKE_CURRENT_SOURCE_DIR}/lv2ui/VantorProLv2Ui.map)

set(lv2_skin_stamp ${CMAKE_CURRENT_BINARY_DIR}/vantor_lv2_skin.stamp)
add_skin_copy(${lv2_skin_stamp} "${VANTOR_LV2_BUNDLE}" "the LV2 bundle")

# Like the preset files' writer, built for and run on the build machine.
set(lv2_writer ${CMAKE_CURRENT_BINARY_DIR}/write-lv2-description)
set(lv2_writer_sources
    ${PROJECT_SOURCE_DIR}/tools/lv2gen/WriteLv2Description.cpp
    ${PROJECT_SOURCE_DIR}/src/params/PlainValues.cpp
    ${VANTOR_FACTORY_TABLE_SOURCES})
file(GLOB lv2_writer_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/presets/*.h
     ${PROJECT_SOURCE_DIR}/src/params/*.h ${PROJECT_SOURCE_DIR}/src/engine/ProgramRecord.h
     ${PROJECT_SOURCE_DIR}/src/identity/*.h ${PROJECT_SOURCE_DIR}/src/lv2shell/Lv2PluginFacts.h)
set(lv2_description_stamp ${CMAKE_CURRENT_BINARY_DIR}/vantor_lv2_description.stamp)
add_custom_command(
  OUTPUT ${lv2_description_stamp}
  COMMAND ${CMAKE_CXX_COMPILER} -std=c++20 -O1 -I${PROJECT_SOURCE_DIR}/src -I${PROJECT_BINARY_DIR}/generated
          ${lv2_writer_sources} -o ${lv2_writer}
  COMMAND ${lv2_writer} "${VANTOR_LV2_BUNDLE}"
  COMMAND ${CMAKE_COMMAND} -E touch ${lv2_description_stamp}
  DEPENDS ${lv2_writer_sources} ${lv2_writer_headers} ${PROJECT_BINARY_DIR}/generated/VantorVersion.h
  COMMENT "Writing the LV2 bundle's description and presets"
  VERBATIM)

add_custom_target(vantor_lv2_bundle ALL DEPENDS ${lv2_description_stamp} ${lv2_skin_stamp})
add_dependencies(vantor_lv2_bundle vantor_lv2_module vantor_lv2_ui_module)
