# One static library per source folder ("layer"). A layer's code sees the headers of its
# own folder and of the layers it links, and nothing else, so a dependency that points the
# wrong way fails the build, however the include is spelt:
#   - each layer's headers are reachable only through an include folder of its own
#     (<build>/layers/<name>, holding just a link to src/<name>), which only the targets
#     that link the layer get on their include path: "engine/X.h" or <engine/X.h> does not
#     compile in a layer that does not link the engine;
#   - after each build of the layer, the headers its objects were actually compiled from
#     (the compiler's dependency files) are followed through links to their place in src/,
#     and another layer's header must have been reached through that layer's include folder
#     on the target's path: "../engine/X.h", "editor/../engine/X.h", an absolute path fail.
#
#   vantor_add_layer(<name> [SOURCES <files...>] [LINKS <layers...>])
#
# LINKS names the layers directly below; theirs come along.
function(vantor_check_layer_dependencies target layer)
  # Ninja deletes the compiler's dependency files once it has read them; the launcher keeps a
  # copy of each for the check (after a launcher of the build's own, such as ccache).
  get_target_property(launcher ${target} CXX_COMPILER_LAUNCHER)
  if(NOT launcher)
    set(launcher "")
  endif()
  set_property(TARGET ${target} PROPERTY CXX_COMPILER_LAUNCHER
               sh ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/KeepDependencyFile.sh ${launcher})
  set(object_list ${CMAKE_BINARY_DIR}/layers/${target}-objects.txt)
  file(GENERATE OUTPUT ${object_list} CONTENT "$<JOIN:$<TARGET_OBJECTS:${target}>,\n>")
  set(include_list ${CMAKE_BINARY_DIR}/layers/${target}-includes.txt)
  file(GENERATE OUTPUT ${include_list} CONTENT "$<JOIN:$<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>,\n>")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DLAYER=${layer} -DSOURCE_ROOT=${PROJECT_SOURCE_DIR}/src
            -DLAYERS_DIR=${CMAKE_BINARY_DIR}/layers -DOBJECT_LIST=${object_list}
            -DOBJECT_DIR=${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${target}.dir -DINCLUDE_LIST=${include_list}
            -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/CheckLayerDependencies.cmake
    COMMENT "Checking what layer ${layer} includes"
    VERBATIM)
endfunction()

function(vantor_add_layer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${name} ${root}/${name} SYMBOLIC)
  set(target vantor_${name})
  if(ARG_SOURCES)
    add_library(${target} STATIC ${ARG_SOURCES})
    set(scope PUBLIC)
    vantor_check_layer_dependencies(${target} ${name})
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${target} ${scope} ${root})
  foreach(layer IN LISTS ARG_LINKS)
    target_link_libraries(${target} ${scope} vantor_${layer})
  endforeach()
endfunction()
