# The VST3 bundle, as VST3 hosts look for it:
#   Vantor Pro.vst3/Contents/x86_64-linux/Vantor Pro.so   (Linux)
#   Vantor Pro.vst3/Contents/x86_64-win/Vantor Pro.vst3   (Windows)
#   Vantor Pro.vst3/Contents/Resources/Skin/               the editor's skin
#   Vantor Pro.vst3/Contents/Resources/moduleinfo.json     the factory's answers, for hosts
#                                                          that list without loading
# built beside the other modules (target vantor_vst3_bundle, by default). Included from
# src/CMakeLists.txt after the skin target.

set(VANTOR_VST3_BUNDLE "${CMAKE_CURRENT_BINARY_DIR}/Vantor Pro.vst3")
# The tests, configured after src/, find it by this name too.
set(VANTOR_VST3_BUNDLE "${VANTOR_VST3_BUNDLE}" PARENT_SCOPE)
set(vst3_resources "${VANTOR_VST3_BUNDLE}/Contents/Resources")
if(WIN32)
  set(vst3_binary_folder x86_64-win)
  set(vst3_suffix .vst3)
else()
  set(vst3_binary_folder x86_64-linux)
  set(vst3_suffix .so)
endif()

add_library(vantor_vst3_module MODULE vst3shell/Vst3ModuleEntry.cpp)
target_link_libraries(vantor_vst3_module PRIVATE vantor_vst3shell)
set_target_properties(vantor_vst3_module PROPERTIES OUTPUT_NAME "Vantor Pro" PREFIX "" SUFFIX ${vst3_suffix}
                      LIBRARY_OUTPUT_DIRECTORY "${VANTOR_VST3_BUNDLE}/Contents/${vst3_binary_folder}")
if(WIN32)
  vantor_link_plugin_module(vantor_vst3_module ${CMAKE_CURRENT_SOURCE_DIR}/vst3shell/VantorProVst3.def)
else()
  vantor_link_plugin_module(vantor_vst3_module ${CMAKE_CURRENT_SOURCE_DIR}/vst3shell/VantorProVst3.map)
endif()

set(vst3_skin_stamp ${CMAKE_CURRENT_BINARY_DIR}/vantor_vst3_skin.stamp)
add_skin_copy(${vst3_skin_stamp} "${vst3_resources}" "the VST3 bundle")

# The writer only reads constants, so it is built for and run on the build machine, also
# when the build makes Windows modules.
if(CMAKE_CROSSCOMPILING)
  find_program(VANTOR_BUILD_MACHINE_CXX NAMES c++ g++ clang++ REQUIRED)
  set(moduleinfo_compiler ${VANTOR_BUILD_MACHINE_CXX})
else()
  set(moduleinfo_compiler ${CMAKE_CXX_COMPILER})
endif()
set(moduleinfo_writer ${CMAKE_CURRENT_BINARY_DIR}/write-moduleinfo)
set(moduleinfo_source ${PROJECT_SOURCE_DIR}/tools/moduleinfo/WriteModuleInfo.cpp)
add_custom_command(
  OUTPUT "${vst3_resources}/moduleinfo.json"
  COMMAND ${moduleinfo_compiler} -std=c++20 -I${PROJECT_SOURCE_DIR}/src -I${PROJECT_BINARY_DIR}/generated
          ${moduleinfo_source} -o ${moduleinfo_writer}
  COMMAND ${CMAKE_COMMAND} -E make_directory "${vst3_resources}"
  COMMAND ${moduleinfo_writer} "${vst3_resources}/moduleinfo.json"
  DEPENDS ${moduleinfo_source} ${PROJECT_SOURCE_DIR}/src/identity/EffectIdentity.h
          ${PROJECT_SOURCE_DIR}/src/vst3shell/Vst3ClassFacts.h ${PROJECT_SOURCE_DIR}/src/vst3/Vst3PluginFactory.h
          ${PROJECT_SOURCE_DIR}/src/vst3/Vst3Unknown.h ${PROJECT_BINARY_DIR}/generated/VantorVersion.h
  COMMENT "Writing the VST3 bundle's moduleinfo.json"
  VERBATIM)

add_custom_target(vantor_vst3_bundle ALL DEPENDS ${vst3_skin_stamp} "${vst3_resources}/moduleinfo.json")
add_dependencies(vantor_vst3_bundle vantor_vst3_module)
