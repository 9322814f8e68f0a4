cmake_minimum_required(VERSION 3.25)
# Fails when an object of layer LAYER was compiled from a header of another layer that it
# reached by a path into SOURCE_ROOT (a relative "../other/x.h" or an absolute one) instead
# of through the include folders of the layers it links.
#   OBJECT_LIST   the target's objects, one a line; each one's dependency file is read from
#                 the copy cmake/KeepDependencyFile.sh keeps beside it (<object>.layer.d)
#   OBJECT_DIR    the folder they sit under, to name them in messages
# Called after each build of the layer (cmake/Layers.cmake).
file(STRINGS ${OBJECT_LIST} objects)
set(failures "")
set(missing "")
foreach(object IN LISTS objects)
  cmake_path(NORMAL_PATH object)
  cmake_path(RELATIVE_PATH object BASE_DIRECTORY ${OBJECT_DIR} OUTPUT_VARIABLE compiled)
  cmake_path(REMOVE_EXTENSION compiled LAST_ONLY)
  if(NOT EXISTS ${object}.layer.d)
    string(APPEND missing "\n  ${object}.layer.d")
    continue()
  endif()
  file(READ ${object}.layer.d dependencies)
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
      string(APPEND failures "\n  ${compiled}: src/${inside}")
    endif()
  endforeach()
endforeach()
# No copy means the check would see nothing, so it would pass whatever was included.
if(missing)
  message(FATAL_ERROR "Layer '${LAYER}': no kept dependency file to check (is the target compiled through "
                      "cmake/KeepDependencyFile.sh?):${missing}")
endif()
if(failures)
  message(FATAL_ERROR "Layer '${LAYER}' reached other layers' headers by a path of its own; include them "
                      "as \"layer/Header.h\" from a layer it links:${failures}")
endif()
