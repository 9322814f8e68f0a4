# One static library per source folder ("layer"). A layer links only the layers below it,
# and a build step refuses any #include of a layer it does not link, so a dependency that
# points the wrong way fails the build instead of creeping in.
#
#   vantor_add_layer(<name> SOURCES <files...> BELOW <layers...>)
#
# BELOW names the layers <name> may use (directly or through another layer); the library
# links the first-level ones it is given in LINKS (defaults to BELOW).
function(vantor_add_layer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;BELOW;LINKS" ${ARGN})
  if(NOT ARG_LINKS)
    set(ARG_LINKS ${ARG_BELOW})
  endif()
  set(target vantor_${name})
  if(ARG_SOURCES)
    add_library(${target} STATIC ${ARG_SOURCES})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${target} ${scope} ${PROJECT_SOURCE_DIR}/src)
  foreach(layer IN LISTS ARG_LINKS)
    target_link_libraries(${target} ${scope} vantor_${layer})
  endforeach()

  set(allowed ${name} ${ARG_BELOW})
  string(REPLACE ";" "," allowed "${allowed}")
  add_custom_target(${target}_includes
    COMMAND ${CMAKE_COMMAND} -DLAYER=${name} -DALLOWED=${allowed} -DSOURCE_ROOT=${PROJECT_SOURCE_DIR}/src
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
    COMMENT "Checking the includes of layer ${name}"
    VERBATIM)
  add_dependencies(${target} ${target}_includes)
endfunction()
