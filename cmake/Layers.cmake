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
#     on the target's path: "../engine/X.h", "editor/../engine/X.h", an absolute path fail;
#   - both hold for the layer's headers too, each taken on its own in the layer's include
#     context, so a header that only higher layers include is not left out.
#
#   vantor_add_layer(<name> [SOURCES <files...>] [LINKS <layers...>])
#
# LINKS names the layers directly below; theirs come along. A module file's own sources (its
# entry, the glibc floor) are each held to the rule of the layer whose folder they sit in
# (vantor_check_module_layers). Every check is built by vantor_layer_checks, which every
# tests_<label> target builds too (cmake/Testing.cmake), so a build of some labels alone
# checks the whole tree as the full build does.
add_custom_target(vantor_layer_checks)

# `layer` empty: each object by the layer of its source's folder, with that layer's include
# path (the module files).
function(vantor_check_layer_dependencies target layer)
  # Make leaves the compiler's dependency files beside the objects; Ninja deletes each once it
  # has read it, so there the launcher keeps a copy for the check (after a launcher of the
  # build's own, such as ccache).
  if(CMAKE_GENERATOR MATCHES "Ninja")
    get_target_property(launcher ${target} CXX_COMPILER_LAUNCHER)
    if(NOT launcher)
      set(launcher "")
    endif()
    set_property(TARGET ${target} PROPERTY CXX_COMPILER_LAUNCHER
                 sh ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/KeepDependencyFile.sh ${launcher})
  endif()
  set(object_list ${CMAKE_BINARY_DIR}/layers/${target}-objects.txt)
  file(GENERATE OUTPUT ${object_list} CONTENT "$<JOIN:$<TARGET_OBJECTS:${target}>,\n>")
  set(include_list ${CMAKE_BINARY_DIR}/layers/${target}-includes.txt)
  file(GENERATE OUTPUT ${include_list} CONTENT "$<JOIN:$<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>,\n>")
  add_dependencies(vantor_layer_checks ${target})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DLAYER=${layer} -DSOURCE_ROOT=${PROJECT_SOURCE_DIR}/src
            -DLAYERS_DIR=${CMAKE_BINARY_DIR}/layers -DOBJECT_LIST=${object_list}
            -DOBJECT_DIR=${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${target}.dir -DINCLUDE_LIST=${include_list}
            -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/CheckLayerDependencies.cmake
    COMMENT "Checking what layer ${layer} includes"
    VERBATIM)
endfunction()

# Every header of the layer taken once on its own, included as the layers above include it,
# with the layer's include path, in a library of its own that nothing links but the default
# build makes: a header that no source of its layer includes still meets the include path
# and the check after the build. The other platform's folder is not compiled here.
function(vantor_check_layer_headers name)
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/src/${name}/*.h)
  if(WIN32)
    list(FILTER headers EXCLUDE REGEX "/x11/")
  else()
    list(FILTER headers EXCLUDE REGEX "/win32/")
  endif()
  if(NOT headers)
    return()
  endif()
  set(sources "")
  foreach(header IN LISTS headers)
    # Written only when it changes, so a new configure compiles nothing again.
    set(source ${CMAKE_CURRENT_BINARY_DIR}/headers/${header}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "#include \"${header}\"\n")
    list(APPEND sources ${source})
  endforeach()
  set(target vantor_${name}_headers)
  add_library(${target} STATIC ${sources})
  target_link_libraries(${target} PRIVATE vantor_${name})
  # The rule asks only what each header includes, which GCC's preprocessor alone finds and
  # writes to the dependency file (-M; the objects stay empty), at a tenth of a compile.
  # Clang would write the preprocessed text in place of each object, so it compiles them.
  target_compile_options(${target} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-M>)
  vantor_check_layer_dependencies(${target} ${name})
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
  vantor_check_layer_headers(${name})
endfunction()

function(vantor_check_module_layers target)
  vantor_check_layer_dependencies(${target} "")
endfunction()
