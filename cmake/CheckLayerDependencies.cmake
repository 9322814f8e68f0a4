cmake_minimum_required(VERSION 3.25)
# Fails when an object of layer LAYER was compiled from a header of another layer that it
# reached by a path into SOURCE_ROOT (a relative "../other/x.h" or an absolute one) instead
# of through the include folders of the layers it links. Reads the compiler's dependency
# file of each source in SOURCE_LIST (one per line, as the target lists them) under
# OBJECT_DIR. Called after each build of the layer (cmake/Layers.cmake).
file(STRINGS ${SOURCE_LIST} sources)
set(failures "")
foreach(source IN LISTS sources)
  if(IS_ABSOLUTE "${source}")
    cmake_path(RELATIVE_PATH source BASE_DIRECTORY ${SOURCE_ROOT} OUTPUT_VARIABLE source)
  endif()
  file(GLOB dependency_files ${OBJECT_DIR}/${source}.*.d)
  foreach(dependency_file IN LISTS dependency_files)
    file(READ ${dependency_file} dependencies)
    # One path a word: line continuations dropped, escaped spaces kept.
    string(REPLACE "\\\n" " " dependencies "${dependencies}")
    string(REPLACE "\\ " "<space>" dependencies "${dependencies}")
    string(REGEX REPLACE "[\n\t ]+" ";" dependencies "${dependencies}")
    foreach(dependency IN LISTS dependencies)
      string(REPLACE "<space>" " " dependency "${dependency}")
      cmake_path(NORMAL_PATH dependency)
      string(FIND "${dependency}" "${SOURCE_ROOT}/" at)
      if(NOT at EQUAL 0)
        continue()
      endif()
      cmake_path(RELATIVE_PATH dependency BASE_DIRECTORY ${SOURCE_ROOT} OUTPUT_VARIABLE inside)
      string(REGEX REPLACE "/.*" "" used "${inside}")
      if(NOT used STREQUAL LAYER)
        string(APPEND failures "\n  ${source}: src/${inside}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "Layer '${LAYER}' reached other layers' headers by a path of its own; include them "
                      "as \"layer/Header.h\" from a layer it links:${failures}")
endif()
